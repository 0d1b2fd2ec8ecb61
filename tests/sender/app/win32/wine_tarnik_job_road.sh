#!/usr/bin/env bash
# The road of a job through the real tarnik.exe under Wine: the export file
# and WM_JOB_READY as the drawing program's macro sends them, the file
# settings dialog, and the job's bytes at a plotter on a COM port mapped to
# a pseudo-terminal, compared with what tarnik-cli writes for the same file
# and settings. Then the refusals, the cut-from-file button, cut to file,
# and screenshots of the file settings dialog and of the sending look.
#   wine_tarnik_job_road.sh BUILD_DIR
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/tarnik_gui_env.sh" "$1" 2>/dev/null

com=8
# The plotter; while $gui_work/hold exists it holds the line (writes to
# the port stay pending).
start_plotter $com

settings=("Lan=Chinese" "[COM]" "CurrentCom=$com" "[Model]" "Mode=1" "[CutConfig]" "PortType=0"
          "[AutoGET]" "ColExportFilename=tarnik_export.plt")
write_ini "${settings[@]}"
temp_dir=$(winepath -u "$(drv temp)" 2>/dev/null)
export_file=$temp_dir/tarnik_export.plt
sample=$gui_top/samples/sign.plt

# What tarnik-cli makes of a plot file with the same settings: the job's
# bytes in $gui_work/NAME.job, its summary line on stdout; further
# arguments go to "cut" ("--order shortest").
cli_job() {
    (cd "$gui_work" && wine "$gui_build/cli/tarnik-cli.exe" cut --settings \
        "$(winepath "$gui_program/tarnik.ini")" --output "$(winepath "$gui_work/$2.job")" \
        "${@:3}" "$(winepath "$1")" 2>/dev/null | tr -d '\r')
}

screenshot() {
    command -v import >/dev/null && import -display "$DISPLAY" -window root "$gui_build/$1.png"
}

start_tarnik
check "main window" "0" "$(drv find 15000; echo $?)"
check "main window shown" "0" "$(wait_shown; echo $?)"

# 1 when the size a tarnik-cli summary gives (to 0.01 mm) is the file
# settings dialog's (six digits).
same_size() {
    local w h
    w=$(drv dtext $FILE_SETTINGS 1007 | tr -d '\r')
    h=$(drv dtext $FILE_SETTINGS 1008 | tr -d '\r')
    sed -n 's/^[^:]*: \([0-9.]*\) x \([0-9.]*\) mm at .*/\1 \2/p' <<<"$1" |
        awk -v w="$w" -v h="$h" '{ if ((w - $1) ^ 2 < 4e-5 && (h - $2) ^ 2 < 4e-5) print 1 }'
}

# The bytes the plotter received since $offset, once there are as many as
# tarnik-cli's job file holds, kept as NAME.job and compared with that file;
# with "settle", a second more is given for bytes that should not come.
check_received() {  # LABEL NAME CLI_JOB [settle]
    local label=$1 got=$gui_work/$2.job expected=$3
    wait_for_size "$received" $((offset + $(size_of "$expected")))
    [ "${4:-}" = settle ] && sleep 1
    tail -c +$((offset + 1)) "$received" >"$got"
    check "$label" "0" "$(cmp "$got" "$expected" >/dev/null; echo $?)"
}

# --- A serial job from the macro ---
summary=$(cli_job "$sample" sign)
expected_size=$(size_of "$gui_work/sign.job")
offset=$(size_of "$received")
offer_job "$sample"
check "file settings dialog" "0" "$(drv dialog $FILE_SETTINGS 10000; echo $?)"
check "design size as tarnik-cli reports it" "1" "$(same_size "$summary")"
check "tarnik-cli names the resolution it read" "1" \
    "$([[ "$summary" == *" mm at 800 units per inch,"* ]] && echo 1)"
