#pragma once
// Placing a planned job on the media: the copies become placements of the
// index's paths (the cut order then runs over all of them), the weed lines
// and the border become generated paths cut after the design, and a tiled
// job is handed to the encoders strip by strip.
#include <string>

#include "sender/plan/job_plan.h"
#include "sender/plan/media_layout.h"
#include "sender/plan/weed_lines.h"

namespace tarnik {

// The layout of a job and why it could not be made, for the user.
struct MediaPlacement {
    MediaLayout layout;
    LayoutProblem problem = LayoutProblem::None;
    LayoutFigures figures;
    WeedOutcome weeding = WeedOutcome::Done;

    bool Refused() const { return problem != LayoutProblem::None || weeding != WeedOutcome::Done; }
    // The message of a refused placement.
    std::string Message() const;
};

// The copy's way onto the media as a placement of the plan; false when it
// does not fit the plan's 32-bit placement.
bool ToPlacement(const CopyTransform& copy, Placement& placement);

// Before the cut order: plans the layout of the read plan's design and
// gives every copy its placement and a step for each of its paths.
void PlaceCopies(JobPlan& plan, const MediaLayoutOptions& options, double units_per_mm,
                 MediaPlacement& placement);

// After the cut order: appends the weed lines, then the border, as steps
// of generated paths.
void AddWeeding(JobPlan& plan, const MediaLayoutOptions& options, double units_per_mm,
                MediaPlacement& placement);

}  // namespace tarnik
