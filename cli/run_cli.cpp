// Dispatching the commands of tarnik-cli.
#include "cli/run_cli.h"

#include <string>
#include <string_view>

#include "cli/cli_args.h"
#include "cli/cut_command.h"
#include "cli/interrupt.h"
#include "cli/mark_offset_command.h"
#include "cli/output_file.h"
#include "cli/preview_command.h"
#include "cli/product_version.h"

namespace tarnik::cli {

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    if (argc == 2 && argv[1] != nullptr && std::string_view(argv[1]) == "--version") {
        out << "tarnik-cli (Tarnik) " << ProductVersion() << "\n";
        return kExitOk;
    }
    CliOptions options;
    std::string error;
    if (!ParseCliArgs(argc, argv, options, error)) {
        err << "tarnik-cli: " << error << "\n" << CliUsageText();
        return kExitUsage;
    }
    // Writing the result over the input would replace the design being cut
    // (or the job being drawn) under every one of its names.
    if (options.command != CliCommand::Help && !options.output_path.empty() &&
        SameFile(options.output_path, options.input_path)) {
        err << "tarnik-cli: " << options.output_path
            << " is the input file itself; nothing was written\n";
        return kExitRefused;
    }
    // From here on a signal removes the run's work folder and any
    // half-written output before the tool ends.
    EndOnSignal end_on_signal;
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
