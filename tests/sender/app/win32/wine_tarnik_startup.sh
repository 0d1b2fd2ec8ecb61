#!/usr/bin/env bash
# Start-up of the real tarnik.exe under Wine: the language value of
# tarnik.ini and its three fixed messages, the English resource library,
# and the single-instance rule.
#   wine_tarnik_startup.sh BUILD_DIR
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/tarnik_gui_env.sh" "$1" 2>/dev/null

# expect_refusal LABEL MESSAGE: the start shows MESSAGE in a box captioned
# "tarnik" with OK and Cancel, opens no main window and ends after OK.
expect_refusal() {
    local label=$1 message=$2
    start_tarnik
    check "$label: message" "$message" "$(drv message tarnik 15000)"
    check "$label: box has Cancel" "1 1 0" "$(drv dstate tarnik 2)"
    check "$label: no main window" "1" "$(drv find 0 >/dev/null; echo $?)"
    drv dclick tarnik 1 >/dev/null
    wait "$gui_last_pid"
    check "$label: exit code" "0" "$?"
}

rm -f "$gui_program/tarnik.ini"
expect_refusal "no settings file" "LAN=? in tarnik.ini"
write_ini none "[COM]" "CurrentCom=1"
expect_refusal "Lan missing" "LAN=? in tarnik.ini"
write_ini "Lan="
expect_refusal "Lan empty" "tarnik.ini file is wrong!LAN=?"
write_ini "Lan=english"
expect_refusal "Lan in the wrong case" "LAN=? in tarnik.ini"
mv "$gui_program/Anglet.dll" "$gui_work/Anglet.dll"
write_ini "Lan=English"
expect_refusal "English without Anglet.dll" "Failed to load (Anglet.dll)the localized resources!"
mv "$gui_work/Anglet.dll" "$gui_program/Anglet.dll"

# Chinese: the program's own texts; a second start ends at once with 1.
write_ini "Lan=Chinese"
start_tarnik
first_pid=$gui_last_pid
check "Chinese: main window" "0" "$(drv find 15000; echo $?)"
check "Chinese: status" "准备就绪" "$(drv text 1006)"
(cd "$gui_program" && timeout 30 wine tarnik.exe >/dev/null 2>&1)
check "second instance: exit code" "1" "$?"
check "second instance: no message box" "1" "$(drv dialog tarnik 0; echo $?)"
gui_last_pid=$first_pid
exit_tarnik

# English: every text from Anglet.dll.
write_ini "Lan=English"
start_tarnik
check "English: main window" "0" "$(drv find 15000; echo $?)"
check "English: status" "Ready" "$(drv text 1006)"
drv post 274 16 0 >/dev/null  # WM_SYSCOMMAND with the About item
check "English: About box" "0" "$(drv dialog 'About Tarnik' 10000; echo $?)"
drv dclick 'About Tarnik' 1 >/dev/null
exit_tarnik
wait "$gui_last_pid"
check "English: exit code after Exit" "0" "$?"

gui_finish
