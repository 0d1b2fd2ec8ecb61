#!/usr/bin/env bash
# Soak of the whole serial road, with its figures on stdout:
#   scripts/soak.sh [JOBS] [WINE_JOBS]
# (a) JOBS (default 1000) plot files of varied sizes and settings through
#     tarnik-cli cut --port into the plotter simulator, each compared byte
#     by byte with tarnik-cli --output; peak RSS and open descriptors of the
#     first and the last hundred senders (tests/soak/soak_cli.py);
# (b) WINE_JOBS (default 100) job messages to the real tarnik.exe under
#     Wine, COM9 on a pseudo-terminal into the simulator, each compared with
#     tarnik-cli --output; responsiveness and the handle count at the end
#     (tests/soak/soak_wine.sh). A WINE_JOBS of 0 skips it.
# Builds the native and Windows presets first when their programs are missing.
set -uo pipefail
cd "$(dirname "$0")/.."
jobs=${1:-1000}
wine_jobs=${2:-100}
[ -f /work/ccache-env.sh ] && source /work/ccache-env.sh
[ -x build/native/cli/tarnik-cli ] && [ -x build/native/tools/plotter_sim ] || scripts/build.sh native
status=0
python3 tests/soak/soak_cli.py build/native "$jobs" || status=1
if [ "$wine_jobs" -gt 0 ]; then
    [ -f build/windows/tarnik.exe ] && [ -f build/windows/tarnik_gui_driver.exe ] ||
        scripts/build.sh windows
    bash tests/soak/soak_wine.sh build/windows "$wine_jobs" || status=1
fi
exit $status
