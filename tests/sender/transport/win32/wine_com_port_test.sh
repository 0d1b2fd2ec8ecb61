#!/usr/bin/env bash
# Runs the Win32RealPort tests against a real COM port: COM9 of the Wine
# prefix leads to the plotter of pty_plotter.py, which records what it
# reads.
#   wine_com_port_test.sh TARNIK_TESTS_EXE
set -euo pipefail
exe=$1
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../.." && pwd)
source "$top/scripts/wine-env.sh"
source "$top/tests/support/win32/pty_plotter.sh"
tarnik_wine_prepare

com=9
work=$(mktemp -d)
link="$WINEPREFIX/dosdevices/com$com"
cleanup() {
    touch "$work/stop"
    wait 2>/dev/null || true
    rm -f "$link"
    rm -rf "$work"
}
trap cleanup EXIT

# Once the test makes the vanish file, the cable is pulled a few blocks
# into the job.
start_pty_plotter "$work" "$link" 5000

# The server opens the terminal end for the program: when the plotter
# closes the controlling end, the server gets a hang-up and dumps its
# objects on stderr. Start it here (if none runs) with stderr discarded.
wineserver >/dev/null 2>&1 </dev/null || true

export TARNIK_WINE_COM=$com
export TARNIK_WINE_RECEIVED="Z:${work//\//\\}\\received.bin"
timeout 60 wine "$exe" --gtest_filter='Win32RealPort*' --gtest_brief=1

# Last: the far end goes away in the middle of a job.
export TARNIK_WINE_PULL="Z:${work//\//\\}\\vanish"
timeout 60 wine "$exe" --gtest_filter='Win32PulledCable*' --gtest_brief=1
