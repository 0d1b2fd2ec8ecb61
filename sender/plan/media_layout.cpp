#include "sender/plan/media_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace tarnik {
namespace {

// A length option that holds a number from 0 up to the bound (a text that
// is not a number fails too).
bool LengthInRange(double mm) {
    return mm >= 0.0 && mm <= kMaxLayoutLength;
}

LayoutProblem CheckPlacement(const MediaLayoutOptions& o) {
    if (!LengthInRange(o.MediaWidth))
        return LayoutProblem::BadMediaWidth;
    if (!LengthInRange(o.MarginLeft) || !LengthInRange(o.MarginTop))
        return LayoutProblem::BadMargin;
    if (o.Copies < 1 || o.Copies > kMaxCopies)
        return LayoutProblem::BadCopies;
    if (!(o.CopyGap <= kMaxLayoutLength) || (o.Copies > 1 && !(o.CopyGap > 0.0)))
        return LayoutProblem::BadCopyGap;
    return LayoutProblem::None;
}

LayoutProblem CheckWeedingAndTiling(const MediaLayoutOptions& o) {
    if (!LengthInRange(o.WeedBorder))
        return LayoutProblem::BadWeedBorder;
    if (!LengthInRange(o.WeedLines) || (o.WeedLines > 0.0 && o.WeedLines < kSmallestWeedSpacing))
        return LayoutProblem::BadWeedSpacing;
    if (o.WeedLines > 0.0) {
        if (!(o.WeedGap > 0.0) || o.WeedGap > kMaxLayoutLength)
            return LayoutProblem::BadWeedGap;
        if (o.WeedBorder == 0.0)
            return LayoutProblem::WeedLinesWithoutBorder;
    }
    if (!LengthInRange(o.TileOverlap))
        return LayoutProblem::BadTileOverlap;
    if (o.TileOverlap > 0.0) {
        if (o.MediaWidth == 0.0)
            return LayoutProblem::TilingWithoutMedia;
        if (o.MediaWidth - o.MarginLeft - o.TileOverlap < kSmallestStripAdvance)
            return LayoutProblem::MediaTooNarrow;
    }
    return LayoutProblem::None;
}

// Copies laid out in a grid: across the media as far as it is wide, then
// along the feed.
struct Arrangement {
    int64_t length = 0;  // one copy along the feed
    int64_t width = 0;   // one copy across
    int64_t columns = 1;
    int64_t rows = 1;
    int64_t footprint_width = 0;  // all copies and the border, across
    bool fits = true;
};

struct Lengths {
    int64_t media = 0;  // 0: not known
    int64_t left = 0;
    int64_t top = 0;
    int64_t gap = 0;
    int64_t border = 0;
    int64_t overlap = 0;
};

Arrangement Arrange(int64_t length, int64_t width, int64_t copies, const Lengths& u) {
    Arrangement a;
    a.length = length;
    a.width = width;
    if (u.media > 0 && copies > 1) {
        const int64_t room = u.media - u.left - 2 * u.border;
        if (room >= width) {
            a.columns = std::clamp<int64_t>((room + u.gap) / (width + u.gap), 1, copies);
        }
    }
    a.rows = (copies + a.columns - 1) / a.columns;
    a.footprint_width = a.columns * width + (a.columns - 1) * u.gap + 2 * u.border;
    a.fits = u.media == 0 || u.left + a.footprint_width <= u.media;
    return a;
}

bool ChooseTurn(RotateChoice choice, const Arrangement& as_read, const Arrangement& turned) {
    switch (choice) {
        case RotateChoice::None:
            return false;
        case RotateChoice::Quarter:
            return true;
        case RotateChoice::Automatic:
            break;
    }
    if (as_read.fits != turned.fits)
        return turned.fits;
    // Both fit or neither does: the long side runs along the feed, which
    // saves media (or strips).
    return as_read.width > as_read.length;
}

int64_t ToUnits(double mm, double units_per_mm) {
    return std::llround(mm * units_per_mm);
}

// The strips of a job too wide for the media: each as wide as the media
// beside the left margin, each sharing the overlap with the next.
bool PlanStrips(const Lengths& u, int64_t footprint_width, std::vector<MediaStrip>& strips) {
    const int64_t strip = u.media - u.left;
    const int64_t advance = strip - u.overlap;
    const int64_t count = 1 + (footprint_width - strip + advance - 1) / advance;
    if (count > kMaxStrips)
        return false;
    strips.resize(static_cast<std::size_t>(count));
    for (int64_t k = 0; k < count; ++k) {
        MediaStrip& s = strips[static_cast<std::size_t>(k)];
        s.from_y = u.left + k * advance;
        s.to_y = s.from_y + strip;
        s.shift_y = -k * advance;
        if (k > 0) {
            s.tick_y = {s.from_y, s.from_y - advance + strip};
        }
        if (k + 1 < count) {
            s.tick_y.push_back(s.from_y + advance);
            s.tick_y.push_back(s.to_y);
        }
    }
    return true;
}

void PlaceCopies(const LayoutBox& design, const MediaLayoutOptions& o, const Arrangement& a,
                 const Lengths& u, LayoutPoint origin, MediaLayout& layout) {
    layout.copies.clear();
    layout.content = LayoutBox{};
    for (int64_t k = 0; k < o.Copies; ++k) {
        CopyTransform copy;
        copy.mirror = o.Mirror;
        copy.turn = layout.turned;
        copy.design = design;
        copy.corner = LayoutPoint{origin.x + (k / a.columns) * (a.length + u.gap),
                                  origin.y + (k % a.columns) * (a.width + u.gap)};
        layout.copies.push_back(copy);
        layout.content.Add(copy.corner);
        layout.content.Add(LayoutPoint{copy.corner.x + a.length, copy.corner.y + a.width});
    }
}

bool WithinCoordinateRange(const LayoutBox& box) {
    return box.min_x >= 0 && box.min_y >= 0 && box.max_x <= INT32_MAX && box.max_y <= INT32_MAX;
}

}  // namespace

