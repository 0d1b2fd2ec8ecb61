#!/usr/bin/env bash
# Soak of the real tarnik.exe under Wine: M job messages (default 100) as
# the drawing program's macro sends them, COM9 on a pseudo-terminal into the
# plotter simulator at a fast line rate. Every job must arrive byte-identical
# to what tarnik-cli --output writes for the same file and settings; at the
# end the program must still answer, and its handle count (asked through
# the test client) must be no higher than after the first job.
#   soak_wine.sh BUILD_DIR [JOBS]
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../sender/app/win32/tarnik_gui_env.sh" "$1" 2>/dev/null
jobs=${2:-100}

WM_JOB_READY=1124
FILE_SETTINGS=文件设置
READY=准备就绪
com=9
link="$WINEPREFIX/dosdevices/com$com"
received=$gui_work/received.bin
# Handles Wine's own machinery may open in the program after its first job
# (a font, a registry key): more than this many is a leak.
HANDLE_SLACK=8

# The plotter simulator is a native program: built here from its one
# source file and the product's version, as the Windows build has no native
# tools.
g++ -std=c++20 -O1 -I "$gui_top" -DTARNIK_VERSION='"soak"' -o "$gui_work/plotter_sim" \
    "$gui_top/tools/plotter_sim.cpp" "$gui_top/cli/product_version.cpp" || exit 1
"$gui_work/plotter_sim" --out "$received" --rate 2000000 >"$gui_work/sim.out" 2>&1 &
gui_pids+=($!)
for _ in $(seq 100); do [ -s "$gui_work/sim.out" ] && break; sleep 0.05; done
ln -sfn "$(head -1 "$gui_work/sim.out")" "$link"
trap 'rm -f "$link"; gui_cleanup' EXIT

write_ini "Lan=Chinese" "[COM]" "CurrentCom=$com" "[Model]" "Mode=1" "[CutConfig]" "PortType=0" \
    "CloseEnble=1" "SharpEnble=1" "ReducePointEnble=1" "CloseOffset=0.50" "SharpOffset=0.30" \
    "ReducePoint=0.20" "[AutoGET]" "ColExportFilename=tarnik_export.plt"
temp_dir=$(winepath -u "$(drv temp)" 2>/dev/null)
export_file=$temp_dir/tarnik_export.plt

# The jobs' plot files (the sizes repeat every hundred jobs), and what
# tarnik-cli writes for each with the same settings, in one Wine session.
python3 - "$gui_work" "$jobs" <<PY
import sys
sys.path.insert(0, "$here")
import soak_plots
work, jobs = sys.argv[1], int(sys.argv[2])
for job in range(jobs):
    with open("%s/job%d.plt" % (work, job), "w") as f:
        f.write(soak_plots.plot_text(job))
PY
for job in $(seq 0 $((jobs - 1))); do
    echo "cut --settings $(winpath "$gui_program/tarnik.ini") --output $(winpath "$gui_work/job$job.job") $(winpath "$gui_work/job$job.plt")"
done >"$gui_work/cli.lines"
(cd "$gui_work" && while read -r line; do
    # shellcheck disable=SC2086
    wine "$gui_build/cli/tarnik-cli.exe" $line >/dev/null 2>&1
done <"$gui_work/cli.lines")

size_of() { stat -c %s "$1" 2>/dev/null || echo 0; }

# An instance left from an interrupted run would take the job messages (and
# turn them away as "cutting in progress") while the new one quits at once.
check "no tarnik.exe running before the soak" "0" "$(drv gone 10000 >/dev/null; echo $?)"
start_tarnik
check "main window" "0" "$(drv find 15000; echo $?)"
check "main window shown" "0" "$(wait_shown; echo $?)"
started=$(date +%s)
offset=0
compared=0
compared_bytes=0
first_handles=
for job in $(seq 0 $((jobs - 1))); do
    expected=$gui_work/job$job.job
    size=$(size_of "$expected")
    cp "$gui_work/job$job.plt" "$export_file"
    drv post $WM_JOB_READY 0 0 >/dev/null
    if ! drv dialog $FILE_SETTINGS 10000 >/dev/null; then
        check "job $job: file settings dialog" "0" "1"
        break
    fi
    drv dclick $FILE_SETTINGS 1 >/dev/null
    # tarnik.exe sends a block per timer tick, so a large job takes its
    # time: wait while bytes keep coming, up to 10 s without any.
    last=-1
    quiet=0
    while [ "$(size_of "$received")" -lt $((offset + size)) ] && [ "$quiet" -lt 100 ]; do
        now=$(size_of "$received")
        if [ "$now" -eq "$last" ]; then quiet=$((quiet + 1)); else quiet=0; fi
        last=$now
        sleep 0.1
    done
    if ! tail -c +$((offset + 1)) "$received" | head -c "$size" | cmp -s - "$expected"; then
        check "job $job ($size bytes) equals tarnik-cli's" "same" "different"
    else
        compared=$((compared + 1))
        compared_bytes=$((compared_bytes + size))
    fi
    offset=$((offset + size))
    [ "$(drv text 1006)" == "$READY" ] || wait_for_text 1006 "$READY" >/dev/null
    [ -n "$first_handles" ] || first_handles=$(drv handles)
done
seconds=$(( $(date +%s) - started ))
sleep 0.5
check "the plotter received the jobs' bytes and no more" "$offset" "$(size_of "$received")"
check "still responsive: status ready" "$READY" "$(drv text 1006)"
check "still responsive: answers a message" "0" "$(drv send 0 0 0 >/dev/null; echo $?)"
last_handles=$(drv handles)
echo "soak wine: $jobs job messages, $compared jobs byte-identical ($compared_bytes bytes), ${seconds} s"
echo "soak wine: handle count after the first job $first_handles, after the last $last_handles;" \
    "threads $(drv threads)"
check "handle count flat (within $HANDLE_SLACK)" "1" \
    "$([ -n "$last_handles" ] && [ "$last_handles" -le $((first_handles + HANDLE_SLACK)) ] && echo 1)"
exit_tarnik
gui_finish
