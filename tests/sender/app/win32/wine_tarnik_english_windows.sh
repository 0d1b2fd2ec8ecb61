#!/usr/bin/env bash
# tarnik.exe as on an English Windows (ANSI code page 1252) run by a
# standard user: the Chinese texts of the string table, the dialog
# templates and the framework's messages stay readable, a settings file
# that refuses writes is named in a message in both languages, a plot file
# with nothing to cut opens no dialog, and cut to file holds for model NVAS.
#   wine_tarnik_english_windows.sh BUILD_DIR
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/tarnik_gui_env.sh" "$1" 2>/dev/null
# Every program started from here on gets code page 1252.
export LANG=C.UTF-8 LC_ALL=C.UTF-8

SETTINGS=设置
com=9
start_plotter $com
settings=("[COM]" "CurrentCom=$com" "[Model]" "Mode=2" "[CutConfig]" "PortType=0"
          "[AutoGET]" "ColExportFilename=tarnik_export.plt")
temp_dir=$(command winepath -u "$(drv temp)" 2>/dev/null)
export_file=$temp_dir/tarnik_export.plt
ini=$gui_program/tarnik.ini

# refuse_writes: until the next OK is answered, the settings file is held
# open by another program, so every profile write to it fails, as a
# standard user's write to the program folder does on Windows (Wine, run
# as root here, would write a read-only file).
refuse_writes() {
    rm -f "$gui_work/hold.out"
    # Not through drv: its filter would hold "held" back until the end.
    ( (wine "$gui_build/tarnik_gui_driver.exe" hold "Z:$ini" 4000 2>/dev/null
       echo released) >"$gui_work/hold.out" &)
    for _ in $(seq 50); do
        grep -q held "$gui_work/hold.out" 2>/dev/null && return 0
        sleep 0.1
    done
}
# writes_taken_again: until the hold of refuse_writes has ended.
writes_taken_again() {
    for _ in $(seq 100); do
        grep -q released "$gui_work/hold.out" 2>/dev/null && return 0
        sleep 0.1
    done
}

# names_the_file TEXT MESSAGE: 1 when MESSAGE is TEXT and the settings path.
names_the_file() {
    [[ "$2" == "$1 "*"program"?"tarnik.ini" ]] && echo 1
}

check "ANSI code page" "1252" "$(drv acp)"

# --- Chinese, the settings file refusing writes (a standard user's) ---
write_ini "Lan=Chinese" "${settings[@]}"
before=$(cat "$ini")
start_tarnik
check "main window" "0" "$(drv find 15000; echo $?)"
check "main window shown" "0" "$(wait_shown; echo $?)"
check "status string as UTF-16" "准备就绪" "$(wait_for_text 1006 准备就绪)"
drv click 1001 >/dev/null
check "settings dialog found by its Chinese caption" "0" "$(drv dialog $SETTINGS 10000; echo $?)"
check "mark colours from the string table" "3 0 无" "$(wait_for_list $SETTINGS 1033 "3 0 无")"
refuse_writes
drv dclick $SETTINGS 1 >/dev/null
check "refused save: message names the file" "1" \
    "$(names_the_file 无法保存设置到 "$(drv message tarnik 10000)")"
dismiss tarnik 1
check "refused save: file unchanged" "$before" "$(cat "$ini")"

# A plot file with only a pen-up, and a drawing picked by mistake.
printf 'IN;PU100,100;' >"$gui_work/pen_up.plt"
offer_job "$gui_work/pen_up.plt"
check "nothing to cut: no file settings dialog" "1" "$(drv dialog 文件设置 2000; echo $?)"
check "nothing to cut: back to ready" "准备就绪" "$(wait_for_text 1006 准备就绪)"

# The framework's message of the file settings dialog.
offer_job "$gui_top/samples/sign.plt"
check "file settings dialog" "0" "$(drv dialog 文件设置 10000; echo $?)"
drv dset 文件设置 1009 "1x" >/dev/null
drv dclick 文件设置 1 >/dev/null
check "framework message as UTF-16" "请输入一个整数。" "$(drv message tarnik 10000)"
dismiss tarnik 1
drv dclick 文件设置 2 >/dev/null
dialog_gone 文件设置
exit_tarnik
writes_taken_again

# --- English: the same refusal in English; cut to file with model NVAS ---
write_ini "Lan=English" "${settings[@]}"
start_tarnik
check "English: main window" "0" "$(drv find 15000; echo $?)"
check "English: main window shown" "0" "$(wait_shown; echo $?)"
drv click 1001 >/dev/null
drv dialog Settings 10000 >/dev/null
refuse_writes
drv dclick Settings 1 >/dev/null
check "English: refused save: message names the file" "1" \
    "$(names_the_file "Cannot save the settings to" "$(drv message tarnik 10000)")"
dismiss tarnik 1
writes_taken_again

offset=$(size_of "$received")
offer_job "$gui_top/samples/sign.plt"
drv dialog "File settings" 10000 >/dev/null
drv dclick "File settings" 1060 >/dev/null
sleep 0.3
drv dclick "File settings" 1 >/dev/null
check "NVAS cut to file: save dialog" "0" \
    "$(choose_file "$gui_work/nvas.plt" "Save As" 另存为; echo $?)"
check "NVAS cut to file: message" "Save OK!" "$(drv message tarnik 10000)"
drv dclick tarnik 1 >/dev/null
check "NVAS cut to file: an HPGL job saved" "1" \
    "$(grep -q '!PG;$' "$gui_work/nvas.plt" 2>/dev/null && echo 1)"
check "NVAS cut to file: nothing at the plotter" "$offset" "$(sleep 0.5; size_of "$received")"
exit_tarnik
gui_finish
