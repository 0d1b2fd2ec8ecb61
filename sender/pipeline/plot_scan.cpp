// The pre-scan for the design's extent, and the mapping of input points into
// the plotter frame.
#include <cmath>

#include "sender/pipeline/plot_parser.h"
#include "sender/pipeline/plot_reader.h"

namespace tarnik {
namespace {

// Plot files hold 800 units per inch; the HPGL plotter model takes 40 units
// per millimetre, so one file unit is 0.031750063500127004 of its units.
constexpr double kHpglScale = 0.031750063500127004;

// Input values far beyond the 32-bit range cannot come from a file; keeping
// them below 2^62 keeps the differences below exact in 64 bits.
constexpr int64_t kInputBound = int64_t{1} << 62;

int32_t SaturatedDistance(int32_t low, int32_t high) {
    int64_t distance = int64_t{high} - int64_t{low};
    if (distance < 0)
        distance = -distance;
    return distance > INT32_MAX ? INT32_MAX : static_cast<int32_t>(distance);
}

bool FitsInt32(int64_t value) {
    return value >= INT32_MIN && value <= INT32_MAX;
}

bool ScaledToInt32(int64_t difference, float divisor, int32_t& out) {
    const double scaled = static_cast<double>(difference) * kHpglScale / divisor;
    // The comparisons are false for NaN; infinities fall outside.
    if (!(scaled > -2147483649.0 && scaled < 2147483648.0))
        return false;
    out = static_cast<int32_t>(scaled);  // truncates toward zero
    return true;
}

}  // namespace

bool ScanPlotFile(const char* path, PlotExtent& extent) {
    PlotParser parser;
    if (!path || !parser.Open(path))
        return false;
    for (;;) {
        const PlotParser::Item item = parser.Next();
        if (item == PlotParser::Item::Error)
            return false;
        if (item == PlotParser::Item::End)
            break;
    }
    parser.Close();
    extent = parser.Extent();
    extent.Width = SaturatedDistance(extent.MinX, extent.MaxX);
    extent.Height = SaturatedDistance(extent.MinY, extent.MaxY);
    return true;
}

bool MapPlotPoint(const PlotMapping& mapping, int64_t input_x, int64_t input_y, int32_t& x,
                  int32_t& y) {
    if (input_x <= -kInputBound || input_x >= kInputBound || input_y <= -kInputBound ||
        input_y >= kInputBound) {
        return false;
    }
    // The plotter's X axis is the input's vertical axis turned upside down:
    // the design's top edge lies at plotter X = 0.
    const int64_t along = int64_t{mapping.YTop} - input_y;
    const int64_t across = input_x - int64_t{mapping.XOrigin};
    int32_t mapped_x = 0;
    int32_t mapped_y = 0;
    if (mapping.hpgl_scale) {
        if (!ScaledToInt32(along, mapping.YSizeRedeem, mapped_x) ||
            !ScaledToInt32(across, mapping.XSizeRedeem, mapped_y)) {
            return false;
        }
    } else {
        if (!FitsInt32(along) || !FitsInt32(across))
            return false;
        mapped_x = static_cast<int32_t>(along);
        mapped_y = static_cast<int32_t>(across);
    }
    x = mapped_x;
    y = mapped_y;
    return true;
}

}  // namespace tarnik
