# Shared by the benchmark scripts (sourced, not run): the generated plot
# file they time and the measuring of one command.

# Writes a plot file of about MB megabytes to PATH unless it is there:
# outlines as the drawing program exports them, one pair per command, CR LF,
# 800 units per inch; circles, letter-like polygons and curves on a
# 1200 x 600 mm sheet. The same seed gives the same file every time.
bench_design() {
    local path=$1 megabytes=$2
    [ -s "$path" ] && return 0
    echo "generating $path"
    python3 - "$path" "$megabytes" <<'PY'
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
    text = "".join(["PU%d,%d;\r\n" % pts[0]] + ["PD%d,%d;\r\n" % p for p in pts[1:]])
    out.write(text)
    written += len(text)
out.write("PU;SP0;\r\n")
PY
}

# Of BENCH_REPEAT runs of one command (default 3): the best wall time with
# its CPU time (user + system; the wall time of a shared machine is noisy),
# and the largest peak RSS in kB, as "wall cpu rss".
bench_measure() {
    local best="" cpu="" rss=0 line seconds user system kb
    for _ in $(seq "${BENCH_REPEAT:-3}"); do
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
