#include "sender/plan/weed_lines.h"

#include <algorithm>
#include <cmath>

#include "sender/plan/polygon_clipping.h"

namespace tarnik {
namespace {

// The region kept clear is grown by one unit more than the gap: a weed
// line's end is the crossing with the region's edge rounded to whole units.
constexpr int64_t kRoundingAllowance = 1;
// The most weed lines of one job (a 10 m border with lines every 1 mm both
// ways).
constexpr int64_t kMaxWeedLineCount = 20000;

void AddLines(const LayoutBox& border, const WeedLineSettings& s, bool across,
              std::vector<LayoutSegment>& lines) {
    const int64_t from = across ? border.min_x : border.min_y;
    const int64_t to = across ? border.max_x : border.max_y;
    for (int64_t at = from + s.spacing; at < to; at += s.spacing) {
        if (across) {
            lines.push_back({{at, border.min_y}, {at, border.max_y}});
        } else {
            lines.push_back({{border.min_x, at}, {border.max_x, at}});
        }
    }
}

int64_t LineCount(const LayoutBox& border, const WeedLineSettings& s) {
    int64_t count = 0;
    if (s.direction != WeedDirection::Along)
        count += border.Length() / s.spacing;
    if (s.direction != WeedDirection::Across)
        count += border.Width() / s.spacing;
    return count;
}

// Whether a line of the grid (positions from + k * spacing, k >= 1, below
// to) falls within lo..hi.
bool GridHits(int64_t lo, int64_t hi, int64_t from, int64_t to, int64_t spacing) {
    lo = std::max(lo, from + 1);
    hi = std::min(hi, to - 1);
    if (lo > hi)
        return false;
    const int64_t first = from + ((lo - from + spacing - 1) / spacing) * spacing;
    return first <= hi;
}

// Whether any weed line meets the box: only what a line meets needs to be
// kept clear of, which spares the clipping most of a dense design.
bool LineMeets(const LayoutBox& box, const LayoutBox& border, const WeedLineSettings& s) {
    if (box.max_x < border.min_x || box.min_x > border.max_x || box.max_y < border.min_y ||
        box.min_y > border.max_y)
        return false;
    return (s.direction != WeedDirection::Along &&
            GridHits(box.min_x, box.max_x, border.min_x, border.max_x, s.spacing)) ||
           (s.direction != WeedDirection::Across &&
            GridHits(box.min_y, box.max_y, border.min_y, border.max_y, s.spacing));
}

LayoutBox Shifted(const LayoutBox& box, LayoutPoint shift) {
    return LayoutBox{box.min_x + shift.x, box.min_y + shift.y, box.max_x + shift.x,
                     box.max_y + shift.y};
}

// The paths some weed line comes within reach of, in any copy.
std::vector<Polyline> PathsInReach(const std::vector<Polyline>& paths,
                                   const std::vector<LayoutPoint>& shifts, int64_t reach,
                                   const LayoutBox& border, const WeedLineSettings& s) {
    std::vector<Polyline> kept;
    for (const Polyline& path : paths) {
        const LayoutBox box = BoxOf(path).Grown(reach);
        if (std::any_of(shifts.begin(), shifts.end(), [&](LayoutPoint shift) {
                return LineMeets(Shifted(box, shift), border, s);
            }))
            kept.push_back(path);
    }
    return kept;
}

// A piece as (line position, start, end) along its line, start < end.
struct LinePiece {
    bool across = false;
    int64_t at = 0;
    int64_t from = 0;
    int64_t to = 0;
};

LinePiece ToLinePiece(const LayoutSegment& s) {
    LinePiece piece;
    piece.across = s.a.x == s.b.x;
    piece.at = piece.across ? s.a.x : s.a.y;
    const int64_t a = piece.across ? s.a.y : s.a.x;
    const int64_t b = piece.across ? s.b.y : s.b.x;
    piece.from = std::min(a, b);
    piece.to = std::max(a, b);
    return piece;
}

// Lines across first, along the feed in turn, then lines along the feed;
// every other line runs backwards, so the knife travels little between
// them. A stub shorter than shortest separates nothing worth a cut.
void OrderPieces(std::vector<LinePiece>& pieces, int64_t shortest, std::vector<Polyline>& lines) {
    std::sort(pieces.begin(), pieces.end(), [](const LinePiece& l, const LinePiece& r) {
        if (l.across != r.across)
            return l.across;
        if (l.at != r.at)
            return l.at < r.at;
        return l.from < r.from;
    });
    // Pieces that meet end to end (the library may split a line at a
    // point it was given) are one cut.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        LinePiece& last = pieces[kept == 0 ? 0 : kept - 1];
        if (kept > 0 && last.across == pieces[i].across && last.at == pieces[i].at &&
            pieces[i].from <= last.to) {
            last.to = std::max(last.to, pieces[i].to);
        } else {
            pieces[kept++] = pieces[i];
        }
    }
    pieces.resize(kept);
    std::erase_if(pieces, [shortest](const LinePiece& p) { return p.to - p.from < shortest; });
    std::size_t begin = 0;
    bool backwards = false;
    while (begin < pieces.size()) {
        std::size_t end = begin;
        while (end < pieces.size() && pieces[end].across == pieces[begin].across &&
               pieces[end].at == pieces[begin].at) {
            ++end;
        }
        for (std::size_t i = 0; i < end - begin; ++i) {
            const LinePiece& p = pieces[backwards ? end - 1 - i : begin + i];
            const int64_t start = backwards ? p.to : p.from;
            const int64_t stop = backwards ? p.from : p.to;
            if (p.across) {
                lines.push_back({{p.at, start}, {p.at, stop}});
            } else {
                lines.push_back({{start, p.at}, {stop, p.at}});
            }
        }
        backwards = !backwards;
        begin = end;
    }
}

// The keep-out outlines of every copy that some weed line meets, each with
// its box.
struct Region {
    std::vector<Polyline> outlines;
    std::vector<LayoutBox> boxes;
};

Region PlaceRegion(const std::vector<Polyline>& keep_out, const std::vector<LayoutPoint>& shifts,
                   const LayoutBox& border, const WeedLineSettings& settings) {
    Region region;
    for (const LayoutPoint& shift : shifts) {
        for (const Polyline& outline : keep_out) {
            const LayoutBox box = Shifted(BoxOf(outline), shift);
            if (!LineMeets(box, border, settings))
                continue;
            Polyline moved = outline;
            for (LayoutPoint& p : moved) {
                p.x += shift.x;
                p.y += shift.y;
            }
            region.outlines.push_back(std::move(moved));
            region.boxes.push_back(box);
        }
    }
    return region;
}

// floor(a / b) for b > 0.
int64_t FloorDiv(int64_t a, int64_t b) {
    return a / b - ((a % b != 0 && a < 0) ? 1 : 0);
}

// The lines of one direction, line k (from 0) at from + (k + 1) * spacing.
struct LineFamily {
    int64_t from = 0;
    int64_t first_index = 0;  // of line 0 among all the lines
    int64_t count = 0;

