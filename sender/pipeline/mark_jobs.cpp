// Registration-mark jobs: leaving the mark outlines uncut, the values of the
// mark header, and the extra points at the band limits of the mark sensor.
#include "sender/pipeline/mark_jobs.h"

#include <cstdint>

namespace tarnik {
namespace {

// A segment must span more than 5 mm (157.48 units) in plotter X before it
// gets points at the band limits.
constexpr double kMinimumSplitSpan = 157.48;

int32_t SaturatedSpan(int32_t low, int32_t high) {
    const int64_t span = int64_t{high} - low;
    if (span > INT32_MAX)
        return INT32_MAX;
    if (span < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(span);
}

// (MaxY - MinY) / (mark_param_b + 1), truncated toward zero.
int64_t BandStep(const PlotExtent& extent, int32_t mark_param_b) {
    const int64_t height = int64_t{extent.MaxY} - extent.MinY;
    return height / (int64_t{mark_param_b} + 1);
}

// Inserts the band-limit points of the segment r -> q; the walk goes on at q.
void SplitSegment(CutPath& path, PathPoint* r, const PathPoint* q, int64_t step) {
    const bool runs_up = r->x < q->x;
    const PathPoint lo = runs_up ? *r : *q;
    const PathPoint hi = runs_up ? *q : *r;
    const int64_t span_x = int64_t{hi.x} - lo.x;
    if (!(static_cast<double>(span_x) > kMinimumSplitSpan))
        return;
    // Y by linear interpolation in double, so that large designs neither
    // overflow nor lose the fraction before the final truncation.
    const double rise = static_cast<double>(hi.y) - lo.y;
    PathPoint* behind = r;
    for (int64_t k = lo.x / step;; ++k) {
        const int64_t u = k * step;
        if (u >= hi.x)
            break;
        if (u <= lo.x)
            continue;
        const double y = static_cast<double>(hi.y) - static_cast<double>(hi.x - u) * rise / span_x;
        // Going down, each new point goes directly behind r, so the path
        // passes them in falling X order.
        PathPoint* inserted =
            path.InsertPointAfter(behind, static_cast<int32_t>(u), static_cast<int32_t>(y));
        if (runs_up)
            behind = inserted;
    }
}

}  // namespace

bool ApplyPenFilter(PenFilterVariant variant, bool cut_image_mode, uint8_t flag_color,
                    char pen_digit, bool leave_out) {
    if (variant == PenFilterVariant::Dmpl && !cut_image_mode)
        return false;
    if (flag_color == 0)
        return leave_out;
    // The marks come as pen FlagColor + 1; only one digit is compared.
    return pen_digit == static_cast<char>('0' + flag_color + 1);
}

MarkHeaderValues MakeMarkHeaderValues(const PlotExtent& extent, int32_t mark_param_a,
                                      int32_t mark_param_b) {
    MarkHeaderValues values{0, 0, mark_param_a, mark_param_b};
    if (extent.IsEmpty())
        return values;
    values.height_span = SaturatedSpan(extent.MinY, extent.MaxY);
    values.width_span = SaturatedSpan(extent.MinX, extent.MaxX);
    return values;
}

bool MarkBandsTooNarrow(const PlotExtent& extent, int32_t mark_param_b) {
    if (mark_param_b <= 0 || extent.IsEmpty())
        return false;
    return static_cast<double>(BandStep(extent, mark_param_b)) < kNarrowestMarkBand;
}

void SplitAtBands(CutPath& path, const PlotExtent& extent, int32_t mark_param_b) {
    // Bands under 10 mm would let one segment ask for up to a point per unit
    // it spans: they get no points (a step of 0 has no limits at all).
    if (mark_param_b <= 0 || extent.IsEmpty() || MarkBandsTooNarrow(extent, mark_param_b))
        return;
    const int64_t step = BandStep(extent, mark_param_b);
    for (PathPoint* r = path.head; r->next;) {
        PathPoint* q = r->next;
        SplitSegment(path, r, q, step);
        r = q;
    }
}

}  // namespace tarnik
