#pragma once
// How many bytes a job will be, learnt before it is cut by encoding it as
// it will be encoded (same settings, same cut order) into the job's own
// work file, which the real encoding then writes anew. Nothing is shown and
// nothing is sent; the plot file is left where it is. The file settings
// dialog turns the bytes into the job's time on the line.
#include <cstdint>
#include <optional>

#include "sender/pipeline/job_context.h"

namespace tarnik {

// The job's bytes for plot_path (the job's export file, pre-scanned into
// job.extent and job.mapping) with settings; nullopt when it cannot be
// encoded (malformed data, a design too large to plan, no work file).
std::optional<uint64_t> EstimateJobBytes(const char* plot_path, const JobContext& job,
                                         const SenderSettings& settings);

}  // namespace tarnik
