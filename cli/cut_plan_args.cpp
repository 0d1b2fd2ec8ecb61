#include "cli/cut_plan_args.h"

#include <utility>

#include "cli/option_reader.h"

namespace tarnik::cli {
namespace {

bool ParsePanel(const std::string& text, float& mm) {
    double value = 0.0;
    if (!ReadFiniteNumber(text, value) || value < 0.0 || value > kMaxPanelLengthMm)
        return false;
    mm = static_cast<float>(value);
    return true;
}

}  // namespace

const char* CutPlanHelpText() {
    return "Cut order (cut and info; they override the settings file's CutPlan section):\n"
           "  --order drawn     cut the paths as the drawing program wrote them (default)\n"
           "  --order inside    cut every closed path after everything inside it\n"
           "  --order shortest  inside first, with the shortest knife travel found\n"
           "  --panel MM        cut in panels of MM millimetres along the feed (0 = off)\n"
           "\n"
           "tarnik-cli info [--settings FILE] [--order ...] [--panel MM] [--units-per-inch N] "
           "PLOTFILE\n"
           "  prints the design's size, its paths, the cut length, the knife travel as\n"
           "  drawn and as ordered, the job's bytes and its time on a 38400-baud line.\n";
}

bool ParseCutOrder(const std::string& text, CutOrder& order) {
    static constexpr std::pair<const char*, CutOrder> kWords[] = {
        {"drawn", CutOrder::Drawn}, {"inside", CutOrder::Inside}, {"shortest", CutOrder::Shortest}};
    return ReadWord(text, kWords, order);
}

bool TakeCutPlanArgs(std::vector<std::string>& args, CutPlanOverride& plan, std::string& error) {
    for (size_t i = 1; i < args.size();) {
        if (args[i] == "--")
            break;
        std::string value;
        bool has_value = false;
        if (TakeOption(args, i, "--order", value, has_value)) {
            if (!has_value) {
                error = "--order needs drawn, inside or shortest";
                return false;
            }
            CutOrder order = CutOrder::Drawn;
            if (!ParseCutOrder(value, order)) {
                error = "--order takes drawn, inside or shortest, not \"" + value + "\"";
                return false;
            }
            if (plan.order) {
                error = "--order given twice";
                return false;
            }
            plan.order = order;
            continue;
        }
        if (TakeOption(args, i, "--panel", value, has_value)) {
            if (!has_value || plan.panel_mm.has_value() ||
                !ParsePanel(value, plan.panel_mm.emplace())) {
                error = "--panel takes a length in millimetres from 0 (off) to 50000";
                return false;
            }
            continue;
        }
        ++i;
    }
    return true;
}

}  // namespace tarnik::cli
