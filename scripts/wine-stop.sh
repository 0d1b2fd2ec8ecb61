# Sourced by scripts/test-all.sh (it sets nothing else, so the native
# tests keep the machine's own environment).
#
# What a test run starts it stops again, on success and on failure, and
# nothing else: the Wine servers of its own prefixes (with every Wine
# process of them: services.exe, rpcss.exe, winedevice.exe ...) and the X
# servers it started itself on its displays. Other users' servers, and X
# servers that were up before the run, are left alone.
#   tarnik_wine_track DISPLAY...         before the run: notes which are up
#   tarnik_wine_stop_started PREFIX...   at its end (an EXIT trap)

# The process an X display's lock file names, when it is an X server of
# this user.
_tarnik_own_x_server() {
    local lock=/tmp/.X${1#:}-lock pid
    [ -r "$lock" ] || return 1
    pid=$(tr -dc '0-9' <"$lock")
    [ -n "$pid" ] && [ "$(ps -o uid= -p "$pid" 2>/dev/null | tr -d ' ')" = "$(id -u)" ] &&
        [ "$(ps -o comm= -p "$pid" 2>/dev/null)" = Xvfb ] && echo "$pid"
}

tarnik_wine_track() {
    _tarnik_tracked_displays=("$@")
    _tarnik_x_before=" "
    local display
    for display in "$@"; do
        # No server on the display is the usual case on a fresh machine: not
        # a failure of the run (the script runs under set -e).
        _tarnik_x_before+="$(_tarnik_own_x_server "$display" || true) "
    done
}

tarnik_wine_stop_started() {
    local prefix display pid
    for prefix in "$@"; do
        [ -f "$prefix/system.reg" ] || continue
        WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 </dev/null || true
        WINEPREFIX=$prefix timeout 30 wineserver -w >/dev/null 2>&1 </dev/null || true
    done
    for display in "${_tarnik_tracked_displays[@]}"; do
        pid=$(_tarnik_own_x_server "$display") || continue
        case "${_tarnik_x_before:- }" in *" $pid "*) continue ;; esac
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    done
}
