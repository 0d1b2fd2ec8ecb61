#pragma once
// Registration-mark jobs: the pen filter that leaves the mark outlines
// uncut, the four values of the mark header, and the extra points at the
// band limits of the plotter's mark sensor.
#include <cstdint>

#include "sender/pipeline/path_model.h"
#include "sender/pipeline/plot_reader.h"

namespace tarnik {

enum class PenFilterVariant { Hpgl, Dmpl };

// The leave-out flag after an "SP" command whose third character is
// pen_digit (0 when the command has none), given the flag before it.
bool ApplyPenFilter(PenFilterVariant variant, bool cut_image_mode, uint8_t flag_color,
                    char pen_digit, bool leave_out);

// The mark header's four integers, in the order the plotter expects them.
struct MarkHeaderValues {
    int32_t height_span;  // MaxY - MinY
    int32_t width_span;   // MaxX - MinX
    int32_t param_a;      // MarkParamA
    int32_t param_b;      // MarkParamB
};
MarkHeaderValues MakeMarkHeaderValues(const PlotExtent& extent, int32_t mark_param_a,
                                      int32_t mark_param_b);

// The narrowest band a mark job may have: 10 mm (314.96 units). A band runs
// from one row of printed registration marks to the next, and the marks
// themselves are several millimetres long with clear room around them for
// the sensor, so no real mark job has bands under a centimetre. The bound
// also bounds the work: a segment gains at most one point per 10 mm it
// spans, whatever the second mark parameter says.
inline constexpr double kNarrowestMarkBand = 314.96;

// Whether a mark job with mark_param_b inner band limits would have bands
// narrower than kNarrowestMarkBand (including a step of 0). No split, and
// so false, when mark_param_b is 0 or less or the extent is empty.
bool MarkBandsTooNarrow(const PlotExtent& extent, int32_t mark_param_b);

// Inserts a point wherever a segment longer than 157.48 units in x crosses a
// band limit k * step, step = (MaxY - MinY) / (mark_param_b + 1). Bands too
// narrow for a mark job (the job driver turns such jobs away) get no points.
void SplitAtBands(CutPath& path, const PlotExtent& extent, int32_t mark_param_b);

}  // namespace tarnik
