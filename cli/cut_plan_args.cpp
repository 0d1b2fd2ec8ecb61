#include "cli/cut_plan_args.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace tarnik::cli {
namespace {

bool ParsePanel(const std::string& text, float& mm) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(value) || value < 0.0 ||
        value > kMaxPanelLengthMm)
        return false;
    mm = static_cast<float>(value);
    return true;
}

// Splits "--name=value" or takes the value from the next argument.
bool TakeValue(std::vector<std::string>& args, size_t& i, const std::string& name,
               std::string& value, bool& matched) {
    const std::string& arg = args[i];
    matched = false;
    if (arg == name) {
        matched = true;
        if (i + 1 >= args.size())
            return false;
        value = args[i + 1];
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        return true;
    }
    if (arg.rfind(name + "=", 0) == 0) {
        matched = true;
        value = arg.substr(name.size() + 1);
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
        return true;
    }
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
           "tarnik-cli info [--settings FILE] [--order ...] [--panel MM] [--units-per-inch N] PLOTFILE\n"
           "  prints the design's size, its paths, the cut length, the knife travel as\n"
           "  drawn and as ordered, the job's bytes and its time on a 38400-baud line.\n";
}

bool ParseCutOrder(const std::string& text, CutOrder& order) {
    if (text == "drawn")
        order = CutOrder::Drawn;
    else if (text == "inside")
        order = CutOrder::Inside;
    else if (text == "shortest")
        order = CutOrder::Shortest;
    else
        return false;
    return true;
}

bool TakeCutPlanArgs(std::vector<std::string>& args, CutPlanOverride& plan, std::string& error) {
    for (size_t i = 1; i < args.size();) {
        if (args[i] == "--")
            break;
        std::string value;
        bool matched = false;
        if (!TakeValue(args, i, "--order", value, matched)) {
            error = "--order needs drawn, inside or shortest";
            return false;
        }
        if (matched) {
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
        const bool panel_given = plan.panel_mm.has_value();
        if (!TakeValue(args, i, "--panel", value, matched) ||
            (matched && (panel_given || !ParsePanel(value, plan.panel_mm.emplace())))) {
            error = "--panel takes a length in millimetres from 0 (off) to 50000";
            return false;
        }
        if (!matched)
            ++i;
    }
    return true;
}

}  // namespace tarnik::cli