    // Adds to lines_of the outline's index at every line within lo..hi;
    // returns how many.
    int64_t Meet(int64_t lo, int64_t hi, int64_t spacing, uint32_t outline,
                 std::vector<std::vector<uint32_t>>* lines_of) const {
        const int64_t first = std::max<int64_t>(0, FloorDiv(lo - from - 1, spacing));
        const int64_t last = std::min(count - 1, FloorDiv(hi - from, spacing) - 1);
        for (int64_t k = first; lines_of != nullptr && k <= last; ++k)
            (*lines_of)[static_cast<std::size_t>(first_index + k)].push_back(outline);
        return last >= first ? last - first + 1 : 0;
    }
};

// Clipping a line by every outline takes the library a sweep that keeps all
// of them in play at once; a line clipped by the outlines it meets alone is
// far quicker, as long as an outline is not handed over for many lines
// (one long outline across a thousand lines): past this many times the
// region's points, the lines are clipped all at once.
constexpr int64_t kMostRepeatedPoints = 4;

// Which outlines each line meets; false (and lines_of left empty) when
// clipping line by line would hand over too many points.
bool OutlinesOfLines(const Region& region, const LineFamily& across, const LineFamily& along,
                     int64_t spacing, std::vector<std::vector<uint32_t>>& lines_of) {
    int64_t points = 0;
    int64_t handed_over = 0;
    for (uint32_t pass = 0; pass < 2; ++pass) {
        auto* fill = pass == 0 ? nullptr : &lines_of;
        for (uint32_t i = 0; i < region.outlines.size(); ++i) {
            const LayoutBox& box = region.boxes[i];
            const int64_t met = across.Meet(box.min_x, box.max_x, spacing, i, fill) +
                                along.Meet(box.min_y, box.max_y, spacing, i, fill);
            points += static_cast<int64_t>(region.outlines[i].size());
            handed_over += met * static_cast<int64_t>(region.outlines[i].size());
        }
        if (pass == 0 && handed_over > kMostRepeatedPoints * points)
            return false;
        lines_of.resize(static_cast<std::size_t>(across.count + along.count));
    }
    return true;
}

bool ClipLines(const std::vector<LayoutSegment>& lines, const Region& region,
               const LineFamily& across, const LineFamily& along, int64_t spacing,
               std::vector<LinePiece>& pieces) {
    std::vector<std::vector<uint32_t>> lines_of;
    std::vector<LayoutSegment> outside;
    if (!OutlinesOfLines(region, across, along, spacing, lines_of)) {
        if (!SegmentsOutsideRegion(lines, region.outlines, outside))
            return false;
        for (const LayoutSegment& segment : outside) pieces.push_back(ToLinePiece(segment));
        return true;
    }
    std::vector<Polyline> near;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (lines_of[k].empty()) {
            pieces.push_back(ToLinePiece(lines[k]));
            continue;
        }
        near.clear();
        for (const uint32_t i : lines_of[k]) near.push_back(region.outlines[i]);
        if (!SegmentsOutsideRegion({lines[k]}, near, outside))
            return false;
        for (const LayoutSegment& segment : outside) pieces.push_back(ToLinePiece(segment));
    }
    return true;
}

}  // namespace

