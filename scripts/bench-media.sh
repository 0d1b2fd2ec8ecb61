#!/usr/bin/env bash
# Placing jobs on the media, timed. Not a test: it prints figures.
#   - weed lines for generated signs of 1 000 and 10 000 paths
#     (build/native/tools/bench_weed_lines; goal: under 1 s for 10 000);
#   - a 50 MB plot file (1200 x 600 mm, the generator of bench-cli.sh) cut in
#     strips on 500 mm media with 20 mm of overlap, beside the same file
#     encoded untiled (goal: tiled within 2x of untiled).
# Environment: BENCH_MB (default 50), BENCH_REPEAT (best of, default 3),
# BENCH_BUILD_DIR (default build/native).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
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
if [ ! -s "$plot" ]; then
    echo "generating $plot"
    python3 - "$plot" "$size_mb" <<'PY'
import math, random, sys
path, megabytes = sys.argv[1], int(sys.argv[2])
limit = megabytes * 1000 * 1000
rng = random.Random(1)
W, H = 37795, 18898  # 1200 x 600 mm
out = open(path, "w", newline="")
out.write("IN;IW0,0,%d,%d;SP1;\r\n" % (W, H))
written = 0
while written < limit:
    cx, cy = rng.randrange(1500, W - 1500), rng.randrange(1500, H - 1500)
    r = rng.randrange(60, 1400)
    kind = rng.random()
    n = rng.randrange(8, 120)
    pts = []
    for i in range(n):
        a = 2 * math.pi * i / n
        rr = r if kind < 0.5 else r * (0.55 + 0.45 * rng.random())
        pts.append((int(cx + rr * math.cos(a)), int(cy + rr * math.sin(a))))
    if kind < 0.85:
        pts.append(pts[0])
    text = "".join(["PU%d,%d;\r\n" % pts[0]] + ["PD%d,%d;\r\n" % p for p in pts[1:]])
    out.write(text)
    written += len(text)
out.write("PU;SP0;\r\n")
PY
fi
printf '[Model]\r\nMode=1\r\n' >"$work/plain.ini"

measure() {
    local best="" cpu="" rss=0 line seconds user system kb
    for _ in $(seq "$repeat"); do
        line=$(/usr/bin/time -f '%e %U %S %M' "$@" 2>&1 >/dev/null | tail -1)
        read -r seconds user system kb <<<"$line"
        if [ -z "$best" ] || awk -v a="$seconds" -v b="$best" 'BEGIN{exit !(a<b)}'; then
            best=$seconds
            cpu=$(awk -v u="$user" -v s="$system" 'BEGIN{printf "%.2f", u + s}')
        fi
        [ "$kb" -gt "$rss" ] && rss=$kb
    done
    echo "$best $cpu $rss"
}

bytes=$(stat -c %s "$plot")
echo "tiling: $plot ($((bytes / 1000000)) MB), best of $repeat"
read -r t_a c_a m_a < <(measure "$cli" cut --settings "$work/plain.ini" --output "$work/untiled.job" "$plot")
read -r t_b c_b m_b < <(measure "$cli" cut --settings "$work/plain.ini" --media-width 500 --tile 20 \
    --output "$work/strip.job" "$plot")
"$cli" cut --settings "$work/plain.ini" --media-width 500 --tile 20 --output "$work/strip.job" "$plot"
awk -v ta="$t_a" -v ca="$c_a" -v ma="$m_a" -v tb="$t_b" -v cb="$c_b" -v mb="$m_b" 'BEGIN {
    printf "%-36s %7s %7s %11s\n", "run", "wall s", "cpu s", "peak RSS"
    printf "%-36s %7.2f %7.2f %8.1f MB\n", "untiled encoding (reference)", ta, ca, ma / 1024
    printf "%-36s %7.2f %7.2f %8.1f MB\n", "tiled: 500 mm media, 20 mm overlap", tb, cb, mb / 1024
    printf "tiled / untiled: %.2fx wall, %.2fx cpu (goal: within 2x)\n", tb / ta, cb / ca
}'
