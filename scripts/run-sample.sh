#!/usr/bin/env bash
# README command (1): installs what is missing, builds both platforms, and
# cuts the bundled sample design with the bundled settings (model NVA, point
# reduction, closing overcut and knife offset on) on the plotter simulator:
# a pseudo-terminal that takes the job at 3840 bytes a second, as a plotter
# on a 38400-baud line does. Then the received job is drawn as SVG.
#   build/sample/sign.job       the job's bytes, as written by --output
#   build/sample/received.job   what the simulated plotter received
#   build/sample/sign.svg       its preview (cuts solid, pen-up travel dashed)
# Pass another settings file to cut with it instead (for example one with
# Mode=2 under [Model] for the HPGL model NVAS).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
settings=${1:-samples/tarnik.ini}
scripts/install-deps.sh
scripts/build.sh native windows
cli=build/native/cli/tarnik-cli
out=build/sample
mkdir -p "$out"
rm -f "$out/plotter" "$out/received.job"

build/native/tools/plotter_sim --link "$out/plotter" --out "$out/received.job" --idle-exit 3 \
    >"$out/plotter.log" &
simulator=$!
trap 'kill $simulator 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -e "$out/plotter" ] && break; sleep 0.05; done

"$cli" cut --settings "$settings" --output "$out/sign.job" --port "$out/plotter" samples/sign.plt
# The simulated line still carries what the pseudo-terminal buffered; the
# simulator ends once the line has been quiet for 3 seconds.
wait $simulator || true
trap - EXIT
if cmp -s "$out/sign.job" "$out/received.job"; then
    echo "plotter received $(stat -c %s "$out/received.job") bytes, identical to the job"
else
    echo "plotter received a different stream (see $out/received.job)" >&2
    exit 1
fi
"$cli" preview "$out/received.job" -o "$out/sign.svg" >/dev/null
echo "preview: $out/sign.svg"
