#include "sender/plan/media_strips.h"

#include <cstddef>

namespace tarnik {
namespace {

// x where the segment a-b meets the line y = edge, rounded to the nearest
// unit (halves away from zero). The product of two coordinate differences
// needs more than 64 bits.
int64_t CrossingX(LayoutPoint a, LayoutPoint b, int64_t edge) {
    const __int128 numerator = static_cast<__int128>(b.x - a.x) * (edge - a.y);
    const __int128 denominator = b.y - a.y;
    __int128 quotient = numerator / denominator;
    const __int128 remainder = numerator % denominator;
    const __int128 twice = remainder < 0 ? -2 * remainder : 2 * remainder;
    const __int128 magnitude = denominator < 0 ? -denominator : denominator;
    if (twice >= magnitude) {
        quotient += ((numerator < 0) != (denominator < 0)) ? -1 : 1;
    }
    return a.x + static_cast<int64_t>(quotient);
}

class StripCutter {
  public:
    StripCutter(int64_t from_y, int64_t to_y, std::vector<Polyline>& pieces)
        : from_y_(from_y), to_y_(to_y), pieces_(pieces) {}

    bool Inside(LayoutPoint p) const { return p.y >= from_y_ && p.y <= to_y_; }

    void Start(LayoutPoint p) {
        if (Inside(p))
            Extend(p);
    }

    void Segment(LayoutPoint a, LayoutPoint b) {
        const bool a_in = Inside(a);
        const bool b_in = Inside(b);
        if (a_in && b_in) {
            Extend(b);
            return;
        }
        if (a_in) {
            Extend(Crossing(a, b, b.y < from_y_ ? from_y_ : to_y_));
            Finish();
            return;
        }
        if (b_in) {
            Extend(Crossing(a, b, a.y < from_y_ ? from_y_ : to_y_));
            Extend(b);
            return;
        }
        // Both ends outside: the segment either passes the strip by or
        // crosses it from one edge to the other.
        if ((a.y < from_y_ && b.y > to_y_) || (a.y > to_y_ && b.y < from_y_)) {
            Extend(Crossing(a, b, a.y < from_y_ ? from_y_ : to_y_));
            Extend(Crossing(a, b, a.y < from_y_ ? to_y_ : from_y_));
            Finish();
        }
    }

    // Ends the piece being built; a single point is dropped.
    void Finish() {
        if (current_.size() >= 2)
            pieces_.push_back(std::move(current_));
        current_.clear();
    }

    bool Building() const { return !current_.empty(); }

  private:
    static LayoutPoint Crossing(LayoutPoint a, LayoutPoint b, int64_t edge) {
        return LayoutPoint{CrossingX(a, b, edge), edge};
    }
    void Extend(LayoutPoint p) {
        if (current_.empty() || !(current_.back() == p))
            current_.push_back(p);
    }

    int64_t from_y_;
    int64_t to_y_;
    std::vector<Polyline>& pieces_;
    Polyline current_;
};

}  // namespace

void ClipToStrip(const Polyline& path, int64_t from_y, int64_t to_y,
                 std::vector<Polyline>& pieces) {
    if (path.empty())
        return;
    const LayoutBox box = BoxOf(path);
    if (box.max_y < from_y || box.min_y > to_y)
        return;
    if (box.min_y >= from_y && box.max_y <= to_y) {
        pieces.push_back(path);
        return;
    }
    const std::size_t first_piece = pieces.size();
    StripCutter cutter(from_y, to_y, pieces);
    cutter.Start(path.front());
    const bool starts_inside = cutter.Inside(path.front());
    for (std::size_t i = 1; i < path.size(); ++i) {
        cutter.Segment(path[i - 1], path[i]);
    }
    const bool ends_inside = cutter.Building();
    cutter.Finish();
    // A closed path's last piece runs on into its first one through the
    // start point: cut them as one.
    if (IsClosed(path) && starts_inside && ends_inside && pieces.size() - first_piece >= 2 &&
        pieces[first_piece].front() == path.front() && pieces.back().back() == path.back()) {
        Polyline& head = pieces[first_piece];
        Polyline joined = std::move(pieces.back());
        joined.insert(joined.end(), head.begin() + 1, head.end());
        pieces.pop_back();
        head = std::move(joined);
    }
}

std::vector<Polyline> StripTicks(const MediaLayout& layout, const MediaStrip& strip) {
    std::vector<Polyline> ticks;
    for (const int64_t y : strip.tick_y) {
        for (const int64_t x : {layout.tick_top_x, layout.tick_bottom_x}) {
            ticks.push_back(Polyline{{x, y}, {x + layout.tick_length, y}});
        }
    }
    return ticks;
}

}  // namespace tarnik
