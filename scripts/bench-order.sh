#!/usr/bin/env bash
# The cut order (job plan) on generated sign-like designs of 1 000, 10 000,
# 100 000 and 1 000 000 paths and on the bundled samples. Not a test: it
# prints a table, one line per design:
#   drawn m    knife travel in the order drawn
#   ordered m  travel in the "shortest" order (inside first, then short)
#   greedy m   a plain greedy nearest-path order the benchmark computes
#              itself by full scans (no inside-first rule, closed paths from
#              their drawn start): the reference the ordered travel is held
#              to
#   greedy-in  the same greedy keeping the inside-first rule
#   greedy-any the plain greedy entering a closed path at its nearest
#              corner, as the shortest order may (for comparison)
#   read s     reading the plot file into the plan's index
#   order s    nesting and ordering
#   peak MB    peak resident set size while planning; bound MB is
#              8 MB + 32 bytes per input point
# Goals: ordered <= greedy on every design (the references are left out
# beyond 200 000 paths: "nan"); 100 000 paths planned in under 1 s; peak
# within the bound. The exit status is 0 when the travel goal holds.
# Environment: BENCH_BUILD_DIR (default build/native), BENCH_SIZES.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
build_dir=${BENCH_BUILD_DIR:-build/native}
sizes=${BENCH_SIZES:-"1000 10000 100000 1000000"}
cmake --preset native -B "$build_dir" >/dev/null
cmake --build "$build_dir" --target bench_order -j2 >/dev/null
bench=$build_dir/tools/bench_order

work=build/bench-order
mkdir -p "$work"
status=0
"$bench" header
for n in $sizes; do
    plot=$work/design-$n.plt
    [ -s "$plot" ] || "$bench" generate "$n" "$plot"
    "$bench" plan "$plot" || status=1
done
for plot in samples/*.plt; do
    "$bench" plan "$plot" || status=1
done
exit $status
