// The pre-scan for the design's extent.
#include <cstdio>
#include <memory>

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

bool IsAsciiLetter(int c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsBlank(int c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0';
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool IsOtherThanPlotFile(const char* path) {
    std::unique_ptr<std::FILE, FileCloser> file(path ? std::fopen(path, "rb") : nullptr);
    if (!file)
        return false;
    int c = std::fgetc(file.get());
    while (c != EOF && IsBlank(c)) c = std::fgetc(file.get());
    constexpr int kEscape = 0x1B;
    if (c == EOF || c == kEscape)
        return false;
    return !IsAsciiLetter(c) || !IsAsciiLetter(std::fgetc(file.get()));
}

bool ScanPlotFile(const char* path, PlotExtent& extent, int32_t units_per_inch) {
    PlotParser parser;
    parser.SetUnitsPerInch(units_per_inch);
    if (!path || !parser.Open(path))
        return false;
    // The points of a run in batches straight from the reader's buffer;
    // the extent follows them inside the parser.
    int32_t run_points[2 * 256];
    bool has_cut_line = false;
    for (;;) {
        if (parser.NextRunPoints(run_points, 256) != 0) {
            has_cut_line = true;
            continue;
        }
        const PlotParser::Item item = parser.Next();
        if (item == PlotParser::Item::Error)
            return false;
        if (item == PlotParser::Item::End)
            break;
        if (item == PlotParser::Item::PathPoint)
            has_cut_line = true;
    }
    parser.Close();
    extent = parser.Extent();
    extent.HasCutLine = has_cut_line;
    extent.Width = SaturatedDistance(extent.MinX, extent.MaxX);
    extent.Height = SaturatedDistance(extent.MinY, extent.MaxY);
    return true;
}

}  // namespace tarnik
