#!/usr/bin/env bash
# Installs the Debian 12 packages that the build and the tests need, and only
# those that are missing, so it is cheap to run again.
set -euo pipefail
packages=(cmake make g++ libgtest-dev googletest mingw-w64 wine wine64 xvfb x11-utils locales
          xauth libcups2-dev cups imagemagick xdotool fonts-wqy-microhei fonts-wine dpkg-dev lintian
          libpolyclipping-dev)
packages+=("$@")
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends \
    "${missing[@]}"
