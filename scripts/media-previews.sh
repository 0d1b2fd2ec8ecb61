#!/usr/bin/env bash
# The guide's pictures of jobs placed on the media (docs/images/media_*.svg):
# the sample sign mirrored in four copies on 600 mm media, its letters
# weeded (border and weed lines), and the sign cut as a banner in strips of
# 120 mm media. Each is tarnik-cli's own preview of the job it cuts.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
build_dir=${BUILD_DIR:-build/native}
cli=$build_dir/cli/tarnik-cli
[ -x "$cli" ] || { cmake --preset native >/dev/null && cmake --build "$build_dir" --target tarnik-cli -j2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
settings=samples/tarnik.ini
# The sign's letters without its two frame outlines, as a lettering job.
python3 - samples/sign.plt "$work/letters.plt" <<'PY'
import sys
text = open(sys.argv[1], newline="").read()
head, *paths = text.split("PU")
open(sys.argv[2], "w", newline="").write(head + "".join("PU" + p for p in paths[2:]))
PY
preview() {
    local name=$1 plot=$2
    shift 2
    "$cli" cut --settings "$settings" "$@" --output "$work/$name.job" "$plot" >/dev/null
    "$cli" preview "$work/$name.job" -o "docs/images/$name.svg" >/dev/null
    echo "docs/images/$name.svg"
}
preview media_mirrored_copies samples/sign.plt --mirror --copies 4 --gap 5 --media-width 600
preview media_weeded_sign "$work/letters.plt" --weed-border 8 --weed-lines 12 --weed-gap 2
"$cli" cut --settings "$settings" --media-width 120 --tile 20 --output "$work/banner.job" \
    samples/sign.plt >/dev/null
"$cli" preview "$work/banner-2.job" -o docs/images/media_banner_strip2.svg >/dev/null
echo docs/images/media_banner_strip2.svg
