#!/usr/bin/env bash
# README command (2): every test, native and under Wine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
scripts/install-deps.sh
scripts/build.sh native sanitize windows
source scripts/wine-env.sh
tarnik_wine_prepare
status=0
ctest --preset native || status=1
ctest --preset sanitize || status=1
ctest --preset windows || status=1
wineserver -w 2>/dev/null || true
exit $status
