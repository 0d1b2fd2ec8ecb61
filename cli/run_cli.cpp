// Dispatching the commands of tarnik-cli.
#include "cli/run_cli.h"

#include <string>

#include "cli/cli_args.h"
#include "cli/cut_command.h"
#include "cli/mark_offset_command.h"
#include "cli/preview_command.h"

namespace tarnik::cli {

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CliOptions options;
    std::string error;
    if (!ParseCliArgs(argc, argv, options, error)) {
        err << "tarnik-cli: " << error << "\n" << CliUsageText();
        return kExitUsage;
    }
    switch (options.command) {
        case CliCommand::Help:
            out << CliHelpText() << "\n" << MarkOffsetHelpText();
            return kExitOk;
        case CliCommand::Cut:
            return RunCut(options, out, err);
        case CliCommand::Preview:
            return RunPreview(options, out, err);
        case CliCommand::MarkOffset:
            return RunMarkOffset(argc, argv, out, err);
    }
    return kExitUsage;
}

}  // namespace tarnik::cli
