#!/usr/bin/env bash
# The plot reader's fuzz target alone (see scripts/fuzz.sh, which runs all).
#   scripts/fuzz-plot-reader.sh [extra libFuzzer options]
# RUNS (default 1000000) sets the number of executions.
exec "$(dirname "$0")/fuzz.sh" plot_reader "${RUNS:-1000000}" "$@"
