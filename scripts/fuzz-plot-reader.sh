#!/usr/bin/env bash
# Builds the plot reader's libFuzzer target with clang (AddressSanitizer and
# UBSan) straight from its sources and runs it. Linux only.
#   scripts/fuzz-plot-reader.sh [extra libFuzzer options]
# RUNS (default 1000000) sets the number of executions.
set -euo pipefail

cd "$(dirname "$0")/.."
runs="${RUNS:-1000000}"
out=build/plot-reader-fuzz

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

mkdir -p "$out/corpus"
clang++ -std=c++20 -O1 -g -fno-omit-frame-pointer \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -I. \
    fuzz/plot_reader_fuzz.cpp \
    sender/pipeline/plot_command_reader.cpp \
    sender/pipeline/plot_parser.cpp \
    sender/pipeline/plot_scan.cpp \
    sender/pipeline/plot_path_reader.cpp \
    sender/pipeline/path_model.cpp \
    sender/pipeline/fatal_error.cpp \
    -o "$out/plot_reader_fuzz"

# New inputs go into the build folder; the seed corpus stays as committed.
"$out/plot_reader_fuzz" -runs="$runs" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$out/" "$@" "$out/corpus" fuzz/corpus/plot_reader
