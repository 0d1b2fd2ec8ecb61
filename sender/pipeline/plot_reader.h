#pragma once
// Reading HPGL plot files as the drawing program exports them (800 units per
// inch): the pre-scan for the design's extent, and the path-by-path pass that
// the encoders drive. Reading is buffered; memory stays one path whatever the
// size of the file.
#include <cstdint>
#include <memory>

#include "sender/pipeline/path_model.h"

namespace tarnik {

// The resolution of the plot files the drawing program's export writes, and
// of every coordinate the reader hands on; files at another resolution are
// turned into it as they are read (PlotMapping::UnitsPerInch).
inline constexpr int32_t kPlotUnitsPerInch = 800;

// Smallest and largest input coordinates over every point of every path.
struct PlotExtent {
    int32_t MinX = 2147483647;
    int32_t MinY = 2147483647;
    int32_t MaxX = -2147483647;
    int32_t MaxY = -2147483647;
    int32_t Width = 0;   // |MaxX - MinX| (saturated to the 32-bit range)
    int32_t Height = 0;  // |MaxY - MinY| (saturated to the 32-bit range)
    // A path of two points or more: something for the knife to cut. Pen-up
    // moves and one-point paths count in the extent but cut nothing.
    bool HasCutLine = false;

    // No point at all: the extremes are still at their starting values.
    bool IsEmpty() const {
        return MaxX == -2147483647 && MaxY == -2147483647 && MinX == 2147483647 &&
               MinY == 2147483647;
    }
};

// Pre-scan: fills extent and returns true, or returns false for a file that
// cannot be opened or holds malformed data (shown as "data error!"). The
// extent is in 800 units per inch, from a file of units_per_inch.
bool ScanPlotFile(const char* path, PlotExtent& extent, int32_t units_per_inch = kPlotUnitsPerInch);

// Whether the file plainly holds something else than plot commands (a
// drawing or a picture picked by mistake): its first byte that is no blank
// starts no two-letter command and is no escape. An empty file is no other
// file: it is a plot file without a path.
bool IsOtherThanPlotFile(const char* path);

// How input points map into the plotter frame (MapPlotPoint).
struct PlotMapping {
    int32_t XOrigin = 0;  // subtracted from every input x
    int32_t YTop = 0;     // every input y is subtracted from it; "IW" overrides it
    // HPGL jobs: points stay in plotter units (the encoder scales each one
    // as it writes it), but a point must also fit the HPGL frame, and the
    // reader's FeedX is measured in that frame (HpglScale).
    bool hpgl_scale = false;
    float XSizeRedeem = 1.0f;
    float YSizeRedeem = 1.0f;
    // The plot file's resolution; its coordinates (and its "IW" top) are
    // read into 800 units per inch before they are mapped.
    int32_t UnitsPerInch = kPlotUnitsPerInch;
};

// Maps an input point into plotter units; false when the result does not
// fit a signed 32-bit integer, or (HPGL jobs) does not fit the HPGL frame.
bool MapPlotPoint(const PlotMapping& mapping, int64_t input_x, int64_t input_y, int32_t& x,
                  int32_t& y);

// The encoders' pass over a plot file. Next() reads commands until something
// the encoder must act on happens; "IW" is applied to the mapping internally.
class PlotPathReader {
  public:
    enum class Event {
        PenSelect,  // an "SP" command: PenDigit() holds its third character
        LineType,   // an "LT" command: LineTypeHasNumber() tells "LT2" from "LT"
        PathReady,  // the CutPath holds a finished path (count >= 1)
        End,        // end of the file
        DataError,  // malformed data: the job must be refused ("data error!")
    };

    PlotPathReader(CutPath& path, PlotMapping& mapping);
    ~PlotPathReader();
    PlotPathReader(const PlotPathReader&) = delete;
    PlotPathReader& operator=(const PlotPathReader&) = delete;

    // Opens the plot file; false when it cannot be opened.
    bool Open(const char* path);
    void Close();

    // The caller releases the path (CutPath::Release) after a PathReady
    // event, before calling Next() again.
    Event Next();

    char PenDigit() const { return pen_digit_; }
    bool LineTypeHasNumber() const { return line_type_has_number_; }
    // Pen filter: while set, "PU" opens no path and its run is passed over.
    void SetLeaveOut(bool leave_out) { leave_out_ = leave_out; }
    // The largest mapped plotter x met so far in the job (starts at 0), in
    // the HPGL frame for HPGL jobs.
    int32_t FeedX() const { return feed_x_; }

  private:
    // Implementation state (the command grammar over the buffered file).
    struct State;
    // Maps the parser's current point and opens a path with it or appends
    // it; false when it does not map.
    bool AddPoint(bool opens);
    // Hands out End or DataError now and on every later call.
    Event Finish(Event event);
    std::unique_ptr<State> state_;
    CutPath& path_;
    PlotMapping& mapping_;
    char pen_digit_ = 0;
    bool line_type_has_number_ = false;
    bool leave_out_ = false;
    int32_t feed_x_ = 0;
};

}  // namespace tarnik
