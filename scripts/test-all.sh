#!/usr/bin/env bash
# README command (2): every test, native (plain and under ASan + UBSan) and
# the Windows build under Wine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
# Inkscape and the Python modules of its extensions, for the Inkscape route's
# end-to-end test (about 50 s to install, with the modules).
scripts/install-deps.sh inkscape python3-lxml python3-cssselect python3-numpy
# The Wine tests start X servers, Wine servers and Wine's service processes
# for the prefixes of this checkout (scripts/wine-env.sh and the GUI tests'
# tarnik_gui_env.sh name them): stopped again however the run ends.
source scripts/wine-stop.sh
tarnik_wine_track "${TARNIK_DISPLAY:-:97}" "${TARNIK_GUI_DISPLAY:-:95}"
trap 'tarnik_wine_stop_started "${TARNIK_WINE_ROOT:-$top/build/wine}/prefix" \
    "${TARNIK_GUI_WINE_ROOT:-$top/build/windows/wine-gui}/prefix"' EXIT
scripts/build.sh native sanitize windows
status=0
# The native runs keep the machine's own locale: the Wine set-up below
# switches to a generated Chinese locale that only the Windows programs need.
ctest --preset native || status=1
ctest --preset sanitize || status=1
source scripts/wine-env.sh
tarnik_wine_prepare
ctest --preset windows || status=1
exit $status
