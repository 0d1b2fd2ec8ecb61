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

WM_JOB_READY=1124
FILE_SETTINGS=文件设置
com=8
link="$WINEPREFIX/dosdevices/com$com"
received=$gui_work/received.bin

# The plotter: a pseudo-terminal whose far end is read into $received,
# except while $gui_work/hold exists (a plotter that holds CTS: writes to
# the port go pending once the line's buffers are full).
python3 - "$gui_work" <<'PY' &
import os, select, sys, time, tty
work = sys.argv[1]
master, slave = os.openpty()
tty.setraw(master)
tty.setraw(slave)  # the far end stays open: no hang-up between jobs
with open(os.path.join(work, "device.tmp"), "w") as f:
    f.write(os.ttyname(slave))
os.rename(os.path.join(work, "device.tmp"), os.path.join(work, "device"))
deadline = time.time() + 150
with open(os.path.join(work, "received.bin"), "wb") as out:
    while time.time() < deadline and not os.path.exists(os.path.join(work, "stop")):
        if os.path.exists(os.path.join(work, "hold")):
            time.sleep(0.05)
            continue
        ready, _, _ = select.select([master], [], [], 0.05)
        if ready:
            out.write(os.read(master, 65536))
            out.flush()
PY
gui_pids+=($!)
for _ in $(seq 100); do [ -f "$gui_work/device" ] && break; sleep 0.05; done
ln -sfn "$(cat "$gui_work/device")" "$link"
trap 'touch "$gui_work/stop"; rm -f "$link"; gui_cleanup' EXIT

settings=("Lan=Chinese" "[COM]" "CurrentCom=$com" "[Model]" "Mode=1" "[CutConfig]" "PortType=0"
          "[AutoGET]" "ColExportFilename=tarnik_export.plt")
write_ini "${settings[@]}"
temp_dir=$(winepath -u "$(drv temp)" 2>/dev/null)
export_file=$temp_dir/tarnik_export.plt
sample=$gui_top/samples/sign.plt

# What tarnik-cli makes of a plot file with the same settings: the job's
# bytes in $gui_work/NAME.job, its summary line on stdout.
cli_job() {
    (cd "$gui_work" && wine "$gui_build/cli/tarnik-cli.exe" cut --settings \
        "$(winepath "$gui_program/tarnik.ini")" --output "$(winepath "$gui_work/$2.job")" \
        "$(winepath "$1")" 2>/dev/null | tr -d '\r')
}

size_of() { stat -c %s "$1" 2>/dev/null || echo 0; }

# wait_for_size FILE BYTES: up to 30 s.
wait_for_size() {
    for _ in $(seq 150); do
        [ "$(size_of "$1")" -ge "$2" ] && return 0
        sleep 0.2
    done
    return 1
}

screenshot() {
    command -v import >/dev/null && import -display "$DISPLAY" -window root "$gui_build/$1.png"
}

start_tarnik
check "main window" "0" "$(drv find 15000; echo $?)"

# --- A serial job from the macro ---
summary=$(cli_job "$sample" sign)
expected_size=$(size_of "$gui_work/sign.job")
cp "$sample" "$export_file"
offset=$(size_of "$received")
drv post $WM_JOB_READY 0 0 >/dev/null
check "file settings dialog" "0" "$(drv dialog $FILE_SETTINGS 10000; echo $?)"
shown="$(drv dtext $FILE_SETTINGS 1007) x $(drv dtext $FILE_SETTINGS 1008) mm"
check "design size as tarnik-cli reports it" "1" "$([[ "$summary" == *": $shown,"* ]] && echo 1)"
check "cut to file unticked" "1 1 0" "$(drv dstate $FILE_SETTINGS 1060)"
check "dialog is topmost" "1" "$(drv topmost $FILE_SETTINGS)"
screenshot tarnik_file_settings
drv dclick $FILE_SETTINGS 1 >/dev/null
wait_for_size "$received" $((offset + expected_size))
tail -c +$((offset + 1)) "$received" >"$gui_work/serial.job"
check "serial job bytes equal tarnik-cli's ($expected_size bytes)" "0" \
    "$(cmp "$gui_work/serial.job" "$gui_work/sign.job" >/dev/null; echo $?)"
check "status back to ready" "准备就绪" "$(wait_for_text 1006 准备就绪)"

