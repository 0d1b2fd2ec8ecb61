#!/usr/bin/env bash
# The contour-cut macro's print link of the real tarnik.exe under Wine:
# WM_MACRO_PRINT while the link is not enabled (as the program starts)
# closes the macro's print dialog, which another process shows titled with
# the export folder, and neither types into it, presses it, touches an old
# print file nor starts a job; without a dialog the message does nothing.
#   wine_tarnik_macro.sh BUILD_DIR
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/tarnik_gui_env.sh" "$1" 2>/dev/null

WM_MACRO_PRINT=1125
report=$gui_work/dialog-report.txt
old_print=$WINEPREFIX/drive_c/myoutput.prn

# Starts the fake print dialog (field kind, button caption) titled with the
# export folder text; its pid goes to gui_pids and dialog_pid.
start_dialog() {
    wine "$gui_build/fake_print_dialog.exe" "$export_folder" "$1" "$2" "$(winpath "$report")" 60 \
        >/dev/null 2>&1 &
    dialog_pid=$!
    gui_pids+=("$dialog_pid")
}

# The dialog's report once it has one, up to 10 s.
dialog_report() {
    for _ in $(seq 100); do
        [ -s "$report" ] && break
        sleep 0.1
    done
    cat "$report" 2>/dev/null
}

write_ini "Lan=Chinese" "[COM]" "CurrentCom=3" "[Model]" "Mode=1" "[AutoGET]" \
    "ColExportFilename=export.plt" "WaitSecond=1"
start_tarnik
check "main window" "0" "$(drv find 15000; echo $?)"
# The main window takes the temporary folder as its export folder.
export_folder=$(drv temp)

check "no dialog: answered 0" "0" "$(drv send $WM_MACRO_PRINT 0 0)"
check "no dialog: still idle" "准备就绪" "$(drv text 1006)"

printf 'old print' >"$old_print"
for field in edit comboex; do
    rm -f "$report"
    start_dialog "$field" export.plt
    check "$field dialog shown" "0" "$(drv dialog "$export_folder" 15000; echo $?)"
    drv post $WM_MACRO_PRINT 0 0 >/dev/null
    check "$field dialog closed, not pressed" "closed" "$(dialog_report)"
    wait "$dialog_pid"
    check "$field dialog gone" "1" "$(drv dialog "$export_folder" 0; echo $?)"
done
check "old print untouched" "old print" "$(cat "$old_print" 2>/dev/null)"
check "no job: status" "准备就绪" "$(drv text 1006)"
check "no job: cancel 1000" "1 0 0" "$(drv state 1000)"
check "no job: cut from file 1002" "1 1 0" "$(drv state 1002)"
rm -f "$old_print"

exit_tarnik
gui_finish
