#pragma once
// The job driver: decides whether the export file becomes a job, measures
// the design, asks the user through the file settings dialog and calls the
// encoder of the configured plotter model. The export file is the single
// hand-over point from the drawing program's macro; the driver deletes it
// whenever it turns a job away.
#include <cstdint>

#include "sender/pipeline/job_context.h"
#include "sender/pipeline/job_outcome.h"

namespace tarnik {

// The balloon texts of refused jobs.
inline constexpr char kMarkNotSelected[] = "Mark not be selected!";
inline constexpr char kSourceFileError[] = "Source file error!";
inline constexpr char kMarkBandsTooNarrow[] = "Mark bands narrower than 10 mm!";
// A plot file that only moves the pen, or a file of another kind: said
// instead of a silent end or a dialog for a design of no size.
inline constexpr char kNoPathToCut[] = "Nothing to cut: the file holds no path!";
inline constexpr char kNotPlotFile[] = "Not a plot file: no plot commands in it!";
// The message box of a job whose stored model has no encoder: without it
// every job would end without a word while the window names a model.
inline constexpr char kNoPlotterModel[] =
    "The settings name no plotter model: choose the model in Option!";
// Mark parameters by which the macro says that no registration marks were
// selected.
inline constexpr int32_t kNoMarksSelected = 1000;

using JobEncoder = JobOutcome (*)(const char* plot_path, JobContext& job);

class JobDriver {
  public:
    // The encoders default to EncodeDmplJob and EncodeHpglJob.
    explicit JobDriver(JobContext& job, JobEncoder dmpl = nullptr, JobEncoder hpgl = nullptr);

    // The job message with its two mark parameters: the encoder's outcome
    // when one ran, else why the job was turned away.
    JobOutcome OnJobReady(int32_t a, int32_t b);

    // Cut from a picked plot file, after the open dialog chose chosen_path:
    // copies it over the export file (unless it is that file, compared in
    // lower case) and runs the job as OnJobReady(0, 0) does. A failed copy
    // shows "Source file error!" (SourceFileError).
    JobOutcome OnCutFromFile(const char* chosen_path);

  private:
    // Deletes the export file; true when it existed.
    bool DeleteExportFile() const;
    // The pre-scan of the plot file, or the one kept from the job's first
    // strip; false for malformed data.
    bool ScanExportFile(const char* plot_path, PlotExtent& extent) const;

    JobContext& job_;
    JobEncoder dmpl_;
    JobEncoder hpgl_;
};

}  // namespace tarnik
