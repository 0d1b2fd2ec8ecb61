#pragma once
// Weed lines: straight cuts through the waste between the weeding border and
// the design, so that the waste comes off in strips. Each stops a gap short
// of every cut path of the design (open paths included) and crosses none;
// they stay out of every closed shape (a letter's counter is weeded by hand)
// and run out to the border.
#include <cstdint>
#include <vector>

#include "sender/plan/layout_geometry.h"
#include "sender/plan/media_layout.h"

namespace tarnik {

// The most design points the weed lines are worked out for. The clipping
// library holds about a hundred bytes for each point of the region it
// clips by; this keeps that near 200 MB. A bigger design is refused with a
// message rather than slowed or run out of memory.
inline constexpr std::size_t kMaxWeedDesignPoints = 2000000;

// The design as the weed lines see it: every path of one copy, placed.
class WeedDesign {
  public:
    // Adds one path; false (and the path left out) once the design holds
    // more than kMaxWeedDesignPoints points.
    bool Add(const Polyline& path);
    bool Overflowed() const { return overflowed_; }
    bool HasClosedPaths() const { return !closed_.empty(); }
    const std::vector<Polyline>& Closed() const { return closed_; }
    const std::vector<Polyline>& Open() const { return open_; }

  private:
    std::vector<Polyline> closed_;
    std::vector<Polyline> open_;
    std::size_t points_ = 0;
    bool overflowed_ = false;
};

struct WeedLineSettings {
    int64_t spacing = 0;  // units between lines
    int64_t gap = 0;      // units a line stops short of the design
    WeedDirection direction = WeedDirection::Both;
};

enum class WeedOutcome {
    Done,
    TooManyPoints,   // the design is beyond kMaxWeedDesignPoints
    TooManyLines,    // the spacing makes more lines than the clipping is bounded for
    ClippingFailed,  // the clipping library refused the coordinates
};

// The weed lines inside border for the design repeated at every shift
// (shift 0 is the design where it lies), in cutting order: lines across the
// media first, one after another along the feed, then lines along the feed,
// each turned to start where the last one ended nearer.
WeedOutcome PlanWeedLines(const WeedDesign& design, const std::vector<LayoutPoint>& shifts,
                          const LayoutBox& border, const WeedLineSettings& settings,
                          std::vector<Polyline>& lines);

}  // namespace tarnik
