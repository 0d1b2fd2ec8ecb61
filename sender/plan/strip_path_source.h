#pragma once
// One strip of a tiled job as the encoders read it: every path of the plan
// cut at the strip's edges and moved across onto the media, then the
// strip's alignment ticks. Line types pass through as the plan gives them.
#include <cstddef>
#include <vector>

#include "sender/pipeline/path_source.h"
#include "sender/plan/media_layout.h"

namespace tarnik {

class StripPathSource : public PathSource {
  public:
    // inner fills path with the plan's paths; this source cuts them.
    StripPathSource(PathSource& inner, CutPath& path, const MediaLayout& layout,
                    const MediaStrip& strip);

    Event Next() override;
    char PenDigit() const override { return inner_.PenDigit(); }
    bool LineTypeHasNumber() const override {
        return plain_ticks_ ? false : inner_.LineTypeHasNumber();
    }
    void SetLeaveOut(bool leave_out) override { inner_.SetLeaveOut(leave_out); }
    int32_t FeedX() const override { return inner_.FeedX(); }

  private:
    // Hands the next waiting piece out in the CutPath.
    Event HandOutPiece();
    // A path wholly within the strip is handed on as it is, moved across
    // onto the media where it lies; false (the path untouched) otherwise.
    bool ShiftIfInside();

    PathSource& inner_;
    CutPath& path_;
    const MediaStrip& strip_;
    std::vector<Polyline> pieces_;
    std::size_t next_piece_ = 0;
    std::vector<Polyline> ticks_;
    bool inner_ended_ = false;
    bool plain_ticks_ = false;  // the line type was set back for the ticks
};

}  // namespace tarnik
