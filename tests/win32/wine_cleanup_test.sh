#!/usr/bin/env bash
# The test command's clean-up (scripts/wine-stop.sh): a run that started an
# X server and Wine's processes for its prefix and then failed leaves none
# of them behind, while an X server that was up before it stays up.
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*"; exit 1; }

free_display() {
    local n
    for n in $(seq "$1" 299); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { echo ":$n"; return; }
    done
}
# An X server of "another user" (one the run did not start) on a display of
# the run.
before=$(free_display 180)
Xvfb "$before" -screen 0 64x64x8 -nolisten tcp >/dev/null 2>&1 &
other=$!
trap 'kill $other 2>/dev/null' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X${before#:}-lock" ] && break; sleep 0.1; done
display=$(free_display $((${before#:} + 1)))
prefix=${TARNIK_WINE_ROOT:-$top/build/wine}/prefix

# Wine's processes and X servers that carry the prefix in their environment
# (this script's own helpers carry it too when the suite set it).
prefix_processes() {
    local environ pid
    for environ in /proc/[0-9]*/environ; do
        tr '\0' '\n' 2>/dev/null <"$environ" | grep -qx "WINEPREFIX=$prefix" || continue
        pid=${environ//[^0-9]/}
        ps -o comm= -p "$pid" 2>/dev/null | grep -qE "^(Xvfb|wine.*|.*\.exe)$" && echo "$pid"
    done
}
# Those of the suite around this test (its X server, a running Wine server)
# are not the run's.
already=" $(prefix_processes | tr '\n' ' ') "

# A run as scripts/test-all.sh makes it, ending in failure.
TARNIK_DISPLAY=$display bash -c '
    source "$1/scripts/wine-stop.sh"
    tarnik_wine_track "$2" "$3"
    trap "tarnik_wine_stop_started \"$4\"" EXIT
    source "$1/scripts/wine-env.sh"
    tarnik_wine_prepare
    wine cmd /c exit 0 >/dev/null 2>&1
    exit 1' run "$top" "$display" "$before" "$prefix"
[ $? -eq 1 ] || fail "the run's own status was not kept"

[ -e "/tmp/.X${display#:}-lock" ] && fail "the X server the run started on $display is still up"
kill -0 "$other" 2>/dev/null || fail "the X server that was up before the run was stopped"
# Processes the server killed may take a moment to be gone.
started_left() {
    local pid
    for pid in $(prefix_processes); do
        case $already in *" $pid "*) ;; *) echo "$pid: $(ps -o args= -p "$pid")" ;; esac
    done
}
for _ in $(seq 20); do
    left=$(started_left)
    [ -z "$left" ] && break
    sleep 0.25
done
[ -z "$left" ] || fail "processes the run started for its prefix are still running: $left"
echo "wine clean-up: the run's X server and Wine processes stopped, the other X server kept"
