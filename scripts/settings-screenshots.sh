#!/usr/bin/env bash
# Pictures of the job sender's settings dialog in both languages, for a
# look at its layout: the real tarnik.exe of a Windows build under Wine,
# the dialog opened with the Option button and captured on its own.
#   scripts/settings-screenshots.sh [BUILD_DIR [OUT_DIR]]
# BUILD_DIR defaults to build/windows, OUT_DIR to BUILD_DIR/screenshots;
# the pictures are settings_chinese.png and settings_english.png.
# TARNIK_GUI_DISPLAY chooses the X display (as for the GUI tests).
# The main window (idle and sending) and the file settings dialog are
# pictured by the GUI tests themselves: wine_tarnik_window and
# wine_tarnik_job_road leave tarnik_main_idle.png, tarnik_main_sending.png
# and tarnik_file_settings.png in BUILD_DIR.
set -uo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$top/build/windows}" && pwd)
out=${2:-$build/screenshots}
mkdir -p "$out"
source "$top/tests/sender/app/win32/tarnik_gui_env.sh" "$build" 2>/dev/null

# shoot LAN CAPTION NAME: starts the program in that language, opens the
# settings dialog and captures its window.
shoot() {
    write_ini "Lan=$1" "[COM]" "CurrentCom=3"
    start_tarnik
    drv find 15000 || { echo "no main window ($1)"; return 1; }
    drv click 1001 >/dev/null
    drv dialog "$2" 10000 || { echo "no settings dialog ($1)"; return 1; }
    sleep 0.5
    local window
    window=$(xdotool search --name "^$2\$" | head -n 1)
    import -display "$DISPLAY" -window "${window:-root}" "$out/$3.png" &&
        echo "$out/$3.png"
    drv dclick "$2" 1020 >/dev/null
    dialog_gone "$2"
    exit_tarnik
}

status=0
shoot Chinese 设置 settings_chinese || status=1
shoot English Settings settings_english || status=1
exit $status
