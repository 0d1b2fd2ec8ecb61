#pragma once
// Polygon clipping and offsetting for the weed lines, done by the polygon
// clipping library (Debian's libpolyclipping; the Windows build compiles
// the same source). Only this header and its source file see the library:
// the rest of the job plan speaks in polylines.
#include <cstdint>
#include <vector>

#include "sender/plan/layout_geometry.h"

namespace tarnik {

// The region kept clear of a design: every closed path filled (a path that
// crosses itself counts as filled wherever it winds; a counter inside an
// outline is part of the outline's piece) and every open path, each grown
// by distance with square corners and ends (which lie at the distance or
// beyond). The region comes as one outline or more per path, overlapping
// where paths lie close. Returns false when the library refuses the input
// (coordinates out of its range); keep_out is then empty.
bool BuildKeepOutRegion(const std::vector<Polyline>& closed_paths,
                        const std::vector<Polyline>& open_paths, int64_t distance,
                        std::vector<Polyline>& keep_out);

// Straight segment from a to b.
struct LayoutSegment {
    LayoutPoint a;
    LayoutPoint b;
};

// The parts of every segment that lie outside the region (the outlines of
// regions, each copy of a region counting once where they overlap). Pieces
// come back as segments in no particular order or direction. Returns false
// when the library refuses the input.
bool SegmentsOutsideRegion(const std::vector<LayoutSegment>& segments,
                           const std::vector<Polyline>& region, std::vector<LayoutSegment>& pieces);

}  // namespace tarnik
