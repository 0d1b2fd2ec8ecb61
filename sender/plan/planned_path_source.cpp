#include "sender/plan/planned_path_source.h"

#include "sender/plan/plan_stage.h"

namespace tarnik {

void PlannedPathSource::LoadStep(const PlanStep& step) {
    // As cut: backwards when reversed, a closed path from its chosen start.
    const uint32_t count = plan_.PathOf(step).count;
    for (uint32_t k = 0; k < count; ++k) {
        const PlanPoint p = plan_.PointOf(step, k);
        if (k == 0)
            path_.Open(p.x, p.y);
        else
            path_.Append(p.x, p.y);
    }
    TakeFeed(step);
}

bool PlannedPathSource::OutsideBand(const PlanStep& step) const {
    const PlanBox box = plan_.BoxOf(step);
    return box.MaxY < band_from_y_ || box.MinY > band_to_y_;
}

void PlannedPathSource::TakeFeed(const PlanStep& step) {
    // Unscaled, the furthest point is the placed box's edge.
    if (!mapping_.hpgl_scale) {
        const int32_t feed = plan_.BoxOf(step).MaxX;
        if (feed > feed_x_)
            feed_x_ = feed;
        return;
    }
    const uint32_t count = plan_.PathOf(step).count;
    for (uint32_t k = 0; k < count; ++k) {
        const int32_t feed = FeedFrameX(mapping_, plan_.PointOf(step, k).x);
        if (feed > feed_x_)
            feed_x_ = feed;
    }
}

PathSource::Event PlannedPathSource::Next() {
    for (;;) {
        if (next_ >= plan_.steps.size()) {
            if (plan_.feed_floor > feed_x_)
                feed_x_ = plan_.feed_floor;
            return Event::End;
        }
        const PlanStep& step = plan_.steps[next_];
        const bool dashed = plan_.PathOf(step).dashed;
        // The encoder follows the line type through its own LineType
        // handling, as it would the file's "LT" commands; a path passed over
        // still sets it, as a path that leaves nothing in the band would.
        if (dashed != dashed_) {
            dashed_ = dashed;
            return Event::LineType;
        }
        ++next_;
        if (OutsideBand(step)) {
            TakeFeed(step);
            continue;
        }
        LoadStep(step);
        return Event::PathReady;
    }
}

}  // namespace tarnik
