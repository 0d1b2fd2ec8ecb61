#!/usr/bin/env bash
# Line utilisation of the serial job sender, side by side in one run: a
# 200 KB job into the plotter simulator reading at 38400 baud 8N1 (3840
# bytes/s), sent (1) by the bare block sender loop, (2) by tarnik-cli --port,
# (3) by the Windows build of tarnik-cli through the Win32 overlapped COM
# port under Wine (the simulator's pty mapped to COM8).
# Utilisation = bytes/s the simulator took (first to last byte) / line rate;
# the sender should keep the line busy (>= 0.97).
#   scripts/bench-serial.sh [NATIVE_BUILD_DIR] [WINDOWS_BUILD_DIR]
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
native=$(cd "${1:-$top/build/native}" && pwd)
windows=$(realpath -m "${2:-$top/build/windows}")
rate=3840
work=$(mktemp -d)
sim=
trap '[ -n "$sim" ] && kill "$sim" 2>/dev/null; rm -rf "$work"' EXIT

# A zigzag whose DM/PL job (default settings) is about 200 KB.
python3 - "$work/zigzag.plt" <<'PY'
import sys
with open(sys.argv[1], "w", newline="") as f:
    f.write("IN;SP1;PU0,0;\r\n")
    for i in range(1, 20001):
        f.write("PD%d,%d;\r\n" % (i * 10, (i % 2) * 4000))
PY

# run_case LABEL COMMAND...: DEVICE in COMMAND becomes the simulator's pty.
run_case() {
    local label=$1
    shift
    "$native/tools/plotter_sim" --out "$work/received.bin" --rate "$rate" --idle-exit 3 \
        >"$work/device" 2>"$work/sim.log" &
    sim=$!
    for _ in $(seq 50); do [ -s "$work/device" ] && break; sleep 0.1; done
    local device
    device=$(head -n 1 "$work/device")
    local args=()
    for arg in "$@"; do args+=("${arg//DEVICE/$device}"); done
    "${args[@]}" >"$work/run.log" 2>&1 || { echo "$label: sender failed"; cat "$work/run.log"; }
    wait "$sim" || true
    sim=
    awk -v simlog="$(cat "$work/sim.log")" -v rate="$rate" -v label="$label" \
        -v got="$(stat -c %s "$work/received.bin")" 'BEGIN {
            split(simlog, word, " ");
            for (i in word) if (word[i] == "bytes/s") speed = word[i - 1];
            printf "%-34s %7d bytes  %7.1f bytes/s  utilisation %.3f\n", label, got, speed,
                   speed / rate;
        }'
}

cd "$work"  # no tarnik.ini here: the built-in settings (model NVA)
bytes=$("$native/cli/tarnik-cli" cut --output "$work/job.bin" "$work/zigzag.plt" |
        sed -E 's/.* ([0-9]+) bytes.*/\1/')
echo "job: $bytes bytes at a line rate of $rate bytes/s"
run_case "block sender loop (RunSerialJob)" "$native/tools/bench_serial" DEVICE "$bytes"
run_case "tarnik-cli --port" "$native/cli/tarnik-cli" cut --port DEVICE "$work/zigzag.plt"

if [ -x "$windows/cli/tarnik-cli.exe" ]; then
    source "$top/scripts/wine-env.sh"
    tarnik_wine_prepare
    link="$WINEPREFIX/dosdevices/com8"
    win_cli=$(command -v "$windows/cli/tarnik-cli.exe" || echo "$windows/cli/tarnik-cli.exe")
    run_case "tarnik-cli.exe --port COM8 (Wine)" bash -c \
        'ln -sfn "$1" "$2" && wine "$3" cut --port COM8 "$4"; status=$?; rm -f "$2"; exit $status' \
        _ DEVICE "$link" "$win_cli" "$work/zigzag.plt"
else
    echo "no Windows build at $windows: the Wine case is left out"
fi
