#pragma once
// A job too wide for the media is cut in strips: every path is cut exactly
// at the strip's two edges, so that what lies outside the overlaps is cut in
// one strip only, and each strip gets alignment ticks at its overlap edges.
#include <vector>

#include "sender/plan/layout_geometry.h"
#include "sender/plan/media_layout.h"

namespace tarnik {

// Appends to pieces the parts of path that lie within from_y..to_y (both
// edges included), in the path's own direction; a crossing point is put
// exactly on the edge (its x rounded to the nearest unit, the same in both
// strips that share the edge). A closed path that lies wholly inside stays
// as it is; one that leaves the strip becomes open pieces, the piece through
// its start joined into one. Single points left by a path that only touches
// an edge are dropped.
void ClipToStrip(const Polyline& path, int64_t from_y, int64_t to_y, std::vector<Polyline>& pieces);

// The alignment ticks of one strip, in the placed job's frame: a short cut
// along the feed above and below the job at every overlap edge.
std::vector<Polyline> StripTicks(const MediaLayout& layout, const MediaStrip& strip);

}  // namespace tarnik
