#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UBSan) in
# build/fuzz and runs them, one process at a time.
#   scripts/fuzz.sh [TARGET|all] [RUNS] [extra libFuzzer options]
# TARGET: plot_reader, settings_text, job_decoder, job_road (default all);
# RUNS: executions per target (default 1000000). Prints executions, the
# corpus size and the findings of each target; exits 1 when any target has
# a finding (crash, leak, timeout or memory beyond the bound), kept under
# build/fuzz/findings/TARGET/. New inputs go to build/fuzz/corpus/TARGET;
# the seed corpora in fuzz/corpus stay as committed. Linux only.
set -euo pipefail

cd "$(dirname "$0")/.."
targets=(plot_reader settings_text job_decoder job_road)
wanted="${1:-all}"
runs="${2:-1000000}"
shift $(( $# > 2 ? 2 : $# ))
if [ "$wanted" != all ]; then
    case " ${targets[*]} " in *" $wanted "*) targets=("$wanted") ;;
        *) echo "fuzz.sh: no target $wanted (${targets[*]})" >&2; exit 2 ;; esac
fi
out=build/fuzz

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}
if ! command -v clang++ >/dev/null 2>&1; then
    as_root apt-get update
    as_root apt-get install -y clang
fi
# libFuzzer and the sanitizer runtimes come with the compiler's runtime package.
clang_major="$(clang++ -dumpversion | cut -d. -f1)"
if ! echo 'int main(){}' | clang++ -x c++ -fsanitize=fuzzer-no-link,address,undefined - -o /dev/null \
        >/dev/null 2>&1; then
    as_root apt-get update
    as_root apt-get install -y "libclang-rt-${clang_major}-dev"
fi

[ -f /work/ccache-env.sh ] && source /work/ccache-env.sh
flags="-O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all"
cmake -S . -B "$out" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=None \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
    -DTARNIK_FUZZ=ON -DTARNIK_TESTS=OFF >/dev/null
cmake --build "$out" -j2 --target "${targets[@]/%/_fuzz}" >/dev/null

# The largest input per target: a plot file or settings file of 4 KiB (the
# job road adds its 56-byte header), a job of 8 KiB.
max_len() {
    case "$1" in job_decoder) echo 8192 ;; job_road) echo 4152 ;; *) echo 4096 ;; esac
}

status=0
summary=()
for target in "${targets[@]}"; do
    mkdir -p "$out/corpus/$target" "$out/findings/$target"
    log="$out/$target.log"
    start=$(date +%s)
    set +e
    # Memory per run is bounded at 1 GiB and time per input at 20 s: beyond
    # either the fuzzer reports a finding.
    "$out/fuzz/${target}_fuzz" -runs="$runs" -max_len="$(max_len "$target")" \
        -rss_limit_mb=1024 -timeout=20 -print_final_stats=1 \
        -artifact_prefix="$out/findings/$target/" "$@" \
        "$out/corpus/$target" "fuzz/corpus/$target" >"$log" 2>&1
    rc=$?
    set -e
    seconds=$(( $(date +%s) - start ))
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    # Slow units (over 10 s, still within the timeout) are kept, not counted.
    findings=$(find "$out/findings/$target" -type f \( -name 'crash-*' -o -name 'leak-*' \
        -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
    corpus=$(find "$out/corpus/$target" "fuzz/corpus/$target" -type f | wc -l)
    line="$target: ${executions:-?} executions in ${seconds} s, corpus $corpus, findings $findings"
    if [ "$rc" -ne 0 ] || [ "$findings" -ne 0 ]; then
        status=1
        line="$line (exit $rc, see $log)"
    fi
    echo "$line"
    summary+=("$line")
done
[ "${#summary[@]}" -gt 1 ] && printf '%s\n' "--" "${summary[@]}"
exit $status
