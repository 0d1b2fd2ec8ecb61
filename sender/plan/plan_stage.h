#pragma once
// The job plan's entry: read the plot file into a plan and put it in order.
#include "sender/plan/job_plan.h"
#include "sender/plan/media_placement.h"
#include "sender/settings/cut_plan_options.h"

namespace tarnik {

// Shown when a design is beyond what a plan holds (nothing is sent).
inline constexpr char kDesignTooLargeToPlan[] =
    "The design is too large to put in order (more than 16000000 points or 2000000 paths): "
    "cut it in the order drawn.";

enum class PlanOutcome {
    Planned,
    Unreadable,
    DataError,
    TooLarge,
    NotPlaced,  // the job cannot be placed on the media (placement.Message())
};

// Plotter units per millimetre of the mapped frame along the feed: 800 per
// inch for the DM/PL model, the HPGL model's scaled units otherwise.
double FeedUnitsPerMm(const PlotMapping& mapping);

// A plotter x of the plan in the frame of the trailer's feed: the HPGL
// model's scaled units, plotter units otherwise.
int32_t FeedFrameX(const PlotMapping& mapping, int32_t x);

// Reads plot_path through mapping into plan (its pen filter applied, as the
// encoder would) and orders it as options ask.
PlanOutcome PlanJob(const char* plot_path, PlotMapping& mapping, const PenFilter& filter,
                    const CutPlanOptions& options, JobPlan& plan);
// The same, and places the job on the media as options.Media asks: copies,
// then the order over all of them, then the weed lines and the border.
// placement receives the layout (its strips) or why it was refused.
PlanOutcome PlanJob(const char* plot_path, PlotMapping& mapping, const PenFilter& filter,
                    const CutPlanOptions& options, JobPlan& plan, MediaPlacement& placement);

}  // namespace tarnik
