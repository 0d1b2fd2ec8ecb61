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
source scripts/bench-lib.sh
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
bench_design "$plot" "$size_mb"
printf '[Model]\r\nMode=1\r\n[CutConfig]\r\nReducePointEnble=0\r\nCloseEnble=0\r\nSharpEnble=0\r\n' \
    >"$work/options-off.ini"
printf '[Model]\r\nMode=1\r\n[CutConfig]\r\nReducePointEnble=1\r\nReducePoint=0.20\r\nCloseEnble=1\r\nCloseOffset=0.50\r\nSharpEnble=1\r\nSharpOffset=0.30\r\n' \
    >"$work/options-on.ini"

bytes=$(stat -c %s "$plot")

echo "input: $plot ($((bytes / 1000000)) MB), best of $repeat"
read -r t_ref c_ref m_ref < <(bench_measure hp2xx -q -m hpgl -f /dev/null "$plot")
read -r t_a c_a m_a < <(bench_measure "$cli" cut --settings "$work/options-off.ini" \
    --output "$work/a.job" "$plot")
read -r t_b c_b m_b < <(bench_measure "$cli" cut --settings "$work/options-on.ini" \
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
