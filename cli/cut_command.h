#pragma once
// "tarnik-cli cut [--settings FILE] [--marks A,B] [--output FILE]
// [--order drawn|inside|shortest] [--panel MM] PLOTFILE".
#include <ostream>
#include <string>

#include "cli/cli_args.h"
#include "cli/cut_plan_args.h"
#include "sender/pipeline/job_outcome.h"

namespace tarnik::cli {

// plan overrides the settings file's cut order and panels.
int RunCut(const CliOptions& options, std::ostream& out, std::ostream& err,
           const CutPlanOverride& plan = {});

// The line tarnik-cli adds to stderr when the job driver turns a job away
// with outcome (input is the plot file named on the command line); empty
// when the pipeline has told the reason itself.
std::string RefusalReason(JobOutcome outcome, const std::string& input);

}  // namespace tarnik::cli
