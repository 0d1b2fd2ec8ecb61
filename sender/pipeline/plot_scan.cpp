// The pre-scan for the design's extent.
#include "sender/pipeline/plot_parser.h"
#include "sender/pipeline/plot_reader.h"

namespace tarnik {
namespace {

int32_t SaturatedDistance(int32_t low, int32_t high) {
    int64_t distance = int64_t{high} - int64_t{low};
    if (distance < 0)
        distance = -distance;
    return distance > INT32_MAX ? INT32_MAX : static_cast<int32_t>(distance);
}

}  // namespace

bool ScanPlotFile(const char* path, PlotExtent& extent, int32_t units_per_inch) {
    PlotParser parser;
    parser.SetUnitsPerInch(units_per_inch);
    if (!path || !parser.Open(path))
        return false;
    // The points of a run in batches straight from the reader's buffer;
    // the extent follows them inside the parser.
    int32_t run_points[2 * 256];
    for (;;) {
        if (parser.NextRunPoints(run_points, 256) != 0)
            continue;
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

}  // namespace tarnik