check "cut to file unticked" "1 1 0" "$(drv dstate $FILE_SETTINGS 1060)"
check "dialog is topmost" "1" "$(drv topmost $FILE_SETTINGS)"
screenshot tarnik_file_settings
drv dclick $FILE_SETTINGS 1 >/dev/null
check_received "serial job bytes equal tarnik-cli's ($expected_size bytes)" serial "$gui_work/sign.job"
check "status back to ready" "准备就绪" "$(wait_for_text 1006 准备就绪)"

# --- The cut order chosen in the file settings dialog ---
# The dialog offers the three orders, shows the job's line time as
# tarnik-cli's summary gives it, and a job cut "shortest" is byte for byte
# what tarnik-cli --order shortest writes; the choice stays in tarnik.ini.
shortest_summary=$(cli_job "$sample" shortest --order shortest)
shortest_size=$(size_of "$gui_work/shortest.job")
offset=$(size_of "$received")
offer_job "$sample"
drv dialog $FILE_SETTINGS 10000 >/dev/null
check "cut order list: three orders, as drawn chosen" "3 0 按绘制顺序" \
    "$(drv dlist $FILE_SETTINGS 1101 | tr -d '\r')"
line_time=$(sed -n 's/.* bytes, travel [0-9.]* m, \([0-9:]*\) on the line.*/\1/p' <<<"$summary")
check "line time as tarnik-cli's summary ($line_time)" "传输时间 (38400 波特): $line_time" \
    "$(drv dtext $FILE_SETTINGS 1103)"
drv dselect $FILE_SETTINGS 1101 2 >/dev/null
check "cut order list: shortest chosen" "3 2 先内后外, 最短行程" \
    "$(drv dlist $FILE_SETTINGS 1101 | tr -d '\r')"
screenshot tarnik_file_settings_order
drv dclick $FILE_SETTINGS 1 >/dev/null
check_received "shortest job bytes equal tarnik-cli --order shortest ($shortest_size bytes)" shortest_serial "$gui_work/shortest.job"
check "shortest differs from the drawn order" "1" \
    "$(cmp -s "$gui_work/shortest.job" "$gui_work/sign.job" || echo 1)"
check "order kept in tarnik.ini" "Order=2" "$(tr -d '\r' <"$gui_program/tarnik.ini" | grep '^Order=')"
check "status back to ready after the shortest job" "准备就绪" "$(wait_for_text 1006 准备就绪)"
# Back to the drawn order, which the checks below compare with.
offset=$(size_of "$received")
offer_job "$sample"
drv dialog $FILE_SETTINGS 10000 >/dev/null
check "cut order list: shortest remembered" "3 2 先内后外, 最短行程" \
    "$(drv dlist $FILE_SETTINGS 1101 | tr -d '\r')"
drv dselect $FILE_SETTINGS 1101 0 >/dev/null
drv dclick $FILE_SETTINGS 1 >/dev/null
check_received "drawn order again: the drawn job's bytes" drawn_again "$gui_work/sign.job"
check "order drawn kept in tarnik.ini" "Order=0" "$(tr -d '\r' <"$gui_program/tarnik.ini" | grep '^Order=')"
check "status back to ready after the drawn job" "准备就绪" "$(wait_for_text 1006 准备就绪)"

# --- Refusals ---
printf 'IN;PU0,0;PD%s;' "$(printf '1%.0s' $(seq 46))" >"$gui_work/tall.plt"
offer_job "$gui_work/tall.plt"
check "49-character command: no dialog" "1" "$(drv dialog $FILE_SETTINGS 2000; echo $?)"
check "49-character command: export file kept" "1" "$([ -e "$export_file" ] && echo 1)"

