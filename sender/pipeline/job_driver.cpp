#include "sender/pipeline/job_driver.h"

#include <string>

#include "sender/pipeline/dmpl_encoder.h"
#include "sender/pipeline/hpgl_encoder.h"
#include "sender/pipeline/job_start.h"
#include "sender/pipeline/mark_jobs.h"
#include "sender/pipeline/plot_reader.h"
#include "sender/pipeline/work_file.h"
#include "sender/res/resource.h"

namespace tarnik {

namespace {

// Plotter units per millimetre as a 32-bit float: sizes shown to the user.
constexpr float kUnitsPerMmShown = 31.496000289916992f;

// ASCII-only lower case for the comparison of file names; bytes of 0x80 and
// above (double-byte text) are left alone.
std::string LowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

}  // namespace

JobDriver::JobDriver(JobContext& job, JobEncoder dmpl, JobEncoder hpgl)
    : job_(job),
      dmpl_(dmpl != nullptr ? dmpl : &EncodeDmplJob),
      hpgl_(hpgl != nullptr ? hpgl : &EncodeHpglJob) {}

bool JobDriver::DeleteExportFile() const {
    return DeleteIfReadable(job_.ExportFilePath().c_str());
}

bool JobDriver::ScanExportFile(const char* plot_path, PlotExtent& extent) const {
    KeptPlotScan* kept = job_.KeptScan.get();
    if (kept != nullptr && kept->done) {
        extent = kept->extent;
        return true;
    }
    if (!ScanPlotFile(plot_path, extent, job_.mapping.UnitsPerInch))
        return false;
    if (kept != nullptr)
        *kept = KeptPlotScan{extent, true};
    return true;
}

JobOutcome JobDriver::OnJobReady(int32_t a, int32_t b) {
    if (!job_.gate.SenderIdle()) {
        if (DeleteExportFile()) {
            job_.view.Notify(StringId{IDS_CUTTING_IN_PROGRESS}, NoticeStyle::kWarningBalloon);
        }
        return JobOutcome::Busy;
    }
    if (!job_.gate.LineUsable()) {
        if (DeleteExportFile()) {
            job_.handover.PostLineFault(LineFault::kJobRefused);
        }
        return JobOutcome::LineNotUsable;
    }
    job_.MarkParamA = a;
    job_.MarkParamB = b;
    if (job_.settings.CutImageMode != 0 && a == kNoMarksSelected && b == kNoMarksSelected) {
        if (DeleteExportFile()) {
            job_.view.Notify(kMarkNotSelected, NoticeStyle::kWarningBalloon);
        }
        return JobOutcome::MarksNotSelected;
    }
    const std::string plot_path = job_.ExportFilePath();
    if (!job_.OpenExportFileAlone(plot_path.c_str())) {
        return JobOutcome::Unreadable;
    }
    job_.mapping.YTop = 0;
    job_.mapping.XOrigin = 0;
    PlotExtent extent;
    const bool scanned = ScanExportFile(plot_path.c_str(), extent);
    if ((!scanned || !extent.HasCutLine) && IsOtherThanPlotFile(plot_path.c_str())) {
        job_.view.Notify(kNotPlotFile, NoticeStyle::kWarningBalloon);
        return JobOutcome::DataError;
    }
    if (!scanned) {
        job_.view.Notify(kDataError, NoticeStyle::kWarningBalloon);
        return JobOutcome::DataError;
    }
    job_.extent = extent;
    // A path of points on one spot cuts nothing either.
    if (!extent.HasCutLine || (extent.Width == 0 && extent.Height == 0)) {
        job_.view.Notify(kNoPathToCut, NoticeStyle::kWarningBalloon);
        return JobOutcome::EmptyDesign;
    }
    job_.mapping.XOrigin = extent.MinX;
    job_.mapping.YTop = extent.MaxY;
    // The DM/PL encoder splits mark jobs at the band limits; bands under
    // 10 mm are no real mark job and would ask for a point per unit.
    if (job_.settings.CutImageMode != 0 && job_.settings.ModelIndex == 0 &&
        MarkBandsTooNarrow(extent, b)) {
        DeleteExportFile();
        job_.view.Notify(kMarkBandsTooNarrow, NoticeStyle::kWarningBalloon);
        return JobOutcome::MarkBandsTooNarrow;
    }
    const JobView::FileSettingsResult choice =
        job_.view.RunFileSettings(static_cast<float>(extent.Width) / kUnitsPerMmShown,
                                  static_cast<float>(extent.Height) / kUnitsPerMmShown);
    if (!choice.ok) {
        DeleteExportFile();
        return JobOutcome::Declined;
    }
    job_.CutToFile = choice.cut_to_file;
    if (job_.settings.ModelIndex == 0) {
        return dmpl_(plot_path.c_str(), job_);
    }
    if (job_.settings.ModelIndex == 1) {
        return hpgl_(plot_path.c_str(), job_);
    }
    job_.view.Notify(kNoPlotterModel, NoticeStyle::kMessageBox);
    DeleteExportFile();
    return JobOutcome::NoPlotterModel;
}

JobOutcome JobDriver::OnCutFromFile(const char* chosen_path) {
    const std::string source = chosen_path;
    const std::string target = job_.CutFromFileTarget();
    if (LowerAscii(source) != LowerAscii(target)) {
        if (!CopyFileOverwrite(source.c_str(), target.c_str())) {
            job_.view.Notify(kSourceFileError, NoticeStyle::kMessageBox);
            return JobOutcome::SourceFileError;
        }
    }
    return OnJobReady(0, 0);
}

}  // namespace tarnik
