#!/usr/bin/env bash
# Serial line faults in the real tarnik.exe under Wine, with a plotter on a
# COM port mapped to a pseudo-terminal: a plotter that goes away in the
# middle of a job, the line monitor's failed wait answered No and then Yes,
# a job refused while the line is not usable, and a settings save that
# makes the line usable again; a job after a restart reaches the plotter.
#   wine_tarnik_line.sh BUILD_DIR
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/tarnik_gui_env.sh" "$1" 2>/dev/null

WM_LINE_FAULT=1132
SETTINGS=设置
ABORTED="本次刻绘意外中止或被取消!请复位刻绘机!"
NOT_READY="串口没有准备好,设备无法工作!"
com=7
# The plotter; while $gui_work/vanish exists it takes the first bytes of a
# job and goes away (both ends close), and comes back on a new
# pseudo-terminal once vanish is removed.
start_plotter $com

write_ini "Lan=Chinese" "[COM]" "CurrentCom=$com" "[Model]" "Mode=1" "[CutConfig]" "PortType=0" \
    "[AutoGET]" "ColExportFilename=tarnik_export.plt"
temp_dir=$(winepath -u "$(drv temp)" 2>/dev/null)
export_file=$temp_dir/tarnik_export.plt

# A design large enough to take many blocks.
python3 -c '
import sys
points = ",".join("%d,%d" % (1000 + i * 7 % 20000, 1000 + (i * 13) % 15000) for i in range(6000))
sys.stdout.write("IN;SP1;PU1000,1000;PD" + points + ";PU;SP0;")' >"$gui_work/large.plt"

start_tarnik
check "main window" "0" "$(drv find 15000; echo $?)"
check "main window shown" "0" "$(wait_shown; echo $?)"

# --- The plotter goes away in the middle of a job ---
touch "$gui_work/vanish"
send_job "$gui_work/large.plt"
check "vanished plotter: warning box" "$ABORTED" "$(drv message RAvivIZE 30000)"
check "vanished plotter: the job has finished first" "准备就绪" "$(drv text 1006)"
check "vanished plotter: cancel disabled" "1 0 0" "$(drv state 1000)"
dismiss RAvivIZE 1
check "vanished plotter: window idle" "1 1 0" "$(drv state 1001)"
rm -f "$gui_work/vanish"

# --- The line monitor's wait fails; the restart is declined ---
drv post $WM_LINE_FAULT 0 2 >/dev/null
check "failed wait: question" "0" "$(drv dialog DUdirEZEdezu 10000; echo $?)"
dismiss DUdirEZEdezu 7
check "declined: status" "串口打开失败" "$(wait_for_text 1006 串口打开失败)"
check "declined: port text" "COM:error" "$(drv text 1007)"

# A job while the line is not usable: refused, nothing cancelled.
offer_job "$gui_work/large.plt"
check "unusable line: warning box" "$NOT_READY" "$(drv message RAvivIZE 10000)"
check "unusable line: no file settings dialog" "1" "$(drv dialog $FILE_SETTINGS 0; echo $?)"
check "unusable line: export file deleted" "0" "$(wait_gone "$export_file"; echo $?)"
dismiss RAvivIZE 1
check "unusable line: status kept" "串口打开失败" "$(drv text 1006)"

# Saving the settings makes the line usable again.
drv click 1001 >/dev/null
drv dialog "$SETTINGS" 10000 >/dev/null
drv dclick "$SETTINGS" 1 >/dev/null
check "after a save: status" "准备就绪" "$(wait_for_text 1006 准备就绪)"
check "after a save: port text" "COM: COM$com" "$(drv text 1007)"
offer_job "$gui_work/large.plt"
check "after a save: jobs are taken" "0" "$(drv dialog $FILE_SETTINGS 10000; echo $?)"
drv dclick $FILE_SETTINGS 2 >/dev/null
check "after a save: cancel deletes the export file" "0" "$(wait_gone "$export_file"; echo $?)"

# --- The restart answered Yes: the monitor opens the configured port ---
drv post $WM_LINE_FAULT 0 2 >/dev/null
drv dialog DUdirEZEdezu 10000 >/dev/null
dismiss DUdirEZEdezu 6
check "restart: status" "准备就绪" "$(wait_for_text 1006 准备就绪)"
check "restart: port text" "COM: COM$com" "$(drv text 1007)"
lamp=$(drv text 1009)
check "restart: line status shown" "1" "$([[ "$lamp" == 联机 || "$lamp" == 脱机 ]] && echo 1)"
check "restart: no error box" "1" "$(drv dialog RAvivIZE 0; echo $?)"

# --- A job after the restart: the monitor holds the port, yet the job
# reaches the plotter whole (the monitor lets go of the port meanwhile) ---
# Wine cannot wait for comm events on a pseudo-terminal, so the restarted
# monitor's wait fails at once and asks again (a plotter's real port
# waits); the job is taken while that question stands, as the window takes
# every posted message then.
(cd "$gui_work" && wine "$gui_build/cli/tarnik-cli.exe" cut --settings \
    "$(winepath "$gui_program/tarnik.ini")" --output "$(winepath "$gui_work/large.job")" \
    "$(winepath "$gui_work/large.plt")" >/dev/null 2>&1)
expected_size=$(size_of "$gui_work/large.job")
offset=$(size_of "$received")
offer_job "$gui_work/large.plt"
check "job after a restart: taken" "0" "$(drv dialog $FILE_SETTINGS 10000; echo $?)"
drv dclick $FILE_SETTINGS 1 >/dev/null
wait_for_size "$received" $((offset + expected_size))
tail -c +$((offset + 1)) "$received" >"$gui_work/serial.job"
check "job after a restart: no InitComPort failure" "1" "$(drv dialog tarnik 0; echo $?)"
check "job after a restart: bytes equal tarnik-cli's ($expected_size bytes)" "0" \
    "$(cmp "$gui_work/serial.job" "$gui_work/large.job" >/dev/null 2>&1; echo $?)"
# The monitor took its port back, and under Wine asks again: decline every
# question (each restart that fails on Wine's pseudo-terminal asks anew).
# How many come depends on how the questions nest, so decline until none
# has come for 4 s (at most 12: the restarts do not go on by themselves).
for _ in $(seq 12); do
    drv dialog DUdirEZEdezu 4000 >/dev/null || break
    drv dclick DUdirEZEdezu 7 >/dev/null
    sleep 0.5
done
check "failed waits declined: port text" "COM:error" "$(wait_for_text 1007 COM:error)"

exit_tarnik
gui_finish