offer_job "$sample"
drv dialog $FILE_SETTINGS 10000 >/dev/null
drv dset $FILE_SETTINGS 1009 "1x" >/dev/null
drv dclick $FILE_SETTINGS 1 >/dev/null
check "margin that is no integer: message" "请输入一个整数。" "$(drv message tarnik 10000)"
drv dclick tarnik 1 >/dev/null
check "margin that is no integer: dialog stays" "0" "$(drv dialog $FILE_SETTINGS 2000; echo $?)"
drv dclick $FILE_SETTINGS 2 >/dev/null
check "cancel deletes the export file" "0" "$(wait_gone "$export_file"; echo $?)"

# A slow job: a design with many points, and a plotter that holds the line.
python3 -c '
import sys
points = ",".join("%d,%d" % (1000 + i * 7 % 20000, 1000 + (i * 13) % 15000) for i in range(12000))
sys.stdout.write("IN;SP1;PU1000,1000;PD" + points + ";PU;SP0;")' >"$gui_work/slow.plt"
touch "$gui_work/hold"
send_job "$gui_work/slow.plt"
check "slow job: sending" "发送中。。。" "$(wait_for_text 1006 发送中。。。)"
check "slow job: cancel enabled" "1 1 0" "$(drv state 1000)"
check "slow job: exit disabled" "1 0 0" "$(drv state 1)"
screenshot tarnik_main_sending
offer_job "$sample"
check "job while sending: export file deleted" "0" "$(wait_gone "$export_file"; echo $?)"
check "job while sending: no dialog" "1" "$(drv dialog $FILE_SETTINGS 1000; echo $?)"
drv click 1000 >/dev/null
check "cancel: back to ready" "准备就绪" "$(wait_for_text 1006 准备就绪)"
rm -f "$gui_work/hold"

# pick_plot_file PATH: presses the cut-from-file button and picks PATH in
# the open dialog; fails when no open dialog came.
pick_plot_file() {
    drv click 1002 >/dev/null
    choose_file "$1" 打开 Open
}

# --- Cut from file, picking the export file itself: no copy ---
cp "$sample" "$export_file"
check "open dialog" "0" "$(pick_plot_file "$export_file"; echo $?)"
check "export file itself: the job starts" "0" "$(drv dialog $FILE_SETTINGS 10000; echo $?)"
check "export file itself: no copy error" "1" "$(drv dialog tarnik 0; echo $?)"
drv dclick $FILE_SETTINGS 2 >/dev/null
wait_gone "$export_file"

# --- Cut from file, picking another plot file: it replaces the export file ---
# A square from (2000, 1000) to (5000, 4000), unlike the sign in size; the
# export file holds the sign, so a job from a stale export file shows.
other=$gui_work/Other_Square.PLT
printf 'IN;SP1;PU2000,1000;PD5000,1000,5000,4000,2000,4000,2000,1000;PU;SP0;' >"$other"
cp "$other" "$gui_work/other.ref"
other_summary=$(cli_job "$other" other)
cp "$sample" "$export_file"
pick_plot_file "$other"
check "other file: the job starts" "0" "$(drv dialog $FILE_SETTINGS 10000; echo $?)"
check "other file: its design size" "1" \
    "$([[ $(same_size "$other_summary") == 1 && $(same_size "$summary") != 1 ]] && echo 1)"
check "other file: copied over the export file" "0" \
    "$(cmp "$export_file" "$other" >/dev/null 2>&1; echo $?)"
drv dclick $FILE_SETTINGS 2 >/dev/null
check "other file: cancel deletes the export file" "0" "$(wait_gone "$export_file"; echo $?)"
check "other file: picked file unchanged" "0" \
    "$(cmp "$other" "$gui_work/other.ref" >/dev/null 2>&1; echo $?)"

# --- Cut from file when the copy fails: a folder where the export file goes ---
mkdir "$export_file"
pick_plot_file "$other"
check "copy fails: message" "Source file error!" "$(drv message tarnik 10000)"
drv dclick tarnik 1 >/dev/null
check "copy fails: no job" "1" "$(drv dialog $FILE_SETTINGS 1000; echo $?)"
check "copy fails: export folder entry untouched" "1" \
    "$([ -d "$export_file" ] && [ -z "$(ls -A "$export_file")" ] && echo 1)"
