#pragma once
// The job plan: a stage between the plot reader and the path transforms.
// A job with an order or panels chosen is read once into a PlanIndex, put in
// order (cut_order.h), and handed to the encoders through a PlannedPathSource,
// so that the transforms, the knife's BladeState, the mark header and the
// dashed writer work on each path exactly as on a streamed job. With nothing
// chosen (CutPlanOptions::Bypassed) the stage is not entered at all.
//
// Extension points for placing a job on the media:
// - placements: a step refers to one of them; each maps a path's points by
//   a 90-degree rotation or mirror and an offset (Placement). Rotating,
//   mirroring, margins, copies (several steps of one path, each with its own
//   placement) and tiles are steps and placements; the order stage measures
//   every step through its placement, so it orders the placed job.
// - extra paths: PlanIndex::AddGeneratedPath appends paths made in memory
//   (weed lines, a border); a step of them is ordered and cut like any other.
// - feed_floor: the trailer feeds the media out behind the furthest point
//   handed out, and at least to feed_floor (the reader's own figure, which
//   counts pen-up moves the plan does not keep), in the frame of the
//   trailer (the HPGL model's scaled units). A placement that moves the
//   job sets it anew.
#include <cstdint>
#include <vector>

#include "sender/plan/plan_index.h"

namespace tarnik {

// x' = xx * x + xy * y + dx, y' = yx * x + yy * y + dy, with each factor -1,
// 0 or 1 (a quarter turn, a mirror or neither), saturated to 32 bits.
struct Placement {
    int32_t xx = 1;
    int32_t xy = 0;
    int32_t yx = 0;
    int32_t yy = 1;
    int32_t dx = 0;
    int32_t dy = 0;

    PlanPoint Apply(PlanPoint p) const {
        return {Saturate(int64_t{xx} * p.x + int64_t{xy} * p.y + dx),
                Saturate(int64_t{yx} * p.x + int64_t{yy} * p.y + dy)};
    }
    PlanBox Apply(const PlanBox& box) const {
        PlanBox placed;
        placed.Add(Apply(PlanPoint{box.MinX, box.MinY}));
        placed.Add(Apply(PlanPoint{box.MaxX, box.MaxY}));
        return placed;
    }
    bool IsIdentity() const {
        return xx == 1 && xy == 0 && yx == 0 && yy == 1 && dx == 0 && dy == 0;
    }

  private:
    static int32_t Saturate(int64_t v) {
        return v > INT32_MAX ? INT32_MAX : (v < INT32_MIN ? INT32_MIN : static_cast<int32_t>(v));
    }
};

// One path to cut: which, through which placement, whether backwards, and
// for a closed path the point it starts (and ends) at: 0 as drawn, k from
// its k-th point on round to it again, the same segments each cut the same
// way.
struct PlanStep {
    uint32_t path = 0;
    uint16_t placement = 0;
    bool reversed = false;
    uint32_t start = 0;
};

struct JobPlan {
    PlanIndex index;
    std::vector<Placement> placements{Placement{}};  // 0 is the identity
    std::vector<PlanStep> steps;                     // the cut order
    int32_t feed_floor = 0;

    const IndexedPath& PathOf(const PlanStep& step) const { return index.Path(step.path); }
    // The k-th point of the step as cut (placed, backwards when reversed,
    // from its start round).
    PlanPoint PointOf(const PlanStep& step, uint32_t k) const {
        const IndexedPath& path = index.Path(step.path);
        uint32_t at = step.reversed ? path.count - 1 - k : k;
        // A closed path's last point is its first: count - 1 points go round.
        if (step.start != 0 && path.closed)
            at = (at + step.start) % (path.count - 1);
        return placements[step.placement].Apply(index.PointOf(path, at));
    }
    PlanPoint Entry(const PlanStep& step) const { return PointOf(step, 0); }
    PlanPoint Exit(const PlanStep& step) const {
        return PointOf(step, index.Path(step.path).count - 1);
    }
    PlanBox BoxOf(const PlanStep& step) const {
        return placements[step.placement].Apply(index.Path(step.path).box);
    }
};

// One step per indexed path, in the order read, each with placement 0.
void StepsAsDrawn(JobPlan& plan);

}  // namespace tarnik
