#pragma once
// The job plan's options on the command line: "--order drawn|inside|shortest"
// and "--panel MM" (0 = off), taken out of the arguments of "cut" and "info"
// before the rest is parsed; they override the "CutPlan" section of the
// settings file.
#include <optional>
#include <string>
#include <vector>

#include "sender/settings/cut_plan_options.h"

namespace tarnik::cli {

struct CutPlanOverride {
    std::optional<CutOrder> order;
    std::optional<float> panel_mm;

    void ApplyTo(CutPlanOptions& options) const {
        if (order)
            options.Order = *order;
        if (panel_mm)
            options.PanelLength = *panel_mm;
    }
};

// The help section of --order, --panel and "info".
const char* CutPlanHelpText();

// "drawn", "inside" or "shortest".
bool ParseCutOrder(const std::string& text, CutOrder& order);

// Removes "--order X", "--order=X", "--panel MM" and "--panel=MM" from args
// (args[0] is the program) and records them; false with a reason in error
// for a missing or bad value. Arguments after "--" are left alone.
bool TakeCutPlanArgs(std::vector<std::string>& args, CutPlanOverride& plan, std::string& error);

}  // namespace tarnik::cli
