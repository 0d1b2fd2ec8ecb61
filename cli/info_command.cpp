// The figures of "tarnik-cli info": the job is encoded as "cut" would
// encode it (into a private work folder, captured, never sent), once in the
// drawn order and once in the chosen one, and measured as it streams past.
#include "cli/info_command.h"

#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "cli/console_job_seams.h"
#include "cli/console_settings.h"
#include "cli/cut_command.h"
#include "cli/cut_plan_args.h"
#include "cli/job_decoder.h"
#include "cli/job_summary.h"
#include "cli/job_travel.h"
#include "cli/platform_files.h"
#include "cli/plot_resolution.h"
#include "cli/work_folder.h"
#include "sender/pipeline/job_driver.h"
#include "sender/pipeline/work_file.h"
#include "sender/plan/plan_index.h"
#include "sender/transport/line_time.h"

namespace tarnik::cli {
namespace {

constexpr char kExportFileName[] = "export.plt";

struct JobFigures {
    float width_mm = 0.0f;
    float height_mm = 0.0f;
    uint32_t bytes = 0;
    double travel_mm = 0.0;
    double cut_mm = 0.0;
};

struct InfoArgs {
    std::string settings_path;
    std::string input_path;
    CutPlanOverride plan;
    int32_t units_per_inch = kPlotUnitsPerInch;
};

bool ParseInfoArgs(int argc, const char* const* argv, InfoArgs& args, std::string& error) {
    std::vector<std::string> words(argv, argv + argc);
    if (!TakeCutPlanArgs(words, args.plan, error))
        return false;
    for (size_t i = 2; i < words.size(); ++i) {
        if (words[i] == "--settings" && i + 1 < words.size()) {
            args.settings_path = words[++i];
        } else if (words[i].rfind("--settings=", 0) == 0) {
            args.settings_path = words[i].substr(11);
        } else if (words[i] == "--units-per-inch" && i + 1 < words.size()) {
            if (!ParseUnitsPerInch(words[++i], args.units_per_inch)) {
                error = "info: --units-per-inch takes a whole number from 1 to " +
                        std::to_string(kMaxUnitsPerInch);
                return false;
            }
        } else if (words[i].rfind("-", 0) == 0 && words[i] != "-") {
            error = "info: unknown option " + words[i];
            return false;
        } else if (args.input_path.empty()) {
            args.input_path = words[i];
        } else {
            error = "info: one plot file only";
            return false;
        }
    }
    if (args.input_path.empty()) {
        error = "info: no plot file given";
        return false;
    }
    return true;
}

// Encodes the plot file with settings in the folder and measures the job
// (its export file is a fresh link or copy each time: the job consumes it).
bool MeasureJob(const std::string& input, int32_t units_per_inch, SenderSettings settings,
                const WorkFolder& folder, JobFigures& figures, std::ostream& err) {
    const std::string place = folder.PathWithSeparator();
    std::snprintf(settings.ColExportPath, sizeof settings.ColExportPath, "%s", place.c_str());
    std::snprintf(settings.ColExportFilename, sizeof settings.ColExportFilename, "%s",
                  kExportFileName);
    ConsoleJobView view(err);
    CapturingHandover handover(err);
    OpenSendGate gate;
    JobContext job(settings, view, handover, gate);
    job.TempFolder = place;
    job.HpglWorkFolder = place;
    job.PathSeparator = NativePathSeparator();
    job.mapping.UnitsPerInch = units_per_inch;
    const std::string target = job.CutFromFileTarget();
    // The export file of an earlier measure may be a second name of the
    // plot file itself: copying over it would empty the plot file.
    std::remove(target.c_str());
    if (!LinkFile(input.c_str(), target.c_str()) &&
        !CopyFileOverwrite(input.c_str(), target.c_str())) {
        err << "tarnik-cli: cannot read " << input << "\n";
        return false;
    }
    JobDriver driver(job);
    const JobOutcome outcome = driver.OnJobReady(0, 0);
    if (outcome != JobOutcome::Encoded || !handover.Captured()) {
        err << RefusalReason(outcome, input) << "tarnik-cli: " << input
            << " was refused; nothing to measure\n";
        return false;
    }
    JobTravelMeter meter;
    std::vector<char> block(64 * 1024);
    for (uint32_t offset = 0; offset < handover.Size();) {
        const uint32_t got =
            handover.Read(offset, block.data(), static_cast<uint32_t>(block.size()));
        if (got == 0)
            break;
        meter.Feed(std::string_view(block.data(), got));
        offset += got;
    }
    const double units =
        JobUnitsPerMm(settings.ModelIndex == 1 ? JobLanguage::Hpgl : JobLanguage::Dmpl);
    figures.width_mm = view.WidthMm();
    figures.height_mm = view.HeightMm();
    figures.bytes = handover.Size();
    figures.travel_mm = meter.Travel() / units;
    figures.cut_mm = meter.CutLength() / units;
    handover.Release();
    return true;
}

const char* OrderName(CutOrder order) {
    switch (order) {
        case CutOrder::Inside:
            return "inside";
        case CutOrder::Shortest:
            return "shortest";
        case CutOrder::Drawn:
            break;
    }
    return "drawn";
}

void PrintPaths(const std::string& input, int32_t units_per_inch, const SenderSettings& settings,
                std::ostream& out) {
    PlanIndex index;
    PlotMapping mapping;
    mapping.UnitsPerInch = units_per_inch;
    int32_t feed = 0;
    const PenFilter filter{
        settings.ModelIndex == 1 ? PenFilterVariant::Hpgl : PenFilterVariant::Dmpl,
        settings.CutImageMode != 0, settings.FlagColor};
    if (BuildPlanIndex(input.c_str(), mapping, filter, index, feed) != IndexOutcome::Done) {
        out << "  paths:          more than the plan holds\n";
        return;
    }
    uint32_t closed = 0;
    for (uint32_t i = 0; i < index.PathCount(); ++i) closed += index.Path(i).closed ? 1 : 0;
    out << "  paths:          " << index.PathCount() << " (" << closed << " closed, "
        << index.PathCount() - closed << " open)\n";
}

}  // namespace

const char* InfoUsageText() {
    return "       tarnik-cli info [--settings FILE] [--order drawn|inside|shortest] [--panel MM] "
           "[--units-per-inch N] PLOTFILE\n";
}

int RunInfo(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    InfoArgs args;
    std::string error;
    if (!ParseInfoArgs(argc, argv, args, error)) {
        err << "tarnik-cli: " << error << "\nusage: " << InfoUsageText();
        return kExitUsage;
    }
    WorkFolder folder;
    if (!folder.Create()) {
        err << "tarnik-cli: cannot create a private work folder in the temporary folder\n";
        return kExitRefused;
    }
    SenderSettings settings;
    if (!LoadCliSettings(args.settings_path, folder.PathWithSeparator(), settings, err))
        return kExitRefused;
    args.plan.ApplyTo(settings.CutPlan);
    SenderSettings as_drawn = settings;
    as_drawn.CutPlan = CutPlanOptions{};
    JobFigures drawn;
    JobFigures ordered;
    if (!MeasureJob(args.input_path, args.units_per_inch, as_drawn, folder, drawn, err) ||
        !MeasureJob(args.input_path, args.units_per_inch, settings, folder, ordered, err))
        return kExitRefused;
    char line[160];
    out << args.input_path << "\n";
    out << "  size:           " << SizeMmText(drawn.width_mm, drawn.height_mm) << " at "
        << args.units_per_inch << " units per inch\n";
    PrintPaths(args.input_path, args.units_per_inch, settings, out);
    std::snprintf(line, sizeof line, "  cut length:     %.3f m\n", ordered.cut_mm / 1000.0);
    out << line;
    std::snprintf(line, sizeof line, "  pen-up travel:  %.3f m as drawn, %.3f m in order %s",
                  drawn.travel_mm / 1000.0, ordered.travel_mm / 1000.0,
                  OrderName(settings.CutPlan.Order));
    out << line;
    if (settings.CutPlan.PanelLength > 0.0f)
        out << " in panels of " << settings.CutPlan.PanelLength << " mm";
    out << "\n  job:            " << ordered.bytes << " bytes for model "
        << (settings.ModelIndex == 1 ? "NVAS" : "NVA") << "\n";
    out << "  line time:      " << FormatLineTime(LineSeconds(ordered.bytes))
        << " at 38400 baud (3840 bytes a second)\n";
    return kExitOk;
}

}  // namespace tarnik::cli
