#pragma once
// Putting a job plan's steps in the order the options ask for.
//
// - drawn: as read (in panels when panels are on).
// - inside: every closed path after everything that lies inside it
//   (nesting.h); otherwise as drawn.
// - shortest: inside first, and short pen-up travel from the job's start
//   (0, 0): the nearest allowed path next (travel_order.h), then local
//   improvements that keep inside-first. An open path may be cut backwards
//   and a closed path may start at any of its corners (PlanStep::start),
//   neither when dashed: its dashes start where the drawing starts them.
//   A closed path started elsewhere is handed to the encoders as a closed
//   path that begins and ends at the new corner, the same segments each cut
//   the same way round, so the transforms treat it as any closed path: the
//   closing overcut is laid on the first long segment from the new start
//   on, and the knife offset swings the blade into the new start from the
//   previous path's last direction and overshoots the end there. Only where
//   the overcut and the swing fall moves with the start; what is cut stays.
// - panels (PanelLength > 0): the job is cut in panels of that length along
//   the feed (plotter x from 0), panel after panel, so that the media only
//   moves forward between panels. A path and everything inside it belong to
//   the panel of the smallest x of the outermost of them; within a panel the
//   order above applies.
#include "sender/plan/job_plan.h"
#include "sender/plan/nesting.h"
#include "sender/settings/cut_plan_options.h"

namespace tarnik {

// The panel of each step (all 0 when panel_units is 0 or less): outermost
// containers decide, by the smallest x of their placed box.
std::vector<int64_t> AssignPanels(const JobPlan& plan, const Nesting& nesting, double panel_units);

// Reorders plan.steps (one per path, in the order drawn) as options ask;
// units_per_mm converts the panel length into plotter units.
void OrderPlan(JobPlan& plan, const CutPlanOptions& options, double units_per_mm);

// The pen-up travel of the steps from the job's start (0, 0), in plotter
// units.
double PenUpTravel(const JobPlan& plan);

}  // namespace tarnik
