#!/usr/bin/env bash
# Puts clipper.cpp and clipper.hpp of Debian's libpolyclipping source
# package into DEST, for the Windows build (Debian ships no MinGW build of
# the library). apt's own client fetches the package with a private source
# list, leaving the machine's lists alone. Debian's only patch concerns the
# library's install paths, which this build does not use.
set -euo pipefail
dest=${1:?usage: fetch-polyclipping.sh DEST}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/lists/partial"
uri=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -1)
[ -n "$uri" ] || uri=$(awk '$1 == "deb" { print $2; exit }' /etc/apt/sources.list 2>/dev/null)
[ -n "$uri" ] || uri=http://deb.debian.org/debian
suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "$uri" "$suite" >"$work/src.sources"
options=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$work"
         -o Dir::State::Lists="$work/lists" -o Debug::NoLocking=1 -o APT::Sandbox::User=root)
apt-get "${options[@]}" -qq update
(cd "$work" && apt-get "${options[@]}" -qq source --download-only libpolyclipping)
archive=$(ls "$work"/libpolyclipping_*.orig.tar.* | head -1)
mkdir -p "$work/x" "$dest"
tar -xf "$archive" -C "$work/x" --wildcards '*/cpp/clipper.cpp' '*/cpp/clipper.hpp'
cp "$work"/x/*/cpp/clipper.cpp "$work"/x/*/cpp/clipper.hpp "$dest"/
echo "polyclipping: $(basename "$archive") in $dest"
