#!/usr/bin/env bash
# Runs one Windows program under the project's headless Wine (the CMake
# cross-compiling emulator for the windows preset).
set -e
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
tarnik_wine_prepare
exec wine "$@"
