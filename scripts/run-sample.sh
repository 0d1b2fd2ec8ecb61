#!/usr/bin/env bash
# README command (1): installs what is missing, builds both platforms, cuts
# the bundled sample design with the bundled settings (model NVA, point
# reduction, closing overcut and knife offset on) and draws the job as SVG.
#   build/sample/sign.job  the job's bytes, exactly as they would go to the plotter
#   build/sample/sign.svg  its preview (cuts solid, pen-up travel dashed)
# Pass another settings file to cut with it instead (for example one with
# Mode=2 under [Model] for the HPGL model NVAS).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
settings=${1:-samples/tarnik.ini}
scripts/install-deps.sh
scripts/build.sh native windows
cli=build/native/cli/tarnik-cli
mkdir -p build/sample
"$cli" cut --settings "$settings" --output build/sample/sign.job samples/sign.plt
"$cli" preview build/sample/sign.job -o build/sample/sign.svg >/dev/null
echo "preview: build/sample/sign.svg"
