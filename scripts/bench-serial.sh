#!/usr/bin/env bash
# Line utilisation of the serial job sender: a 200 KB job through
# RunSerialJob into the plotter simulator reading at 38400 baud 8N1
# (3840 bytes/s). Utilisation = bytes/s the simulator took (first to last
# byte) / line rate; the sender should keep the line busy (>= 0.97).
#   scripts/bench-serial.sh [BUILD_DIR] [BYTES]
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$top/build/native}
bytes=${2:-204800}
rate=3840
work=$(mktemp -d)
trap 'kill "$sim" 2>/dev/null || true; rm -rf "$work"' EXIT

"$build/tools/plotter_sim" --out "$work/received.bin" --rate "$rate" --idle-exit 2 \
    >"$work/device" 2>"$work/sim.log" &
sim=$!
for _ in $(seq 50); do [ -s "$work/device" ] && break; sleep 0.1; done
device=$(cat "$work/device")

started=$(date +%s.%N)
"$build/tools/bench_serial" "$device" "$bytes"
wait "$sim"
cat "$work/sim.log"

received=$(stat -c %s "$work/received.bin")
awk -v simlog="$(cat "$work/sim.log")" -v rate="$rate" -v sent="$bytes" -v got="$received" \
    -v started="$started" -v ended="$(date +%s.%N)" 'BEGIN {
        split(simlog, word, " ");
        for (i in word) if (word[i] == "bytes/s") speed = word[i - 1];
        printf "received %d of %d bytes%s\n", got, sent, got == sent ? "" : "  (LOSS)";
        printf "line utilisation: %.3f (%.1f of %d bytes/s)\n", speed / rate, speed, rate;
    }'
