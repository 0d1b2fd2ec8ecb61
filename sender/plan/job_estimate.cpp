#include "sender/plan/job_estimate.h"

#include <cstdio>

#include "sender/pipeline/dmpl_encoder.h"
#include "sender/pipeline/hpgl_encoder.h"
#include "sender/pipeline/job_start.h"

namespace tarnik {
namespace {

class SilentView : public JobView {
  public:
    void Notify(NoticeText, NoticeStyle) override {}
    void SetTrayTip(const char*) override {}
    FileSettingsResult RunFileSettings(float, float) override { return {true, false}; }
    bool RunSaveDialog(const char*, std::string&) override { return false; }
    void SetSendingLook(bool) override {}
};

// Takes the encoded job's size instead of sending it.
class MeasuringHandover : public JobHandover {
  public:
    bool OpenSerialJobPort(uint8_t) override { return true; }
    void StartSerialTransfer(JobBuffer job) override { bytes = job.Size(); }
    bool SendToUsbPrinter(uint8_t, const char*, uint32_t length) override {
        bytes = length;
        return true;
    }
    void PostLineFault(LineFault) override {}
    std::optional<uint64_t> bytes;
};

}  // namespace

std::optional<uint64_t> EstimateJobBytes(const char* plot_path, const JobContext& job,
                                         const SenderSettings& settings) {
    SenderSettings measured = settings;
    // Serial, so the size comes back whatever the port; the export file is
    // named apart, so the encoder never takes the plot file as consumed.
    measured.PortType = 0;
    std::snprintf(measured.ColExportFilename, sizeof measured.ColExportFilename, "%s",
                  "estimate-only.plt");
    SilentView view;
    MeasuringHandover handover;
    OpenSendGate gate;
    JobContext estimate(measured, view, handover, gate);
    estimate.mapping = job.mapping;
    estimate.extent = job.extent;
    estimate.MarkParamA = job.MarkParamA;
    estimate.MarkParamB = job.MarkParamB;
    estimate.HpglWorkFolder = job.HpglWorkFolder;
    estimate.TempFolder = job.TempFolder;
    estimate.PathSeparator = job.PathSeparator;
    // Streamed from the work file: the size is all that is wanted.
    estimate.JobMemoryLimit = 0;
    // A job cut in strips takes all its strips' bytes.
    estimate.KeptStripPlan = MakeStripPlanKeeper();
    uint64_t total = 0;
    for (int32_t strip = 0; strip < estimate.StripCount; ++strip) {
        estimate.Strip = strip;
        handover.bytes.reset();
        const JobOutcome outcome = measured.ModelIndex == 1 ? EncodeHpglJob(plot_path, estimate)
                                                            : EncodeDmplJob(plot_path, estimate);
        if (outcome != JobOutcome::Encoded || !handover.bytes)
            return std::nullopt;
        total += *handover.bytes;
    }
    return total;
}

}  // namespace tarnik
