#!/usr/bin/env bash
# The settings dialog of the real tarnik.exe under Wine, opened with the
# Option button: its lists and hidden serial boxes, the USB port toggle,
# the range rules with the framework's messages, cancel and OK and what
# they write to tarnik.ini, the port text afterwards, and the export
# watcher that a save in automatic mode restarts.
#   wine_tarnik_settings.sh BUILD_DIR
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/tarnik_gui_env.sh" "$1" 2>/dev/null

SETTINGS=设置
OK=1
CANCEL=1020

# The value of KEY in tarnik.ini (keys are unique across its sections).
ini_value() {
    grep -a "^$1=" "$gui_program/tarnik.ini" | head -n 1 | cut -d= -f2- | tr -d '\r'
}

# check_list LABEL TITLE ID LIST: the dialog list reads LIST (once refilled).
check_list() {
    check "$1" "$4" "$(wait_for_list "$2" "$3" "$4")"
}

open_settings() {
    drv click 1001 >/dev/null
    drv dialog "$SETTINGS" 10000
}

# refused LABEL TEXT MESSAGE: edit 1008 holds TEXT, OK shows MESSAGE and the
# dialog stays open.
refused() {
    drv dset "$SETTINGS" 1008 "$2" >/dev/null
    drv dclick "$SETTINGS" $OK >/dev/null
    check "$1: message" "$3" "$(drv message tarnik 10000)"
    dismiss tarnik 1
    check "$1: dialog stays open" "0" "$(drv dialog "$SETTINGS" 0; echo $?)"
}

write_ini "Lan=Chinese" "[COM]" "CurrentCom=3" "[Model]" "Mode=2" "[AutoGET]" "WaitSecond=9" \
    "[CutConfig]" "USBPort=5" "CloseOffset=0.5"
start_tarnik
check "main window" "0" "$(drv find 15000; echo $?)"
check "model text" "MODEL: NVAS" "$(drv text 1008)"
threads_idle=$(drv threads)

# Lists and hidden boxes as the dialog opens.
check "opened by Option" "0" "$(open_settings; echo $?)"
check_list "port list: COM ports, COM3 selected" "$SETTINGS" 1030 "254 2 COM3"
check_list "model list: NVA, Mode 2 selects nothing" "$SETTINGS" 1031 "1 -1"
check_list "mark colour list" "$SETTINGS" 1033 "3 0 无"
check_list "baud rate box" "$SETTINGS" 1026 "5 1 38400"
check_list "parity box" "$SETTINGS" 1027 "5 0 None"
check_list "data bits box" "$SETTINGS" 1028 "3 0 8"
check_list "stop bits box" "$SETTINGS" 1029 "3 0 1"
check "wait box hidden and disabled" "0 0 0" "$(drv dstate "$SETTINGS" 1012)"
check "stored wait 9 shown as 5" "5" "$(drv dtext "$SETTINGS" 1012)"
check "closing offset" "0.5" "$(drv dtext "$SETTINGS" 1008)"
check "browse button hidden" "0 0 0" "$(drv dstate "$SETTINGS" 1000)"

drv dclick "$SETTINGS" 1079 >/dev/null
check_list "USB ticked: USB ports, USB005 selected" "$SETTINGS" 1030 "19 4 USB005"
drv dclick "$SETTINGS" 1079 >/dev/null
check_list "USB unticked: COM3 again" "$SETTINGS" 1030 "254 2 COM3"

# Cancel after changes: only the two divisors reach the file.
drv dset "$SETTINGS" 1008 "1.5" >/dev/null
drv dclick "$SETTINGS" $CANCEL >/dev/null
check "cancel closes" "0" "$(dialog_gone "$SETTINGS"; echo $?)"
check "cancel: X divisor written" "1.000000" "$(ini_value XSizeRedeem)"
check "cancel: Y divisor written" "1.000000" "$(ini_value YSizeRedeem)"
check "cancel: closing offset unchanged" "0.5" "$(ini_value CloseOffset)"
check "cancel: wait unchanged" "9" "$(ini_value WaitSecond)"
check "cancel: port text unchanged" "COM:COM3" "$(drv text 1007)"