LayoutPoint CopyTransform::Apply(LayoutPoint p) const {
    int64_t along = p.x - design.min_x;
    int64_t across = p.y - design.min_y;
    if (mirror) {
        across = design.Width() - across;
    }
    if (turn) {
        const int64_t turned_along = across;
        across = design.Length() - along;
        along = turned_along;
    }
    return LayoutPoint{corner.x + along, corner.y + across};
}

LayoutProblem CheckMediaLayoutOptions(const MediaLayoutOptions& o, LayoutFigures& figures) {
    figures = LayoutFigures{};
    figures.media_width = o.MediaWidth;
    figures.smallest_media = o.MarginLeft + o.TileOverlap + kSmallestStripAdvance;
    const LayoutProblem problem = CheckPlacement(o);
    return problem != LayoutProblem::None ? problem : CheckWeedingAndTiling(o);
}

LayoutProblem PlanMediaLayout(const LayoutBox& design_in, const MediaLayoutOptions& o,
                              double units_per_mm, MediaLayout& layout, LayoutFigures& figures) {
    layout = MediaLayout{};
    const LayoutProblem problem = CheckMediaLayoutOptions(o, figures);
    if (problem != LayoutProblem::None)
        return problem;
    const LayoutBox design = design_in.IsEmpty() ? LayoutBox{0, 0, 0, 0} : design_in;
    const Lengths u{ToUnits(o.MediaWidth, units_per_mm), ToUnits(o.MarginLeft, units_per_mm),
                    ToUnits(o.MarginTop, units_per_mm),  ToUnits(o.CopyGap, units_per_mm),
                    ToUnits(o.WeedBorder, units_per_mm), ToUnits(o.TileOverlap, units_per_mm)};
    const Arrangement as_read = Arrange(design.Length(), design.Width(), o.Copies, u);
    const Arrangement turned = Arrange(design.Width(), design.Length(), o.Copies, u);
    layout.turned = ChooseTurn(o.Rotate, as_read, turned);
    const Arrangement& a = layout.turned ? turned : as_read;
    layout.columns = static_cast<int32_t>(a.columns);
    layout.rows = static_cast<int32_t>(a.rows);
    figures.job_width = static_cast<double>(u.left + a.footprint_width) / units_per_mm;
    const bool tiled = !a.fits && u.overlap > 0;
    if (!a.fits && !tiled)
        return LayoutProblem::JobTooWide;
    if (tiled && !PlanStrips(u, a.footprint_width, layout.strips)) {
        figures.strips = kMaxStrips;
        return LayoutProblem::TooManyStrips;
    }
    const int64_t tick_clearance = tiled ? ToUnits(kTickClearance, units_per_mm) : 0;
    layout.tick_length = tiled ? ToUnits(kTickLength, units_per_mm) : 0;
    const int64_t tick_band = layout.tick_length + tick_clearance;
    PlaceCopies(design, o, a, u, LayoutPoint{u.top + u.border + tick_band, u.left + u.border},
                layout);
    layout.has_border = u.border > 0;
    layout.border = layout.content.Grown(u.border);
    layout.job = layout.border;
    layout.tick_top_x = u.top;
    layout.tick_bottom_x = layout.border.max_x + tick_clearance;
    if (tiled) {
        layout.job.min_x = u.top;
        layout.job.max_x = layout.tick_bottom_x + layout.tick_length;
    } else {
        layout.strips.push_back(MediaStrip{layout.job.min_y, layout.job.max_y, 0, {}});
    }
    return WithinCoordinateRange(layout.job) ? LayoutProblem::None : LayoutProblem::JobTooLarge;
}

