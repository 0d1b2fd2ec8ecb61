#!/usr/bin/env bash
# Placing jobs on the media, timed. Not a test: it prints figures.
#   - weed lines for generated signs of 1 000 and 10 000 paths
#     (build/native/tools/bench_weed_lines; goal: under 1 s for 10 000);
#   - a 50 MB plot file (1200 x 600 mm, bench_design of bench-lib.sh) cut in
#     strips on 500 mm media with 20 mm of overlap, beside the same file
#     encoded untiled (goal: tiled within 2x of untiled).
# Environment: BENCH_MB (default 50), BENCH_REPEAT (best of, default 3),
# BENCH_BUILD_DIR (default build/native).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
source scripts/bench-lib.sh
size_mb=${BENCH_MB:-50}
repeat=${BENCH_REPEAT:-3}
[ -x /usr/bin/time ] || { echo "bench-media.sh needs /usr/bin/time (apt-get install time)"; exit 1; }
build_dir=${BENCH_BUILD_DIR:-build/native}
cmake --preset native -B "$build_dir" >/dev/null
cmake --build "$build_dir" --target tarnik-cli bench_weed_lines -j2 >/dev/null
cli=$build_dir/cli/tarnik-cli

"$build_dir/tools/bench_weed_lines"
echo

work=build/bench-media
mkdir -p "$work"
plot=$work/design-${size_mb}mb.plt
bench_design "$plot" "$size_mb"
printf '[Model]\r\nMode=1\r\n' >"$work/plain.ini"

bytes=$(stat -c %s "$plot")
echo "tiling: $plot ($((bytes / 1000000)) MB), best of $repeat"
read -r t_a c_a m_a < <(bench_measure "$cli" cut --settings "$work/plain.ini" --output "$work/untiled.job" "$plot")
read -r t_b c_b m_b < <(bench_measure "$cli" cut --settings "$work/plain.ini" --media-width 500 --tile 20 \
    --output "$work/strip.job" "$plot")
"$cli" cut --settings "$work/plain.ini" --media-width 500 --tile 20 --output "$work/strip.job" "$plot"
awk -v ta="$t_a" -v ca="$c_a" -v ma="$m_a" -v tb="$t_b" -v cb="$c_b" -v mb="$m_b" 'BEGIN {
    printf "%-36s %7s %7s %11s\n", "run", "wall s", "cpu s", "peak RSS"
    printf "%-36s %7.2f %7.2f %8.1f MB\n", "untiled encoding (reference)", ta, ca, ma / 1024
    printf "%-36s %7.2f %7.2f %8.1f MB\n", "tiled: 500 mm media, 20 mm overlap", tb, cb, mb / 1024
    printf "tiled / untiled: %.2fx wall, %.2fx cpu (goal: within 2x)\n", tb / ta, cb / ca
}'
