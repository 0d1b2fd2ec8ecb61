#!/usr/bin/env bash
# README command (2): every test, native (plain and under ASan + UBSan) and
# the Windows build under Wine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
# Inkscape and the Python modules of its extensions, for the Inkscape route's
# end-to-end test (about 50 s to install, with the modules).
scripts/install-deps.sh inkscape python3-lxml python3-cssselect python3-numpy
scripts/build.sh native sanitize windows
status=0
# The native runs keep the machine's own locale: the Wine set-up below
# switches to a generated Chinese locale that only the Windows programs need.
ctest --preset native || status=1
ctest --preset sanitize || status=1
source scripts/wine-env.sh
tarnik_wine_prepare
ctest --preset windows || status=1
wineserver -w 2>/dev/null || true
exit $status
