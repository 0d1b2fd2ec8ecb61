#!/usr/bin/env bash
# The package's build (the "package" preset) compiles what the package
# ships and nothing else: no test, fuzz replay or benchmark. Configured in a
# temporary folder and listed with make's dry run, so nothing is compiled.
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
source "$(dirname "$0")/dist_test_env.sh"
(cd "$top" && cmake --preset package -B "$work/build" >"$work/configure.log" 2>&1) ||
    fail "configure: $(tail -n 20 "$work/configure.log")"
# The dry run cannot link (no library is made), so it keeps going past that.
make -C "$work/build" -n -k all >"$work/dry-run.log" 2>&1
sources=$(grep -oE " -c [^ ]+\.cpp" "$work/dry-run.log" | sed 's/^ -c //' | sed "s|^$top/||" | sort -u)
[ -n "$sources" ] || fail "the dry run compiles nothing"
for shipped in cli/main.cpp tools/plotter_sim.cpp; do
    grep -qx "$shipped" <<<"$sources" || fail "$shipped is not compiled for the package"
done
extra=$(grep -E "^(tests|fuzz)/|^tools/bench" <<<"$sources")
[ -z "$extra" ] || fail "the package build compiles what it does not ship: $(echo $extra)"
echo "package build: $(wc -l <<<"$sources") sources, none of them a test, fuzz replay or benchmark"
