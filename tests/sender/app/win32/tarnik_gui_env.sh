# Sourced by the tarnik.exe GUI tests: a Wine prefix and X display of their
# own (so that waiting for the prefix's programs never waits for other
# tests), a private program folder with tarnik.exe, Anglet.dll and a
# tarnik.ini, a plotter on a COM port, and helpers to start the program and
# drive it.
#   source tarnik_gui_env.sh BUILD_DIR
gui_build=$(cd "$1" && pwd)
gui_top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../.." && pwd)
export TARNIK_WINE_ROOT=${TARNIK_GUI_WINE_ROOT:-$gui_build/wine-gui}
export TARNIK_DISPLAY=${TARNIK_GUI_DISPLAY:-:95}
source "$gui_top/scripts/wine-env.sh"
source "$gui_top/tests/support/win32/pty_plotter.sh"
tarnik_wine_prepare
# A running server keeps each program start short.
wineserver -p >/dev/null 2>&1 </dev/null || true

gui_work=$(mktemp -d /tmp/tarnik-gui.XXXXXX)
gui_program=$gui_work/program
mkdir -p "$gui_program"
cp "$gui_build/tarnik.exe" "$gui_build/Anglet.dll" "$gui_program/"
gui_pids=()
gui_failures=0
plotter_link=

gui_cleanup() {
    local pid
    for pid in "${gui_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${gui_pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    [ -z "$plotter_link" ] || rm -f "$plotter_link"
    rm -rf "$gui_work"
}
trap gui_cleanup EXIT

# Windows path of a Linux path (the prefix maps Z: to /).
winpath() {
    local path=$1
    echo "Z:${path//\//\\}"
}

# tarnik.ini of the program folder: "Lan" line given as it should appear
# (or "none" for no Language section), then any further lines.
write_ini() {
    local lan=$1
    shift
    {
        if [ "$lan" != none ]; then
            printf '[Language]\r\n%s\r\n' "$lan"
        fi
        local line
        for line in "$@"; do
            printf '%s\r\n' "$line"
        done
    } >"$gui_program/tarnik.ini"
}

# start_plotter COM [VANISH_AFTER]: the plotter of pty_plotter.py behind
# COMn, recording into $received; $gui_work/hold and $gui_work/vanish
# steer it.
received=$gui_work/received.bin
start_plotter() {
    plotter_link=$WINEPREFIX/dosdevices/com$1
    shift
    start_pty_plotter "$gui_work" "$plotter_link" "$@"
    gui_pids+=("$pty_plotter_pid")
}

size_of() { stat -c %s "$1" 2>/dev/null || echo 0; }

# wait_for_size FILE BYTES: 0 once FILE holds BYTES or more (up to 30 s).
wait_for_size() {
    for _ in $(seq 150); do
        [ "$(size_of "$1")" -ge "$2" ] && return 0
        sleep 0.2
    done
    return 1
}

# The job from the drawing program's macro: the export file, then
# WM_JOB_READY; the file settings dialog comes when the job is taken.
WM_JOB_READY=1124
FILE_SETTINGS=文件设置
# offer_job PLOT: PLOT as the export file ($export_file), WM_JOB_READY posted.
offer_job() {
    cp "$1" "$export_file"
    drv post $WM_JOB_READY 0 0 >/dev/null
}
# send_job PLOT: offer_job, then OK in the file settings dialog.
send_job() {
    offer_job "$1"
    drv dialog $FILE_SETTINGS 10000 >/dev/null
    drv dclick $FILE_SETTINGS 1 >/dev/null
}

# start_program EXE: starts EXE of the program folder in the background;
# its pid goes to gui_pids and gui_last_pid, its output to tarnik.out.
start_program() {
    (cd "$gui_program" && exec wine "$1" >"$gui_work/tarnik.out" 2>&1) &
    gui_last_pid=$!
    gui_pids+=("$gui_last_pid")
}
start_tarnik() { start_program tarnik.exe; }

drv() {
    wine "$gui_build/tarnik_gui_driver.exe" "$@" 2>/dev/null | tr -d '\r'
    return "${PIPESTATUS[0]}"
}

# check LABEL EXPECTED ACTUAL
check() {
    if [ "$2" == "$3" ]; then
        echo "ok   $1"
    else
        echo "FAIL $1: expected [$2], got [$3]"
        gui_failures=$((gui_failures + 1))
        gui_report
    fi
}

# What a failed check needs for its diagnosis: the program's own output and
# the windows the prefix holds (once per run, the first failure tells most).
gui_reported=0
gui_report() {
    [ "$gui_reported" -eq 0 ] || return 0
    gui_reported=1
    echo "---- tarnik.exe output"
    tail -n 20 "$gui_work/tarnik.out" 2>/dev/null
    echo "---- top-level windows"
    drv windows
    echo "----"
}

# wait_for_text ID TEXT: the main window control's text once it reads TEXT,
# or what it reads after 10 s.
wait_for_text() {
    local text
    for _ in $(seq 50); do
        text=$(drv text "$1")
        [ "$text" == "$2" ] && break
        sleep 0.2
    done
    echo "$text"
}

# wait_shown: until the main window is shown (up to 10 s). It is shown once
# its initialisation is over, which removes a stale export file: an export
# file put down before would be taken for one.
wait_shown() {
    for _ in $(seq 50); do
        [ "$(drv visible)" == 1 ] && return 0
        sleep 0.2
    done
    return 1
}

# wait_for_list TITLE ID LIST: the dialog list's "count selection text"
# once it reads LIST, or what it reads after 5 s. A click is posted, so the
# list it refills may still hold the old entries when the driver asks.
wait_for_list() {
    local list
    for _ in $(seq 25); do
        list=$(drv dlist "$1" "$2")
        [ "$list" == "$3" ] && break
        sleep 0.2
    done
    echo "$list"
}

# wait_gone PATH: 0 once the file is gone (up to 5 s).
wait_gone() {
    for _ in $(seq 50); do
        [ -e "$1" ] || return 0
        sleep 0.1
    done
    return 1
}

# dialog_gone TITLE: 0 once no dialog has that caption (up to 5 s).
dialog_gone() {
    for _ in $(seq 25); do
        drv dialog "$1" 0 || return 0
        sleep 0.2
    done
    return 1
}

# dismiss TITLE BUTTON: presses the dialog's button and waits until it is gone.
dismiss() {
    drv dclick "$1" "$2" >/dev/null
    dialog_gone "$1"
}

# choose_file PATH TITLE...: in the file dialog captioned one of the TITLEs
# (the first that comes within 5 s), PATH as the file name and OK; fails
# when none came.
choose_file() {
    local path title
    # Wine's own name of the path: the export file under C: is then the
    # name the program itself uses for it.
    path=$(winepath -w "$1" 2>/dev/null)
    shift
    for title in "$@"; do
        drv dialog "$title" 5000 >/dev/null || continue
        drv dset "$title" 1148 "$path" >/dev/null || drv dset "$title" 1152 "$path" >/dev/null
        drv dclick "$title" 1 >/dev/null
        return 0
    done
    return 1
}

# Ends the running tarnik.exe through its Exit button and waits for it.
exit_tarnik() {
    drv click 1 >/dev/null || true
    drv gone 10000 >/dev/null || echo "tarnik.exe did not end"
    wait "$gui_last_pid" 2>/dev/null || true
}

gui_finish() {
    if [ "$gui_failures" -ne 0 ]; then
        echo "$gui_failures check(s) failed"
        exit 1
    fi
    echo "all checks passed"
}