check "copy fails: picked file unchanged" "0" \
    "$(cmp "$other" "$gui_work/other.ref" >/dev/null 2>&1; echo $?)"
rmdir "$export_file"

# --- Cut to file: the save dialog instead of the plotter ---
offer_job "$sample"
drv dialog $FILE_SETTINGS 10000 >/dev/null
drv dclick $FILE_SETTINGS 1060 >/dev/null
sleep 0.3
drv dclick $FILE_SETTINGS 1 >/dev/null
check "save dialog" "0" "$(choose_file "$gui_work/saved.plt" 另存为 "Save As"; echo $?)"
check "cut to file: message" "Save OK!" "$(drv message tarnik 10000)"
drv dclick tarnik 1 >/dev/null
check "cut to file: bytes equal tarnik-cli's" "0" \
    "$(cmp "$gui_work/saved.plt" "$gui_work/sign.job" >/dev/null; echo $?)"
check "cut to file: nothing at the plotter" "$(size_of "$received")" \
    "$(sleep 0.5; size_of "$received")"

# --- The media set in the file settings dialog ---
# Weed lines without a border are said before the dialog closes. Then a
# job mirrored, in three copies 4 mm apart, with a weeding border 5 mm out,
# moved by the margins 10 mm across and 7 mm along, is byte for byte what
# tarnik-cli cuts with the settings the dialog saved and --margin 10,7.
offset=$(size_of "$received")
offer_job "$sample"
drv dialog $FILE_SETTINGS 10000 >/dev/null
check "turn list: three turns, none chosen" "3 0 不旋转" "$(drv dlist $FILE_SETTINGS 1106 | tr -d '\r')"
drv dset $FILE_SETTINGS 1111 10 >/dev/null
drv dclick $FILE_SETTINGS 1 >/dev/null
check "weed lines without a border: message" \
    "Weed lines run out to the weeding border: set a border distance too." \
    "$(drv message tarnik 10000)"
drv dclick tarnik 1 >/dev/null
check "weed lines without a border: dialog stays" "0" "$(drv dialog $FILE_SETTINGS 2000; echo $?)"
drv dset $FILE_SETTINGS 1111 0 >/dev/null
drv dset $FILE_SETTINGS 1009 10 >/dev/null
drv dset $FILE_SETTINGS 1010 7 >/dev/null
drv dclick $FILE_SETTINGS 1107 >/dev/null
drv dset $FILE_SETTINGS 1108 3 >/dev/null
drv dset $FILE_SETTINGS 1109 4 >/dev/null
drv dset $FILE_SETTINGS 1110 5 >/dev/null
sleep 0.3
screenshot tarnik_file_settings_media
drv dclick $FILE_SETTINGS 1 >/dev/null
media_keys() {
    tr -d '\r' <"$gui_program/tarnik.ini" | grep -E '^(Mirror|Copies|CopyGap|WeedBorder)=' | xargs
}
for _ in $(seq 100); do [[ $(media_keys) == "Mirror=1"* ]] && break; sleep 0.1; done
check "media kept in tarnik.ini" "Mirror=1 Copies=3 CopyGap=4.0 WeedBorder=5.0" "$(media_keys)"
cli_job "$sample" media --margin 10,7 >/dev/null
media_size=$(size_of "$gui_work/media.job")
check_received "mirrored copies with a border equal tarnik-cli's ($media_size bytes)" media_serial "$gui_work/media.job"
check "mirrored copies differ from the plain job" "1" \
    "$(cmp -s "$gui_work/media.job" "$gui_work/sign.job" || echo 1)"
check "status back to ready after the media job" "准备就绪" "$(wait_for_text 1006 准备就绪)"

