#include "sender/plan/planned_path_source.h"

#include "sender/pipeline/hpgl_scale.h"

namespace tarnik {

int32_t PlannedPathSource::FeedOf(int32_t x) const {
    if (!mapping_.hpgl_scale)
        return x;
    int32_t scaled = 0;
    return ScaleHpglValue(x, mapping_.YSizeRedeem, scaled) ? scaled : x;
}

void PlannedPathSource::LoadStep(const PlanStep& step) {
    const uint32_t count = plan_.PathOf(step).count;
    for (uint32_t k = 0; k < count; ++k) {
        const PlanPoint p = plan_.PointOf(step, k);
        const int32_t feed = FeedOf(p.x);
        if (feed > feed_x_)
            feed_x_ = feed;
        if (k == 0)
            path_.Open(p.x, p.y);
        else
            path_.Append(p.x, p.y);
    }
}

PathSource::Event PlannedPathSource::Next() {
    if (next_ >= plan_.steps.size()) {
        if (plan_.feed_floor > feed_x_)
            feed_x_ = plan_.feed_floor;
        return Event::End;
    }
    const PlanStep& step = plan_.steps[next_];
    const bool dashed = plan_.PathOf(step).dashed;
    // The encoder follows the line type through its own LineType handling,
    // as it would the file's "LT" commands.
    if (dashed != dashed_) {
        dashed_ = dashed;
        return Event::LineType;
    }
    LoadStep(step);
    ++next_;
    return Event::PathReady;
}

}  // namespace tarnik
