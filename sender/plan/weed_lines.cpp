#include "sender/plan/weed_lines.h"

#include <algorithm>
#include <cmath>

#include "sender/plan/polygon_clipping.h"

namespace tarnik {
namespace {

// A round corner of the region around the design is drawn with chords whose
// sag the library keeps near this share of the gap. It rounds the number of
// chords of a corner to a whole number, which can let one sag up to 2.25
// times as far (1.49 chords' worth of arc in one chord); the region is grown
// by 2.5 times the tolerance more than the gap, so that a weed line keeps the
// whole gap, less the rounding of a crossing to whole units.
constexpr double kArcToleranceShareOfGap = 1.0 / 20.0;
constexpr double kChordAllowance = 2.5;
// The most weed lines of one job (a 10 m border with lines every 1 mm both
// ways): the clipping works on every line at once.
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
    std::vector<Polyline> keep_out;
    const double tolerance =
        std::max(0.25, static_cast<double>(settings.gap) * kArcToleranceShareOfGap);
    const int64_t reach =
        settings.gap + static_cast<int64_t>(std::ceil(kChordAllowance * tolerance));
    if (!BuildKeepOutRegion(design.Closed(), design.Open(), reach, tolerance, keep_out))
        return WeedOutcome::ClippingFailed;
    std::vector<Polyline> region;
    region.reserve(keep_out.size() * shifts.size());
    for (const LayoutPoint& shift : shifts) {
        for (const Polyline& outline : keep_out) {
            Polyline moved = outline;
            for (LayoutPoint& p : moved) {
                p.x += shift.x;
                p.y += shift.y;
            }
            region.push_back(std::move(moved));
        }
    }
    std::vector<LayoutSegment> candidates;
    if (settings.direction != WeedDirection::Along)
        AddLines(border, settings, true, candidates);
    if (settings.direction != WeedDirection::Across)
        AddLines(border, settings, false, candidates);
    std::vector<LayoutSegment> outside;
    if (!SegmentsOutsideRegion(candidates, region, outside))
        return WeedOutcome::ClippingFailed;
    std::vector<LinePiece> pieces;
    pieces.reserve(outside.size());
    for (const LayoutSegment& segment : outside) {
        pieces.push_back(ToLinePiece(segment));
    }
    OrderPieces(pieces, settings.gap, lines);
    return WeedOutcome::Done;
}

}  // namespace tarnik
