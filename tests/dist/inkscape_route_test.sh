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
#   run_extension PORT [DRAWING [TARGET_OPTIONS...]]
run_extension() {
    cp "${2:-$top/samples/sign.svg}" "$work/drawing.svg"
    local target=(--target=port --port="$1")
    [ $# -gt 2 ] && target=("${@:3}")
    (cd "$top/dist/inkscape" &&
        TMPDIR=$work/tmp TARNIK_CLI=$cli PYTHONPATH=/usr/share/inkscape/extensions \
            /usr/bin/python3 tarnik_send.py --tab=cutter --settings="$settings" "${target[@]}" \
            --mark_a=0 --mark_b=0 "$work/drawing.svg" >"$work/document" 2>"$work/message")
}

# Long enough for the extension to start on a busy machine.
start_simulator "$sim" --idle-exit 8
run_extension "$work/plotter" || fail "extension refused: $(cat "$work/message")"
simulator_done
cmp "$work/expected.job" "$work/received.job" ||
    fail "the plotter received other bytes than tarnik-cli --output gives for Inkscape's HPGL"
grep -q "^Sent 100% " "$work/message" || fail "no progress in the message: $(cat "$work/message")"
grep -qE "^Sent to the cutter. The job takes about [0-9]+ s on the line \($(stat -c %s "$work/expected.job") bytes at 3840 bytes a second\)\.$" "$work/message" ||
    fail "no outcome with the job's time on the line: $(cat "$work/message")"
[ -z "$(ls -A "$work/tmp")" ] || fail "temporary files left: $(ls -A "$work/tmp")"

run_extension "$work/no-such-port" && fail "a send to a missing port reported success"
head -n 1 "$work/message" | grep -q "^Nothing was cut. (tarnik-cli status 1)$" ||
    fail "missing port not reported first: $(cat "$work/message")"
[ -z "$(ls -A "$work/tmp")" ] || fail "temporary files left after a failure"

# A text, a circle and a star: the text is cut as well, as the paths
# Inkscape makes of it, and the drawing in Inkscape keeps its text.
cat >"$work/shapes.svg" <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" width="100mm" height="40mm" viewBox="0 0 100 40">
  <text id="word" x="2" y="20" style="font-family:DejaVu Sans;font-size:12px">Tarnik</text>
  <circle id="ring" cx="70" cy="20" r="8"/>
  <path id="star" d="M 90,5 L 93,14 L 99,14 L 94,19 L 96,28 L 90,22 L 84,28 L 86,19 L 81,14 L 87,14 Z"/>
</svg>
SVG
inkscape --export-text-to-path --export-plain-svg --export-filename="$work/shapes-paths.svg" \
    "$work/shapes.svg" >/dev/null 2>&1 || fail "inkscape text to paths"
inkscape --export-type=hpgl --export-filename="$work/shapes.hpgl" "$work/shapes-paths.svg" \
    >/dev/null 2>&1 || fail "inkscape export of the shapes"
"$cli" cut --settings "$settings" --order shortest --output "$work/shapes-expected.job" "$work/shapes.hpgl" \
    >/dev/null 2>&1 || fail "tarnik-cli on the shapes"
run_extension "" "$work/shapes.svg" --target=file --file="$work/shapes.job" ||
    fail "the extension refused text and shapes: $(cat "$work/message")"
cmp -s "$work/shapes-expected.job" "$work/shapes.job" ||
    fail "text and shapes were not cut as Inkscape's paths of them: $(cat "$work/message")"
# (An unchanged drawing is not written back at all.)
[ ! -s "$work/document" ] || grep -q ">Tarnik</text>" "$work/document" ||
    fail "the drawing handed back lost its text"

# A picture has no outline: refused by name, nothing cut.
cat >"$work/picture.svg" <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="50mm" height="50mm" viewBox="0 0 50 50">
  <image id="photo" x="0" y="0" width="40" height="40" xlink:href="data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mNkYPhfDwAChwGA60e6kgAAAABJRU5ErkJggg=="/>
  <circle id="ring" cx="25" cy="25" r="8"/>
</svg>
SVG
run_extension "" "$work/picture.svg" --target=file --file="$work/picture.job" &&
    fail "a drawing with a picture reported success"
head -n 1 "$work/message" | grep -q "^Nothing was cut. The drawing holds pictures, .*: photo\." ||
    fail "the picture was not named: $(cat "$work/message")"
[ -e "$work/picture.job" ] && fail "a job was written for a drawing with a picture"
echo "inkscape route: $(stat -c %s "$work/received.job") bytes received, identical ($SECONDS s)"