bool WeedDesign::Add(const Polyline& path) {
    if (overflowed_ || path.size() > kMaxWeedDesignPoints - points_) {
        overflowed_ = true;
        return false;
    }
    points_ += path.size();
    (IsClosed(path) ? closed_ : open_).push_back(path);
    return true;
}

WeedOutcome PlanWeedLines(const WeedDesign& design, const std::vector<LayoutPoint>& shifts,
                          const LayoutBox& border, const WeedLineSettings& settings,
                          std::vector<Polyline>& lines) {
    lines.clear();
    if (design.Overflowed())
        return WeedOutcome::TooManyPoints;
    if (settings.spacing <= 0 || LineCount(border, settings) > kMaxWeedLineCount)
        return WeedOutcome::TooManyLines;
    const int64_t reach = settings.gap + kRoundingAllowance;
    std::vector<Polyline> keep_out;
    if (!BuildKeepOutRegion(PathsInReach(design.Closed(), shifts, reach, border, settings),
                            PathsInReach(design.Open(), shifts, reach, border, settings), reach,
                            keep_out))
        return WeedOutcome::ClippingFailed;
    const Region region = PlaceRegion(keep_out, shifts, border, settings);
    std::vector<LayoutSegment> candidates;
    if (settings.direction != WeedDirection::Along)
        AddLines(border, settings, true, candidates);
    const LineFamily across{border.min_x, 0, static_cast<int64_t>(candidates.size())};
    if (settings.direction != WeedDirection::Across)
        AddLines(border, settings, false, candidates);
    const LineFamily along{border.min_y, across.count,
                           static_cast<int64_t>(candidates.size()) - across.count};
    std::vector<LinePiece> pieces;
    if (!ClipLines(candidates, region, across, along, settings.spacing, pieces))
        return WeedOutcome::ClippingFailed;
    OrderPieces(pieces, settings.gap, lines);
    return WeedOutcome::Done;
}

}  // namespace tarnik
