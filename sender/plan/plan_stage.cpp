#include "sender/plan/plan_stage.h"

#include "sender/plan/cut_order.h"

namespace tarnik {
namespace {

// A plot file unit is 1/800 inch; the HPGL model multiplies file units by
// this factor and divides by the size divisor of the feed axis.
constexpr double kFileUnitsPerMm = 800.0 / 25.4;
constexpr double kHpglScale = 0.031750063500127004;

}  // namespace

void StepsAsDrawn(JobPlan& plan) {
    plan.steps.resize(plan.index.PathCount());
    for (uint32_t i = 0; i < plan.index.PathCount(); ++i) plan.steps[i] = PlanStep{i, 0, false};
}

double FeedUnitsPerMm(const PlotMapping& mapping) {
    if (!mapping.hpgl_scale)
        return kFileUnitsPerMm;
    const double divisor = mapping.YSizeRedeem > 0.0f ? mapping.YSizeRedeem : 1.0;
    return kFileUnitsPerMm * kHpglScale / divisor;
}

PlanOutcome PlanJob(const char* plot_path, PlotMapping& mapping, const PenFilter& filter,
                    const CutPlanOptions& options, JobPlan& plan) {
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
    OrderPlan(plan, options, FeedUnitsPerMm(mapping));
    return PlanOutcome::Planned;
}

}  // namespace tarnik
