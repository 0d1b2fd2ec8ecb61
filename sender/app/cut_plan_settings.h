#pragma once
// The "CutPlan" section of tarnik.ini: read by the job sender and
// tarnik-cli into the settings record, written by the job sender when the
// user changes the cut order or the panel length.
#include "sender/app/profile_file.h"
#include "sender/settings/cut_plan_options.h"

namespace tarnik {

// Missing keys give the defaults (as drawn, no panels). An "Order" other
// than 0, 1 or 2 reads as 0; a "PanelLength" below 0 or not a number reads
// as 0, one beyond kMaxPanelLengthMm as that.
void LoadCutPlanSettings(ProfileFile& profile, CutPlanOptions& options);
void SaveCutPlanSettings(ProfileFile& profile, const CutPlanOptions& options);

// The panel length as the settings keep it (see LoadCutPlanSettings).
float BoundedPanelLength(double mm);

}  // namespace tarnik
