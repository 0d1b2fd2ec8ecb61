#!/usr/bin/env bash
# Throughput of "tarnik-cli cut --output" on a 50 MB plot file in the
# drawing program's style, beside hp2xx reading the same file as the
# reference HPGL reader. Not a test: it prints a table.
#   (a) every rework option off
#   (b) point reduction, closing overcut and knife offset on
# Targets: (a) >= 15x hp2xx's MB/s, (b) >= 5x, peak RSS <= 8 MB.
# Environment: BENCH_MB (default 50), BENCH_REPEAT (best of, default 3),
# BENCH_BUILD_DIR (default build/native, the native preset's folder).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
size_mb=${BENCH_MB:-50}
repeat=${BENCH_REPEAT:-3}

need=()
command -v hp2xx >/dev/null || need+=(hp2xx)
[ -x /usr/bin/time ] || need+=(time)
command -v python3 >/dev/null || need+=(python3)
if [ ${#need[@]} -gt 0 ]; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q \
        --no-install-recommends "${need[@]}"
fi
scripts/install-deps.sh
build_dir=${BENCH_BUILD_DIR:-build/native}
cmake --preset native -B "$build_dir" >/dev/null
cmake --build "$build_dir" --target tarnik-cli -j2
cli=$build_dir/cli/tarnik-cli

work=build/bench-cli
mkdir -p "$work"
plot=$work/design-${size_mb}mb.plt
if [ ! -s "$plot" ]; then
    echo "generating $plot"
    # Outlines as the drawing program exports them: one pair per command,
    # CR LF, 800 units per inch; circles, letter-like polygons and curves on
    # a 1200 x 600 mm sheet.
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
        pts.append(pts[0])  # closed outline
    lines = ["PU%d,%d;\r\n" % pts[0]] + ["PD%d,%d;\r\n" % p for p in pts[1:]]
    text = "".join(lines)
    out.write(text)
    written += len(text)
out.write("PU;SP0;\r\n")
PY
fi
printf '[Model]\r\nMode=1\r\n[CutConfig]\r\nReducePointEnble=0\r\nCloseEnble=0\r\nSharpEnble=0\r\n' \
    >"$work/options-off.ini"
printf '[Model]\r\nMode=1\r\n[CutConfig]\r\nReducePointEnble=1\r\nReducePoint=0.20\r\nCloseEnble=1\r\nCloseOffset=0.50\r\nSharpEnble=1\r\nSharpOffset=0.30\r\n' \
    >"$work/options-on.ini"

bytes=$(stat -c %s "$plot")
# Of $repeat runs of one command: the best wall time with its CPU time (user
# + system; the wall time of a shared machine is noisy), and the largest
# peak RSS.
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

echo "input: $plot ($((bytes / 1000000)) MB), best of $repeat"
read -r t_ref c_ref m_ref < <(measure hp2xx -q -m hpgl -f /dev/null "$plot")
read -r t_a c_a m_a < <(measure "$cli" cut --settings "$work/options-off.ini" \
    --output "$work/a.job" "$plot")
read -r t_b c_b m_b < <(measure "$cli" cut --settings "$work/options-on.ini" \
    --output "$work/b.job" "$plot")
# one more run to show the summary lines
"$cli" cut --settings "$work/options-off.ini" --output "$work/a.job" "$plot"
"$cli" cut --settings "$work/options-on.ini" --output "$work/b.job" "$plot"

awk -v bytes="$bytes" -v tr="$t_ref" -v cr="$c_ref" -v mr="$m_ref" -v ta="$t_a" -v ca="$c_a" \
    -v ma="$m_a" -v tb="$t_b" -v cb="$c_b" -v mb="$m_b" 'BEGIN {
    mbs = bytes / 1e6
    min = 0.001
    if (tr < min) tr = min; if (ta < min) ta = min; if (tb < min) tb = min
    printf "%-32s %7s %7s %8s %11s %9s\n", "run", "wall s", "cpu s", "MB/s", "peak RSS", "vs hp2xx"
    printf "%-32s %7.2f %7.2f %8.1f %8.1f MB %9s\n", "hp2xx -m hpgl (reference)", tr, cr, mbs/tr, mr/1024, "1.0x"
    printf "%-32s %7.2f %7.2f %8.1f %8.1f MB %8.1fx\n", "(a) cut, options off", ta, ca, mbs/ta, ma/1024, tr/ta
    printf "%-32s %7.2f %7.2f %8.1f %8.1f MB %8.1fx\n", "(b) cut, reduce+overcut+offset", tb, cb, mbs/tb, mb/1024, tr/tb
    printf "targets: (a) >= 15x, (b) >= 5x, peak RSS <= 8 MB\n"
}'
