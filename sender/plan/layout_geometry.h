#pragma once
// The plain geometry that placing a job on the media works with: points,
// polylines and boxes in plotter units, in the plotter's frame (x along the
// paper feed, y across the media). Coordinates are 64-bit so that a placed
// job (copies, margins, a border) can be measured before it is known to fit
// the 32-bit range of a cut path.
#include <algorithm>
#include <cstdint>
#include <vector>

namespace tarnik {

struct LayoutPoint {
    int64_t x = 0;  // along the paper feed
    int64_t y = 0;  // across the media
    friend bool operator==(const LayoutPoint&, const LayoutPoint&) = default;
};

// A cut path as a list of points; it is closed when its last point repeats
// its first.
using Polyline = std::vector<LayoutPoint>;

inline bool IsClosed(const Polyline& path) {
    return path.size() >= 4 && path.front() == path.back();
}

// Smallest box around some points; empty until the first point is added.
struct LayoutBox {
    int64_t min_x = INT64_MAX;
    int64_t min_y = INT64_MAX;
    int64_t max_x = INT64_MIN;
    int64_t max_y = INT64_MIN;

    bool IsEmpty() const { return min_x > max_x; }
    // Extent along the feed and across the media (0 for an empty box).
    int64_t Length() const { return IsEmpty() ? 0 : max_x - min_x; }
    int64_t Width() const { return IsEmpty() ? 0 : max_y - min_y; }

    void Add(LayoutPoint p) {
        min_x = std::min(min_x, p.x);
        min_y = std::min(min_y, p.y);
        max_x = std::max(max_x, p.x);
        max_y = std::max(max_y, p.y);
    }
    void Add(const LayoutBox& other) {
        if (!other.IsEmpty()) {
            Add(LayoutPoint{other.min_x, other.min_y});
            Add(LayoutPoint{other.max_x, other.max_y});
        }
    }
    // The box grown by distance on every side.
    LayoutBox Grown(int64_t distance) const {
        return LayoutBox{min_x - distance, min_y - distance, max_x + distance, max_y + distance};
    }
};

inline LayoutBox BoxOf(const Polyline& path) {
    LayoutBox box;
    for (const LayoutPoint& p : path) {
        box.Add(p);
    }
    return box;
}

}  // namespace tarnik
