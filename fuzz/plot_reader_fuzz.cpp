// Fuzz target for the plot file reader: the pre-scan and the encoders' pass
// over the same bytes, under AddressSanitizer and UBSan. Besides memory and
// undefined-behaviour faults it checks that the two passes agree: a file the
// pre-scan refuses is refused by the reader, and with the origin the
// pre-scan measured every point of a file without "IW" lands inside the
// design's extent.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "sender/pipeline/hpgl_scale.h"
#include "sender/pipeline/path_model.h"
#include "sender/pipeline/plot_reader.h"

namespace {

using tarnik::CutPath;
using tarnik::PathPoint;
using tarnik::PlotExtent;
using tarnik::PlotMapping;
using tarnik::PlotPathReader;
using tarnik::fuzz::Require;

struct ReadResult {
    bool data_error = false;
    bool inside_extent = true;
};

ReadResult ReadAll(const std::string& path, PlotMapping mapping, const PlotExtent& extent,
                   char leave_out_pen, size_t size) {
    CutPath cut;
    PlotPathReader reader(cut, mapping);
    Require(reader.Open(path.c_str()), "reader opens the file");
    ReadResult result;
    int32_t last_feed = 0;
    // Every event consumes at least one byte, End aside.
    for (size_t events = 0;; ++events) {
        Require(events <= size + 2, "reader makes progress");
        const PlotPathReader::Event event = reader.Next();
        Require(reader.FeedX() >= last_feed, "FeedX never shrinks");
        last_feed = reader.FeedX();
        if (event == PlotPathReader::Event::End)
            break;
        if (event == PlotPathReader::Event::DataError) {
            result.data_error = true;
            Require(cut.count == 0, "no path is left after a data error");
            break;
        }
        if (event == PlotPathReader::Event::PenSelect) {
            reader.SetLeaveOut(leave_out_pen != 0 && reader.PenDigit() == leave_out_pen);
        }
        if (event != PlotPathReader::Event::PathReady)
            continue;
        Require(cut.count >= 1 && cut.count == cut.Length(), "path count matches its list");
        for (const PathPoint* p = cut.head; p; p = p->next) {
            // HPGL jobs keep plotter units; their FeedX is in the HPGL frame.
            int32_t feed_x = p->x;
            if (mapping.hpgl_scale)
                Require(tarnik::ScaleHpglValue(p->x, mapping.YSizeRedeem, feed_x),
                        "every point fits the HPGL frame");
            Require(feed_x <= reader.FeedX(), "FeedX covers every point");
            if (p->next)
                Require(p->x != p->next->x || p->y != p->next->y, "no repeated point");
            if (p->x < 0 || p->y < 0 || int64_t{p->x} > extent.Height ||
                int64_t{p->y} > extent.Width) {
                result.inside_extent = false;
            }
        }
        cut.Release();
    }
    reader.Close();
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = tarnik::fuzz::ScratchPath("input.plt");
    if (!tarnik::fuzz::WriteBytes(path, data, size))
        return 0;

    PlotExtent extent;
    const bool scanned = tarnik::ScanPlotFile(path.c_str(), extent);
    const char leave_out_pen = size > 0 && (data[0] & 1) ? '2' : 0;

    PlotMapping plain;
    if (scanned && !extent.IsEmpty()) {
        plain.XOrigin = extent.MinX;
        plain.YTop = extent.MaxY;
    }
    bool has_window = false;
    for (size_t i = 0; i < size; ++i) has_window = has_window || data[i] == 'W';
    // At the system's own resolution and at the one Inkscape saves at by
    // default, the two passes agree.
    for (const int32_t units_per_inch : {tarnik::kPlotUnitsPerInch, 1016}) {
        PlotExtent read_extent = extent;
        const bool read_scanned = units_per_inch == tarnik::kPlotUnitsPerInch ||
                                  tarnik::ScanPlotFile(path.c_str(), read_extent, units_per_inch);
        PlotMapping mapping = plain;
        mapping.UnitsPerInch = units_per_inch;
        if (read_scanned && !read_extent.IsEmpty()) {
            mapping.XOrigin = read_extent.MinX;
            mapping.YTop = read_extent.MaxY;
        }
        const ReadResult read = ReadAll(path, mapping, read_extent, leave_out_pen, size);
        if (!(units_per_inch == tarnik::kPlotUnitsPerInch ? scanned : read_scanned))
            Require(read.data_error, "a file the pre-scan refuses is refused");
        const bool fits = read_extent.Width < INT32_MAX && read_extent.Height < INT32_MAX;
        if (read_scanned && scanned && !has_window && fits && !read_extent.IsEmpty()) {
            Require(!read.data_error, "a scanned file maps without error");
            Require(read.inside_extent, "every point lies inside the extent");
        }
    }

    // The HPGL scaling with divisors taken from the input.
    PlotMapping scaled = plain;
    scaled.hpgl_scale = true;
    scaled.XSizeRedeem = size > 1 ? static_cast<float>(data[1]) / 64.0f : 1.0f;
    scaled.YSizeRedeem = size > 2 ? static_cast<float>(data[2]) / 64.0f : 1.0f;
    ReadAll(path, scaled, extent, leave_out_pen, size);
    return 0;
}
