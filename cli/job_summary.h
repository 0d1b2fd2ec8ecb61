#pragma once
// What `cut` tells the user about a job: the summary line on stdout, printed
// once the job has gone where it was sent, and the state of a plotter that
// did not take the job whole.
#include <cstdint>
#include <ostream>
#include <string>

namespace tarnik::cli {

// How a send to a plotter ended.
enum class DeviceSend { NotAsked, Delivered, Failed, Cancelled };

struct JobSummary {
    std::string input_path;
    float width_mm = 0.0f;
    float height_mm = 0.0f;
    // Knife-down runs of the job, the knife-orientation cut among them when
    // the job opens with one.
    size_t knife_down_runs = 0;
    bool orientation_cut = false;
    uint32_t bytes = 0;
    std::string output_path;  // empty: no --output
    std::string device;       // --port or --usb; empty: none
    DeviceSend send = DeviceSend::NotAsked;
    uint32_t device_took = 0;  // bytes the device took before a send ended
    int units_per_inch = 800;  // the plot file's resolution
    double travel_m = -1.0;    // the knife's pen-up travel; negative: not measured
};

// A size in millimetres as every command prints it: two decimals (the
// knife steps in 0.03 mm).
std::string SizeMmText(float width_mm, float height_mm);

// The summary line, with its line feed.
std::string JobSummaryLine(const JobSummary& summary);

// For a send that did not deliver the job: what reached the device and what
// the user does about it.
void ReportUnfinishedSend(const JobSummary& summary, std::ostream& err);

// The job sender's advice when a job stopped part-way (its message
// "This job stopped unexpectedly or was cancelled! Please reset the
// plotter!", IDS_JOB_ABORTED in English).
inline constexpr char kTextJobAborted[] =
    "This job stopped unexpectedly or was cancelled! Please reset the plotter!";

}  // namespace tarnik::cli