namespace {

// A length in mm as the messages give it: one decimal.
std::string Mm(double mm) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", mm);
    return text;
}

}  // namespace

std::string DescribeLayoutProblem(LayoutProblem problem, const LayoutFigures& f) {
    switch (problem) {
        case LayoutProblem::None:
            return std::string();
        case LayoutProblem::BadMediaWidth:
            return "The media width must be 0 (not known) or a width in mm up to 100000.";
        case LayoutProblem::BadMargin:
            return "The margins must be from 0 to 100000 mm.";
        case LayoutProblem::BadCopies:
            return "The number of copies must be from 1 to 1000.";
        case LayoutProblem::BadCopyGap:
            return "The gap between copies must be more than 0 mm.";
        case LayoutProblem::BadWeedBorder:
            return "The weeding border's distance must be more than 0 mm.";
        case LayoutProblem::BadWeedSpacing:
            return "Weed lines must be at least 1 mm apart.";
        case LayoutProblem::BadWeedGap:
            return "The gap between the weed lines and the design must be more than 0 mm.";
        case LayoutProblem::WeedLinesWithoutBorder:
            return "Weed lines run out to the weeding border: set a border distance too.";
        case LayoutProblem::BadTileOverlap:
            return "The overlap of the strips must be more than 0 mm.";
        case LayoutProblem::TilingWithoutMedia:
            return "Cutting in strips needs the media width.";
        case LayoutProblem::MediaTooNarrow:
            return "The media (" + Mm(f.media_width) +
                   " mm) is narrower than the smallest strip: " + Mm(f.smallest_media) +
                   " mm (left margin, overlap and 10 mm).";
        case LayoutProblem::TooManyStrips:
            return "The job would take more than " + std::to_string(f.strips) +
                   " strips of this media: use wider media or a smaller overlap.";
        case LayoutProblem::JobTooWide:
            return "The job is " + Mm(f.job_width) + " mm wide but the media only " +
                   Mm(f.media_width) + " mm: turn the job, cut it in strips or use wider media.";
        case LayoutProblem::JobTooLarge:
            return "The placed job is larger than the plotter's coordinate range.";
    }
    return std::string();
}

}  // namespace tarnik
