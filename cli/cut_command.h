#pragma once
// "tarnik-cli cut [--settings FILE] [--marks A,B] [--output FILE] PLOTFILE".
#include <ostream>

#include "cli/cli_args.h"

namespace tarnik::cli {

int RunCut(const CliOptions& options, std::ostream& out, std::ostream& err);

}  // namespace tarnik::cli
