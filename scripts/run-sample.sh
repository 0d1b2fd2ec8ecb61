#!/usr/bin/env bash
# README command (1): installs what is missing, builds both platforms and
# runs the main job on the bundled sample design.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
scripts/install-deps.sh
scripts/build.sh native windows
build/native/cli/tarnik-cli scan samples/sign.plt
