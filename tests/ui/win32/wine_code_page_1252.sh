#!/usr/bin/env bash
# The Chinese resource texts of Mirando and Ostrel under an English ANSI
# code page (1252), as on an English Windows: the test program's WideText
# cases run under the C locale, where Wine takes code page 1252.
#   wine_code_page_1252.sh TARNIK_TESTS_EXE
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/wine-env.sh"
tarnik_wine_prepare
export LANG=C.UTF-8 LC_ALL=C.UTF-8
output=$(wine "$1" --gtest_filter='WideText.*' 2>&1 | tr -d '\r')
status=$?
echo "$output"
# A skipped case means the code page was 936 after all: nothing was shown.
if grep -q '^\[  SKIPPED' <<<"$output"; then
    echo "FAIL the ANSI code page is not 1252"
    exit 1
fi
exit "$status"
