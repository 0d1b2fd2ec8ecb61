#pragma once
// Placing a job on the media: turn it a quarter, mirror it for heat-transfer
// vinyl, move it by the margins, repeat it as copies across the media and
// then along the feed, put a weeding border around it, check that it fits
// the media's width and, when it does not, cut it in overlapping strips.
// Frame: x along the paper feed, y across the media; lengths in the options
// are millimetres, everything placed is in plotter units.
#include <cstdint>
#include <string>
#include <vector>

#include "sender/plan/layout_geometry.h"
#include "sender/settings/media_layout_options.h"

namespace tarnik {

// Why a layout cannot be made. Every case but None refuses the job before
// anything is sent.
enum class LayoutProblem {
    None,
    BadMediaWidth,           // negative or beyond the bound
    BadMargin,               // negative or beyond the bound
    BadCopies,               // fewer than 1 or beyond the bound
    BadCopyGap,              // 0 or less with more than one copy
    BadWeedBorder,           // negative or beyond the bound
    BadWeedSpacing,          // weed lines closer than the smallest spacing
    BadWeedGap,              // 0 or less with weed lines
    WeedLinesWithoutBorder,  // weed lines need a border to run to
    BadTileOverlap,          // negative or beyond the bound
    TilingWithoutMedia,      // strips need the media's width
    MediaTooNarrow,          // the media is narrower than the smallest strip
    TooManyStrips,           // more strips than the bound
    JobTooWide,              // does not fit and is not tiled
    JobTooLarge,             // the placed job leaves the plotter's coordinate range
};

// One strip of a tiled job: the part of the placed job between from_y and
// to_y (both included), moved across by shift_y, and the alignment ticks at
// the overlap edges it shares with its neighbours.
struct MediaStrip {
    int64_t from_y = 0;
    int64_t to_y = 0;
    int64_t shift_y = 0;
    std::vector<int64_t> tick_y;  // in the placed job's frame
};

// A design point's way onto the media: the design's box is mirrored and
// turned in place, then moved to the copy's corner.
struct CopyTransform {
    bool mirror = false;
    bool turn = false;
    LayoutBox design;    // the design's box as read
    LayoutPoint corner;  // where the turned design's box starts

    LayoutPoint Apply(LayoutPoint p) const;
};

struct MediaLayout {
    bool turned = false;
    int32_t columns = 1;  // copies across the media
    int32_t rows = 1;     // rows of copies along the feed
    std::vector<CopyTransform> copies;
    LayoutBox content;  // every copy
    bool has_border = false;
    LayoutBox border;  // the weeding border's rectangle when has_border
    LayoutBox job;     // everything cut, ticks included, before the strips
    // One strip (the whole job, unshifted, no ticks) unless the job is tiled.
    std::vector<MediaStrip> strips;
    int64_t tick_length = 0;  // ticks run along the feed from these x values
    int64_t tick_top_x = 0;
    int64_t tick_bottom_x = 0;

    bool Tiled() const { return strips.size() > 1; }
};

// Figures a problem's message gives, in mm.
struct LayoutFigures {
    double job_width = 0.0;
    double media_width = 0.0;
    double smallest_media = 0.0;
    int64_t strips = 0;
};

// Bounds of the options, so that nothing a settings file holds can make a
// job of unbounded size.
inline constexpr int32_t kMaxCopies = 1000;
inline constexpr double kMaxLayoutLength = 100000.0;  // mm: 100 m of any length option
inline constexpr double kSmallestWeedSpacing = 1.0;   // mm
// The least a strip must advance across the media beyond the overlap, and the
// most strips a job may take.
inline constexpr double kSmallestStripAdvance = 10.0;  // mm
inline constexpr int64_t kMaxStrips = 200;
// Alignment ticks: a short cut along the feed, clear of the job.
inline constexpr double kTickLength = 5.0;     // mm
inline constexpr double kTickClearance = 2.0;  // mm between a tick and the job

// The problem of the options alone, whatever the design (None when they
// hold together); the file settings dialog asks before it closes.
LayoutProblem CheckMediaLayoutOptions(const MediaLayoutOptions& options, LayoutFigures& figures);

// Plans the layout of a design whose paths lie in design (plotter units,
// units_per_mm of them in a millimetre).
LayoutProblem PlanMediaLayout(const LayoutBox& design, const MediaLayoutOptions& options,
                              double units_per_mm, MediaLayout& layout, LayoutFigures& figures);

// The user's message for a problem.
std::string DescribeLayoutProblem(LayoutProblem problem, const LayoutFigures& figures);

}  // namespace tarnik