# --- A job in strips, cut to files ---
# On media 100 mm wide with strips overlapping by 20 mm the job is cut in
# strips: one name asked, one file per strip, each byte for byte the file
# tarnik-cli writes for that strip with the saved settings.
offer_job "$sample"
drv dialog $FILE_SETTINGS 10000 >/dev/null
drv dset $FILE_SETTINGS 1105 100 >/dev/null
drv dset $FILE_SETTINGS 1114 20 >/dev/null
drv dclick $FILE_SETTINGS 1060 >/dev/null
sleep 0.3
drv dclick $FILE_SETTINGS 1 >/dev/null
check "strips: save dialog" "0" "$(choose_file "$gui_work/strips.plt" 另存为 "Save As"; echo $?)"
check "strips: one message after the last" "Save OK!" "$(drv message tarnik 20000)"
drv dclick tarnik 1 >/dev/null
cli_job "$sample" strips >/dev/null
strip_count=$(ls "$gui_work"/strips-*.job 2>/dev/null | wc -l)
same=0
for n in $(seq "$strip_count"); do
    cmp -s "$gui_work/strips-$n.job" "$gui_work/strips-$n.plt" && same=$((same + 1))
done
check "strips: several" "1" "$([ "$strip_count" -gt 1 ] && echo 1)"
check "strips: each file equals tarnik-cli's ($strip_count strips)" "$strip_count" "$same"
check "strips: no file beyond the last" "1" "$([ ! -e "$gui_work/strips-$((strip_count + 1)).plt" ] && echo 1)"

# The same job sent to the plotter: after each strip a message box asks
# for the media; OK after the first, Cancel after the second. The plotter
# gets those two strips as tarnik-cli writes them, and nothing more.
offset=$(size_of "$received")
offer_job "$sample"
drv dialog $FILE_SETTINGS 10000 >/dev/null
drv dclick $FILE_SETTINGS 1 >/dev/null
question() {
    echo "第 $1 条 (共 $strip_count 条) 已切割。请放好第 $(($1 + 1)) 条的介质后按确定; 按取消则其余各条不再切割。"
}
check "strips: asked after the first" "$(question 1)" "$(drv message tarnik 30000)"
drv dclick tarnik 1 >/dev/null
check "strips: asked after the second" "$(question 2)" "$(drv message tarnik 30000)"
drv dclick tarnik 2 >/dev/null
cat "$gui_work/strips-1.job" "$gui_work/strips-2.job" >"$gui_work/two_strips.job"
check_received "strips: the plotter got the first two strips, nothing more" two_strips_serial "$gui_work/two_strips.job" settle
check "strips: ready after the cancel" "准备就绪" "$(wait_for_text 1006 准备就绪)"

exit_tarnik

# --- A USB job: the plotter as a printer on USB001, its output captured ---
drv add-plotter "Tarnik GUI plotter" USB001 >/dev/null
check "plotter printer installed" "0" "$?"
wine reg add 'HKCU\Software\Wine\Printing\Spooler' /v USB001 /d "$gui_work/usb001.bin" /f \
    >/dev/null 2>&1
write_ini "Lan=Chinese" "[Model]" "Mode=1" "[CutConfig]" "PortType=1" "USBPort=1" \
    "[AutoGET]" "ColExportFilename=tarnik_export.plt"
start_tarnik
check "USB: main window" "0" "$(drv find 15000; echo $?)"
check "USB: main window shown" "0" "$(wait_shown; echo $?)"
check "USB: port text" "USB:USB001" "$(drv text 1007)"
send_job "$sample"
wait_for_size "$gui_work/usb001.bin" "$expected_size"
check "USB job bytes equal tarnik-cli's" "0" \
    "$(cmp "$gui_work/usb001.bin" "$gui_work/sign.job" >/dev/null; echo $?)"
check "USB: status ready" "准备就绪" "$(wait_for_text 1006 准备就绪)"
exit_tarnik
gui_finish
