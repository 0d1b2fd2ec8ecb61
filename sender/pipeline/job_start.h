#pragma once
// The steps every encoder shares: opening the plot file, writing the work
// file with the encoder's own pass, loading the closed work file into the
// job buffer and handing a serial job to the transport.
#include <cstddef>
#include <memory>
#include <string>

#include "sender/pipeline/job_buffer.h"
#include "sender/pipeline/job_context.h"
#include "sender/pipeline/job_outcome.h"
#include "sender/pipeline/path_source.h"
#include "sender/pipeline/plot_reader.h"
#include "sender/pipeline/work_file.h"
#include "sender/plan/plan_index.h"

namespace tarnik {

inline constexpr char kInitComPortFailed[] = "Faild to InitComPort() !";
inline constexpr char kJobBufferNoMemory[] = "Not enough memory for the job buffer!";
inline constexpr char kJobTooLarge[] = "The job is too large to send!";
inline constexpr char kDataError[] = "data error!";

// How an encoder's pass over the plot file ended.
enum class ReadOutcome { Done, DataError, WriteFailed };
// One encoder's pass: reads every path, reworks it and writes it out.
using EncodePass = ReadOutcome (*)(PathSource& source, CutPath& path, JobContext& job,
                                   WorkFile& work);

// The pen filter of the job's encoder.
inline PenFilter PenFilterOf(const JobContext& job, PenFilterVariant variant) {
    return PenFilter{variant, job.settings.CutImageMode != 0, job.settings.FlagColor};
}

// Opens the plot file through job.mapping, creates the work file anew at
// work_path, runs the encoder's pass over the plot file into it and closes
// both. With a cut order or panels chosen (settings.CutPlan) the paths come
// from the job plan, which reads the file once with the encoder's pen filter
// and refuses a design too large to plan (message box, NotSent). Nothing of a failed job may reach
// the plotter, so every failure ends here: Unreadable when the plot file cannot be opened (nothing
// shown), DataError when it is malformed ("data error!" shown), NotSent when the work file could
// not be written (the user was told). Encoded when the work file is closed and complete.
// Shown when a job must be cut in strips by a caller that does not run
// strips one after another (the contour-cut macro's print road).
inline constexpr char kStripsNeedStripRun[] =
    "This job is wider than the media and must be cut in strips: cut it with tarnik-cli "
    "(--tile), or turn it or use wider media.";

// Keeps a tiled job's plan across its strips (JobContext::KeptStripPlan).
std::shared_ptr<StripPlan> MakeStripPlanKeeper();

JobOutcome EncodeWorkFile(const char* plot_path, JobContext& job, const std::string& work_path,
                          const PenFilter& filter, EncodePass pass);

// Loads the work file with extra_bytes cleared bytes behind the data (in
// memory up to job.JobMemoryLimit bytes, else read from the file as it is
// sent); on failure tells the user why (message box) and returns false. A
// work file that has gone or cannot be reopened is a load failure.
bool LoadWorkFileForJob(JobContext& job, const std::string& work_file, std::size_t extra_bytes,
                        JobBuffer& buffer);

// Opens the serial job port on CurrentCom; on failure shows
// "Faild to InitComPort() !" and returns false (nothing is sent). While a
// send runs it opens nothing: the job is turned away with "cutting in
// progress", as the job driver turns away a job that comes then.
bool OpenJobPort(JobContext& job);

// Switches the main window to its sending look and starts the transfer; the
// transport owns the buffer from here on, and its sender is busy until the
// job ends.
void StartSerialJob(JobContext& job, JobBuffer buffer);

}  // namespace tarnik