# The range rules, then OK with a new port.
open_settings >/dev/null
refused "closing offset 0" "0" "请输入一个在 0.01 和 2 之间的数字。"
refused "closing offset 2.5" "2.5" "请输入一个在 0.01 和 2 之间的数字。"
refused "closing offset not a number" "abc" "请输入一个数。"
drv dset "$SETTINGS" 1008 "2" >/dev/null
drv dselect "$SETTINGS" 1030 5 >/dev/null
drv dclick "$SETTINGS" $OK >/dev/null
check "closing offset 2 accepted" "0" "$(dialog_gone "$SETTINGS"; echo $?)"
threads_first_save=$(drv threads)
check "OK: CloseOffset" "2.00" "$(ini_value CloseOffset)"
check "OK: SharpOffset" "0.30" "$(ini_value SharpOffset)"
check "OK: ReducePoint" "0.20" "$(ini_value ReducePoint)"
check "OK: XSTEPS" "0.0" "$(ini_value XSTEPS)"
check "OK: XDesignSize" "100.000" "$(ini_value XDesignSize)"
check "OK: YTrueSize" "100.000" "$(ini_value YTrueSize)"
check "OK: the stored model NVAS is kept" "2" "$(ini_value Mode)"
check "OK: FlagColor" "0" "$(ini_value FlagColor)"
check "OK: WaitSecond" "5" "$(ini_value WaitSecond)"
check "OK: CloseEnble" "0" "$(ini_value CloseEnble)"
check "OK: PortType" "0" "$(ini_value PortType)"
check "OK: CurrentCom" "6" "$(ini_value CurrentCom)"
check "OK: USBPort left alone" "5" "$(ini_value USBPort)"
check "OK: port text" "COM: COM6" "$(drv text 1007)"
check "OK: model text unchanged" "MODEL: NVAS" "$(drv text 1008)"
check "OK: status" "准备就绪" "$(drv text 1006)"

# A second save in automatic mode, now to a USB printer port.
open_settings >/dev/null
drv dclick "$SETTINGS" 1079 >/dev/null
# The USB list must be in the box before an entry of it is chosen.
check_list "USB list before the choice" "$SETTINGS" 1030 "19 4 USB005"
drv dselect "$SETTINGS" 1030 1 >/dev/null
drv dclick "$SETTINGS" $OK >/dev/null
check "USB save closes" "0" "$(dialog_gone "$SETTINGS"; echo $?)"
check "USB save: PortType" "1" "$(ini_value PortType)"
check "USB save: USBPort" "2" "$(ini_value USBPort)"
check "USB save: CurrentCom left alone" "6" "$(ini_value CurrentCom)"
check "USB save: port text" "USB:USB002" "$(drv text 1007)"

# One watcher whatever the number of saves; the file mode radio ends it.
sleep 0.5
check "a save starts one watcher" "$((threads_idle + 1))" "$threads_first_save"
check "a second save keeps one watcher" "$threads_first_save" "$(drv threads)"
watched_folder=$(winepath -u "$(drv temp)" 2>/dev/null)
check "watched folder found" "0" "$([ -d "$watched_folder" ]; echo $?)"
echo "changed" >"$watched_folder/tarnik-watch-probe.txt"
sleep 1
check "a change in the folder shows nothing" "准备就绪" "$(drv text 1006)"
check "a change in the folder opens no box" "1" "$(drv dialog tarnik 0; echo $?)"
drv post 273 1018 0 >/dev/null  # WM_COMMAND from the hidden file mode radio
sleep 1
check "file mode radio ends the watcher" "$threads_idle" "$(drv threads)"

exit_tarnik
wait "$gui_last_pid" 2>/dev/null

# The English dialog comes from Anglet.dll, with the framework's English
# messages.
write_ini "Lan=English" "[COM]" "CurrentCom=2"
start_tarnik
check "English: main window" "0" "$(drv find 15000; echo $?)"
drv click 1001 >/dev/null
check "English: Settings dialog" "0" "$(drv dialog Settings 10000; echo $?)"
check_list "English: mark colour list" Settings 1033 "3 0 None"
check "English: USB box" "USB printer port" "$(drv dtext Settings 1079)"
drv dset Settings 1009 "1.5" >/dev/null
drv dclick Settings $OK >/dev/null
check "English: knife offset 1.5 refused" "Please enter a number between 0.01 and 1." \
    "$(drv message tarnik 10000)"
dismiss tarnik 1
dismiss Settings $CANCEL
exit_tarnik
gui_finish
