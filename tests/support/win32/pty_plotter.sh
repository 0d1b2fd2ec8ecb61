# Sourced by the Wine test scripts: the plotter of pty_plotter.py behind a
# COM port of the prefix.
_pty_plotter_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# start_pty_plotter WORK LINK [VANISH_AFTER]: starts the plotter in the
# background (its pid in pty_plotter_pid) and waits until LINK leads to it.
start_pty_plotter() {
    rm -f "$1/ready"
    python3 "$_pty_plotter_dir/pty_plotter.py" "$@" &
    pty_plotter_pid=$!
    local _
    for _ in $(seq 100); do
        [ -f "$1/ready" ] && return 0
        sleep 0.05
    done
    echo "pty_plotter: no plotter behind $2" >&2
    return 1
}
