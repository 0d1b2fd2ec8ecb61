#!/usr/bin/env bash
# The Inkscape route end to end: Debian's Inkscape exports samples/sign.svg
# with its own HPGL output (800 units per inch, its overcut, knife offset and
# precut off, as the extension sets them), tarnik-cli cuts that HPGL to a
# file in the extension's default order (shortest); the extension's script then sends the same drawing through the
# plotter simulator, which must receive exactly those bytes, with progress
# and the outcome in the message and no temporary file left behind. A
# second run to a port that does not exist must report that nothing was cut.
#   inkscape_route_test.sh TARNIK_CLI PLOTTER_SIM
# Status 77 (skipped) when Inkscape is not installed: scripts/test-all.sh
# installs it.
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
cli=$(realpath "$1") sim=$(realpath "$2")
command -v inkscape >/dev/null || { echo "inkscape is not installed: skipped"; exit 77; }
# Inkscape runs its extensions with the system's Python, which has inkex's
# modules; a Python earlier on PATH (a pyenv shim) would not.
export PATH=/usr/bin:/bin:$PATH
source "$(dirname "$0")/dist_test_env.sh"
mkdir -p "$work/profile" "$work/home" "$work/tmp"
cat >"$work/profile/preferences.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8" standalone="no"?>
<inkscape version="1">
  <group id="extensions"
     org.ekips.output.hpgl_output.resolutionX="800"
     org.ekips.output.hpgl_output.resolutionY="800"
     org.ekips.output.hpgl_output.overcut="0"
     org.ekips.output.hpgl_output.toolOffset="0"
     org.ekips.output.hpgl_output.precut="false" />
</inkscape>
XML
export INKSCAPE_PROFILE_DIR=$work/profile HOME=$work/home
unset DISPLAY
settings=$top/samples/tarnik.ini
SECONDS=0
inkscape --export-type=hpgl --export-filename="$work/inkscape.hpgl" "$top/samples/sign.svg" \
    >/dev/null 2>"$work/inkscape.log" || fail "inkscape export: $(cat "$work/inkscape.log")"
# The extension cuts in the order "shortest" unless told otherwise.
"$cli" cut --settings "$settings" --order shortest --output "$work/expected.job" \
    "$work/inkscape.hpgl" >/dev/null ||
    fail "tarnik-cli on Inkscape's HPGL"

# The extension's script, run as Inkscape runs it: from its own folder,
# with Inkscape's extension modules importable and a copy of the drawing.
run_extension() {
    cp "$top/samples/sign.svg" "$work/drawing.svg"
    (cd "$top/dist/inkscape" &&
        TMPDIR=$work/tmp TARNIK_CLI=$cli PYTHONPATH=/usr/share/inkscape/extensions \
            /usr/bin/python3 tarnik_send.py --tab=cutter --settings="$settings" --target=port \
            --port="$1" --mark_a=0 --mark_b=0 "$work/drawing.svg" >/dev/null 2>"$work/message")
}

start_simulator "$sim" --idle-exit 2
run_extension "$work/plotter" || fail "extension refused: $(cat "$work/message")"
simulator_done
cmp "$work/expected.job" "$work/received.job" ||
    fail "the plotter received other bytes than tarnik-cli --output gives for Inkscape's HPGL"
grep -q "^Sent 100% " "$work/message" || fail "no progress in the message: $(cat "$work/message")"
grep -q "^Sent to the cutter.$" "$work/message" || fail "no outcome in the message"
[ -z "$(ls -A "$work/tmp")" ] || fail "temporary files left: $(ls -A "$work/tmp")"

run_extension "$work/no-such-port" && fail "a send to a missing port reported success"
grep -q "^Nothing was cut (tarnik-cli status 1).$" "$work/message" ||
    fail "missing port not reported: $(cat "$work/message")"
[ -z "$(ls -A "$work/tmp")" ] || fail "temporary files left after a failure"
echo "inkscape route: $(stat -c %s "$work/received.job") bytes received, identical ($SECONDS s)"
