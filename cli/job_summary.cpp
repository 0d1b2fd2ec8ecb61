// The summary line of `cut` and the report of a send that did not deliver.
#include "cli/job_summary.h"

#include <cstdio>

#include "sender/transport/line_time.h"

namespace tarnik::cli {

std::string SizeMmText(float width_mm, float height_mm) {
    char size[96];
    std::snprintf(size, sizeof(size), "%.2f x %.2f mm", static_cast<double>(width_mm),
                  static_cast<double>(height_mm));
    return size;
}

namespace {

// The runs a user drew: the orientation cut is the knife's own, not a path
// of the design, so it is named beside the count, not in it.
std::string PathCountText(const JobSummary& summary) {
    size_t paths = summary.knife_down_runs;
    const bool orientation = summary.orientation_cut && paths > 0;
    if (orientation) {
        --paths;
    }
    std::string text = std::to_string(paths) + " cut paths";
    if (orientation) {
        text += " and the knife-orientation cut";
    }
    return text;
}

std::string DeviceText(const JobSummary& summary) {
    switch (summary.send) {
        case DeviceSend::NotAsked:
            return {};
        case DeviceSend::Delivered:
            return " -> " + summary.device;
        case DeviceSend::Failed:
            return ", send to " + summary.device + " failed";
        case DeviceSend::Cancelled:
            return ", send to " + summary.device + " cancelled";
    }
    return {};
}

}  // namespace

std::string JobSummaryLine(const JobSummary& summary) {
    std::string line = summary.input_path + ": " + SizeMmText(summary.width_mm, summary.height_mm) +
                       " at " + std::to_string(summary.units_per_inch) + " units per inch, " +
                       PathCountText(summary) + ", " + std::to_string(summary.bytes) + " bytes";
    if (summary.travel_m >= 0.0) {
        char travel[64];
        std::snprintf(travel, sizeof(travel), ", travel %.3f m", summary.travel_m);
        line += travel;
    }
    line += ", " + FormatLineTime(LineSeconds(summary.bytes)) + " on the line";
    if (!summary.output_path.empty()) {
        line += " -> " + summary.output_path;
    }
    line += DeviceText(summary);
    if (summary.output_path.empty() && summary.device.empty()) {
        line += ", not sent";
    }
    return line + "\n";
}

void ReportUnfinishedSend(const JobSummary& summary, std::ostream& err) {
    if (summary.send != DeviceSend::Failed && summary.send != DeviceSend::Cancelled) {
        return;
    }
    const std::string took =
        std::to_string(summary.device_took) + " of " + std::to_string(summary.bytes) + " bytes";
    if (summary.device_took == 0 && summary.send == DeviceSend::Failed) {
        err << "tarnik-cli: the job did not reach " << summary.device << " (it took " << took
            << ")\n";
        return;
    }
    err << "tarnik-cli: " << summary.device << " took " << took << " before the send "
        << (summary.send == DeviceSend::Failed ? "failed" : "was cancelled")
        << ": the plotter may hold a partial job. " << kTextJobAborted << "\n";
}

}  // namespace tarnik::cli
