# Sourced by the package and Inkscape route tests: a work folder removed at
# the end, fail, and a plotter simulator on $work/plotter.
work=$(mktemp -d)
simulator=
cleanup() {
    [ -n "$simulator" ] && kill "$simulator" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# start_simulator PROGRAM OPTION...: the simulator in the background, its
# bytes into $work/received.job; back once its link $work/plotter is there.
start_simulator() {
    "$1" --link "$work/plotter" --out "$work/received.job" "${@:2}" >/dev/null 2>&1 &
    simulator=$!
    for _ in $(seq 100); do [ -e "$work/plotter" ] && break; sleep 0.05; done
}

# simulator_done: waits until the simulator has ended (its --idle-exit).
simulator_done() {
    wait "$simulator"
    simulator=
}
