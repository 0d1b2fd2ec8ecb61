#include "sender/plan/plan_stage.h"

#include "sender/pipeline/hpgl_scale.h"
#include "sender/plan/cut_order.h"

namespace tarnik {
namespace {

// A plot file unit is 1/800 inch. Both models plan in these units: the HPGL
// model scales each point only as it writes it.
constexpr double kFileUnitsPerMm = 800.0 / 25.4;

}  // namespace

void StepsAsDrawn(JobPlan& plan) {
    plan.steps.resize(plan.index.PathCount());
    for (uint32_t i = 0; i < plan.index.PathCount(); ++i) plan.steps[i] = PlanStep{i, 0, false};
}

double FeedUnitsPerMm(const PlotMapping&) {
    return kFileUnitsPerMm;
}

int32_t FeedFrameX(const PlotMapping& mapping, int32_t x) {
    if (!mapping.hpgl_scale)
        return x;
    int32_t scaled = 0;
    return ScaleHpglValue(x, mapping.YSizeRedeem, scaled) ? scaled : x;
}

PlanOutcome PlanJob(const char* plot_path, PlotMapping& mapping, const PenFilter& filter,
                    const CutPlanOptions& options, JobPlan& plan) {
    MediaPlacement placement;
    return PlanJob(plot_path, mapping, filter, options, plan, placement);
}

PlanOutcome PlanJob(const char* plot_path, PlotMapping& mapping, const PenFilter& filter,
                    const CutPlanOptions& options, JobPlan& plan, MediaPlacement& placement) {
    switch (BuildPlanIndex(plot_path, mapping, filter, plan.index, plan.feed_floor)) {
        case IndexOutcome::Done:
            break;
        case IndexOutcome::Unreadable:
            return PlanOutcome::Unreadable;
        case IndexOutcome::DataError:
            return PlanOutcome::DataError;
        case IndexOutcome::TooLarge:
            return PlanOutcome::TooLarge;
    }
    StepsAsDrawn(plan);
    const double units_per_mm = FeedUnitsPerMm(mapping);
    const bool placed = WantsMediaLayout(options.Media);
    if (placed) {
        PlaceCopies(plan, options.Media, units_per_mm, placement);
        if (placement.Refused())
            return PlanOutcome::NotPlaced;
        // The trailer feeds the media out behind the whole placed job,
        // measured in the frame the trailer is written in.
        plan.feed_floor = FeedFrameX(mapping, static_cast<int32_t>(placement.layout.job.max_x));
    }
    OrderPlan(plan, options, units_per_mm);
    if (placed) {
        AddWeeding(plan, options.Media, units_per_mm, placement);
        if (placement.Refused())
            return PlanOutcome::NotPlaced;
    }
    return PlanOutcome::Planned;
}

}  // namespace tarnik
