#pragma once
// "tarnik-cli preview JOBFILE -o FILE.svg".
#include <ostream>

#include "cli/cli_args.h"

namespace tarnik::cli {

int RunPreview(const CliOptions& options, std::ostream& out, std::ostream& err);

}  // namespace tarnik::cli