# --- Refusals ---
printf 'IN;PU0,0;PD%s;' "$(printf '1%.0s' $(seq 46))" >"$export_file"
drv post $WM_JOB_READY 0 0 >/dev/null
check "49-character command: no dialog" "1" "$(drv dialog $FILE_SETTINGS 2000; echo $?)"
check "49-character command: export file kept" "1" "$([ -e "$export_file" ] && echo 1)"

cp "$sample" "$export_file"
drv post $WM_JOB_READY 0 0 >/dev/null
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
cp "$gui_work/slow.plt" "$export_file"
drv post $WM_JOB_READY 0 0 >/dev/null
drv dialog $FILE_SETTINGS 10000 >/dev/null
drv dclick $FILE_SETTINGS 1 >/dev/null
check "slow job: sending" "发送中。。。" "$(wait_for_text 1006 发送中。。。)"
check "slow job: cancel enabled" "1 1 0" "$(drv state 1000)"
check "slow job: exit disabled" "1 0 0" "$(drv state 1)"
screenshot tarnik_main_sending
cp "$sample" "$export_file"
drv post $WM_JOB_READY 0 0 >/dev/null
check "job while sending: export file deleted" "0" "$(wait_gone "$export_file"; echo $?)"
check "job while sending: no dialog" "1" "$(drv dialog $FILE_SETTINGS 1000; echo $?)"
drv click 1000 >/dev/null
check "cancel: back to ready" "准备就绪" "$(wait_for_text 1006 准备就绪)"
rm -f "$gui_work/hold"

# pick_plot_file PATH: presses the cut-from-file button and picks PATH in
# the open dialog; fails when no open dialog came.
pick_plot_file() {
    drv click 1002 >/dev/null
    local title
    title=$(for t in 打开 Open; do drv dialog "$t" 5000 >/dev/null && echo "$t" && break; done)
    [ -n "$title" ] || return 1
    drv dset "$title" 1148 "$(winepath -w "$1")" >/dev/null ||
        drv dset "$title" 1152 "$(winepath -w "$1")" >/dev/null
    drv dclick "$title" 1 >/dev/null
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
shown="$(drv dtext $FILE_SETTINGS 1007) x $(drv dtext $FILE_SETTINGS 1008) mm"
check "other file: its design size ($shown)" "1" \
    "$([[ "$other_summary" == *": $shown,"* && "$summary" != *": $shown,"* ]] && echo 1)"
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
cp "$sample" "$export_file"
drv post $WM_JOB_READY 0 0 >/dev/null
drv dialog $FILE_SETTINGS 10000 >/dev/null
drv dclick $FILE_SETTINGS 1060 >/dev/null
sleep 0.3
drv dclick $FILE_SETTINGS 1 >/dev/null
save_title=$(for t in 另存为 "Save As"; do drv dialog "$t" 5000 >/dev/null && echo "$t" && break; done)
check "save dialog" "1" "$([ -n "$save_title" ] && echo 1)"
if [ -n "$save_title" ]; then
    drv dset "$save_title" 1148 "$(winepath -w "$gui_work/saved.plt")" >/dev/null ||
        drv dset "$save_title" 1152 "$(winepath -w "$gui_work/saved.plt")" >/dev/null
    drv dclick "$save_title" 1 >/dev/null
    check "cut to file: message" "Save OK!" "$(drv message tarnik 10000)"
    drv dclick tarnik 1 >/dev/null
    check "cut to file: bytes equal tarnik-cli's" "0" \
        "$(cmp "$gui_work/saved.plt" "$gui_work/sign.job" >/dev/null; echo $?)"
fi
check "cut to file: nothing at the plotter" "$(size_of "$received")" \
    "$(sleep 0.5; size_of "$received")"
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
check "USB: port text" "USB:USB001" "$(drv text 1007)"
cp "$sample" "$export_file"
drv post $WM_JOB_READY 0 0 >/dev/null
drv dialog $FILE_SETTINGS 10000 >/dev/null
drv dclick $FILE_SETTINGS 1 >/dev/null
wait_for_size "$gui_work/usb001.bin" "$expected_size"
check "USB job bytes equal tarnik-cli's" "0" \
    "$(cmp "$gui_work/usb001.bin" "$gui_work/sign.job" >/dev/null; echo $?)"
check "USB: status ready" "准备就绪" "$(wait_for_text 1006 准备就绪)"
exit_tarnik
gui_finish
