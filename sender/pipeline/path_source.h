#pragma once
// What the encoders read paths from: the events of the plot reader (pen
// select, line type, a finished path, the end) one after another. A plain
// job reads them straight from the plot file; a planned job (sender/plan)
// hands out the same events for its paths in the planned order.
#include <cstdint>

#include "sender/pipeline/plot_reader.h"

namespace tarnik {

class PathSource {
  public:
    using Event = PlotPathReader::Event;
    virtual ~PathSource() = default;

    // The next event; after PathReady the caller releases the CutPath
    // (CutPath::Release) before calling Next() again.
    virtual Event Next() = 0;
    // After PenSelect: the third character of its "SP".
    virtual char PenDigit() const = 0;
    // After LineType: whether the "LT" carried a number (a dashed line).
    virtual bool LineTypeHasNumber() const = 0;
    // The encoder's pen filter: while set, the paths of the selected pen
    // are passed over.
    virtual void SetLeaveOut(bool leave_out) = 0;
    // After End: the largest plotter x of the job (0 at least), behind
    // which the trailer feeds the media out.
    virtual int32_t FeedX() const = 0;
    // Said by a reader that keeps only what lies across the media from
    // from_y to to_y (both included): a source that knows a path's extent
    // before it loads the path may pass over a path wholly outside. The
    // other events and FeedX stay as they would be.
    virtual void KeepOnlyBand(int64_t from_y, int64_t to_y) {
        (void)from_y;
        (void)to_y;
    }
};

// The plot file streamed as it is: today's road, one path in memory.
class StreamedPathSource : public PathSource {
  public:
    explicit StreamedPathSource(PlotPathReader& reader) : reader_(reader) {}
    Event Next() override { return reader_.Next(); }
    char PenDigit() const override { return reader_.PenDigit(); }
    bool LineTypeHasNumber() const override { return reader_.LineTypeHasNumber(); }
    void SetLeaveOut(bool leave_out) override { reader_.SetLeaveOut(leave_out); }
    int32_t FeedX() const override { return reader_.FeedX(); }

  private:
    PlotPathReader& reader_;
};

}  // namespace tarnik
