// The encoders' pass: one path at a time into the job's CutPath, with every
// point mapped into the plotter frame.
#include "sender/pipeline/hpgl_scale.h"
#include "sender/pipeline/plot_parser.h"
#include "sender/pipeline/plot_reader.h"

namespace tarnik {
namespace {

// Input values far beyond the 32-bit range cannot come from a file; keeping
// them below 2^62 keeps the differences exact in 64 bits.
constexpr int64_t kInputBound = int64_t{1} << 62;

bool FitsInt32(int64_t value) {
    return value >= INT32_MIN && value <= INT32_MAX;
}

// Maps an input point into plotter units (x, y) and gives the x the
// paper-feed trailer follows: the point's own x, or for HPGL jobs its value
// in the HPGL frame, which every point must fit.
bool MapPoint(const PlotMapping& mapping, int64_t input_x, int64_t input_y, int32_t& x, int32_t& y,
              int32_t& feed_x) {
    if (input_x <= -kInputBound || input_x >= kInputBound || input_y <= -kInputBound ||
        input_y >= kInputBound) {
        return false;
    }
    // The plotter's X axis is the input's vertical axis turned upside down:
    // the design's top edge lies at plotter X = 0.
    const int64_t along = int64_t{mapping.YTop} - input_y;
    const int64_t across = input_x - int64_t{mapping.XOrigin};
    if (!FitsInt32(along) || !FitsInt32(across))
        return false;
    int32_t feed = static_cast<int32_t>(along);
    if (mapping.hpgl_scale) {
        int32_t scaled_y = 0;
        if (!ScaleHpglValue(along, mapping.YSizeRedeem, feed) ||
            !ScaleHpglValue(across, mapping.XSizeRedeem, scaled_y)) {
            return false;
        }
    }
    x = static_cast<int32_t>(along);
    y = static_cast<int32_t>(across);
    feed_x = feed;
    return true;
}

}  // namespace

bool MapPlotPoint(const PlotMapping& mapping, int64_t input_x, int64_t input_y, int32_t& x,
                  int32_t& y) {
    int32_t feed_x = 0;
    return MapPoint(mapping, input_x, input_y, x, y, feed_x);
}

namespace {

// AppendRunPoints of a DM/PL job. Run points are 32-bit, far inside
// MapPlotPoint's input bound, so only the check that can fail is kept: a
// mapped value (top minus y, x minus origin) outside the 32-bit range.
bool AppendUnscaledRunPoints(const PlotMapping& mapping, CutPath& path, int32_t& feed_x,
                             const int32_t* xy, std::size_t count) {
    const int64_t top = mapping.YTop;
    const int64_t origin = mapping.XOrigin;
    int32_t furthest = feed_x;
    bool ok = true;
    for (std::size_t i = 0; i < count; ++i) {
        const int64_t along = top - xy[2 * i + 1];
        const int64_t across = xy[2 * i] - origin;
        if (!FitsInt32(along) || !FitsInt32(across)) {
            ok = false;
            break;
        }
        const auto x = static_cast<int32_t>(along);
        // The paper-feed trailer moves behind the furthest point of the job.
        if (x > furthest)
            furthest = x;
        path.Append(x, static_cast<int32_t>(across));
    }
    feed_x = furthest;
    return ok;
}

// Maps run points (x and y in turn) and appends them to the open path,
// following the furthest point; false at a point that does not map.
bool AppendRunPoints(const PlotMapping& mapping, CutPath& path, int32_t& feed_x, const int32_t* xy,
                     std::size_t count) {
    if (!mapping.hpgl_scale)
        return AppendUnscaledRunPoints(mapping, path, feed_x, xy, count);
    int32_t furthest = feed_x;
    bool ok = true;
    for (std::size_t i = 0; i < count; ++i) {
        int32_t x = 0;
        int32_t y = 0;
        int32_t feed = 0;
        if (!MapPoint(mapping, xy[2 * i], xy[2 * i + 1], x, y, feed)) {
            ok = false;
            break;
        }
        // The paper-feed trailer moves behind the furthest point of the job.
        if (feed > furthest)
            furthest = feed;
        path.Append(x, y);
    }
    feed_x = furthest;
    return ok;
}

}  // namespace

// Run points taken from the parser at a time.
constexpr std::size_t kRunBatch = 256;

struct PlotPathReader::State {
    PlotParser parser;
    int32_t run_points[2 * kRunBatch] = {};
    bool skipping = false;  // the open run belongs to a pen that is left out
    bool finished = false;  // End or DataError was handed out
    PlotPathReader::Event final_event = PlotPathReader::Event::End;
};

PlotPathReader::PlotPathReader(CutPath& path, PlotMapping& mapping)
    : state_(std::make_unique<State>()), path_(path), mapping_(mapping) {
    // The mapping origin comes from the pre-scan; this pass needs no extent.
    state_->parser.MeasureRunPoints(false);
}

PlotPathReader::~PlotPathReader() = default;

bool PlotPathReader::Open(const char* path) {
    state_->skipping = false;
    state_->finished = false;
    state_->final_event = Event::End;
    pen_digit_ = 0;
    line_type_has_number_ = false;
    leave_out_ = false;
    feed_x_ = 0;
    state_->parser.SetUnitsPerInch(mapping_.UnitsPerInch);
    if (!path || !state_->parser.Open(path)) {
        state_->finished = true;
        state_->final_event = Event::DataError;
        return false;
    }
    return true;
}

void PlotPathReader::Close() {
    state_->parser.Close();
}

bool PlotPathReader::AddPoint(bool opens) {
    int32_t x = 0;
    int32_t y = 0;
    int32_t feed = 0;
    const PlotParser& parser = state_->parser;
    if (!MapPoint(mapping_, parser.X(), parser.Y(), x, y, feed))
        return false;
    // The paper-feed trailer moves behind the furthest point of the job.
    if (feed > feed_x_)
        feed_x_ = feed;
    if (opens) {
        if (path_.count != 0)
            path_.Release();
        path_.Open(x, y);
    } else {
        path_.Append(x, y);
    }
    return true;
}

PlotPathReader::Event PlotPathReader::Finish(Event event) {
    state_->finished = true;
    state_->final_event = event;
    // A path cut short by malformed data is never handed out.
    if (event == Event::DataError && path_.count != 0)
        path_.Release();
    return event;
}

PlotPathReader::Event PlotPathReader::Next() {
    State& state = *state_;
    if (state.finished)
        return state.final_event;
    for (;;) {
        // The plain points of an open run in batches; each is handled as a
        // PathPoint item would be.
        const std::size_t batch = state.parser.NextRunPoints(state.run_points, kRunBatch);
        if (batch != 0) {
            if (!state.skipping &&
                !AppendRunPoints(mapping_, path_, feed_x_, state.run_points, batch))
                return Finish(Event::DataError);
            continue;
        }
        switch (state.parser.Next()) {
            case PlotParser::Item::PathOpen:
                state.skipping = leave_out_;
                if (!state.skipping && !AddPoint(true))
                    return Finish(Event::DataError);
                break;
            case PlotParser::Item::PathPoint:
                if (!state.skipping && !AddPoint(false))
                    return Finish(Event::DataError);
                break;
            case PlotParser::Item::PathClose:
                if (!state.skipping)
                    return Event::PathReady;
                state.skipping = false;
                break;
            case PlotParser::Item::PenSelect:
                pen_digit_ = state.parser.ThirdCharacter();
                return Event::PenSelect;
            case PlotParser::Item::LineType:
                line_type_has_number_ = state.parser.ThirdCharacter() != 0;
                return Event::LineType;
            case PlotParser::Item::Window:
                mapping_.YTop = state.parser.X();
                break;
            case PlotParser::Item::End:
                return Finish(Event::End);
            case PlotParser::Item::Error:
                return Finish(Event::DataError);
        }
    }
}

}  // namespace tarnik
