#pragma once
// The job plan's entry: read the plot file into a plan and put it in order.
#include "sender/plan/job_plan.h"
#include "sender/settings/cut_plan_options.h"

namespace tarnik {

// Shown when a design is beyond what a plan holds (nothing is sent).
inline constexpr char kDesignTooLargeToPlan[] =
    "The design is too large to put in order (more than 16000000 points or 2000000 paths): "
    "cut it in the order drawn.";

enum class PlanOutcome { Planned, Unreadable, DataError, TooLarge };

// Plotter units per millimetre of the mapped frame along the feed: 800 per
// inch for the DM/PL model, the HPGL model's scaled units otherwise.
double FeedUnitsPerMm(const PlotMapping& mapping);

// Reads plot_path through mapping into plan (its pen filter applied, as the
// encoder would) and orders it as options ask.
PlanOutcome PlanJob(const char* plot_path, PlotMapping& mapping, const PenFilter& filter,
                    const CutPlanOptions& options, JobPlan& plan);

}  // namespace tarnik
