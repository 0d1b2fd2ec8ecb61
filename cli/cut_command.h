#pragma once
// "tarnik-cli cut [--settings FILE] [--marks A,B] [--output FILE] PLOTFILE".
#include <ostream>
#include <string>

#include "cli/cli_args.h"
#include "sender/pipeline/job_outcome.h"

namespace tarnik::cli {

int RunCut(const CliOptions& options, std::ostream& out, std::ostream& err);

// The line tarnik-cli adds to stderr when the job driver turns a job away
// with outcome (input is the plot file named on the command line); empty
// when the pipeline has told the reason itself.
std::string RefusalReason(JobOutcome outcome, const std::string& input);

}  // namespace tarnik::cli
