#pragma once
// The job encoder of the plotter model "NVAS": a plain HPGL subset of
// absolute pen-up and pen-down moves, one command per point, ended by a move
// clear of the design and a page command.
#include "sender/pipeline/command_text.h"
#include "sender/pipeline/job_context.h"
#include "sender/pipeline/job_outcome.h"
#include "sender/pipeline/path_model.h"

namespace tarnik {

// Encodes the plot file into the HPGL work file and hands it to the serial
// transport on CurrentCom. Returns Encoded when the transfer started,
// Unreadable (the plot file cannot be opened), DataError ("data error!"), or
// NotSent when the job ended with a message (work file, job buffer or job
// port failure) and nothing was sent. The export file (plot_path equal to
// job.ExportFilePath(), byte for byte) is consumed once its job starts.
JobOutcome EncodeHpglJob(const char* plot_path, JobContext& job);

// A path as HPGL: "PU%d,%d;" for the first point, "PD%d,%d;" for the others.
void AppendHpglPath(CommandOutput& out, const CutPath& path);

// The job's end: a pen-up move 200 units past the farthest plotter x met,
// then the page command.
void AppendHpglTrailer(CommandOutput& out, int32_t feed_x);

}  // namespace tarnik
