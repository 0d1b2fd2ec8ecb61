// Dispatching the commands of tarnik-cli.
#include "cli/run_cli.h"

#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_args.h"
#include "cli/cut_command.h"
#include "cli/cut_plan_args.h"
#include "cli/info_command.h"
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
    if (argc >= 2 && argv[1] != nullptr && std::string_view(argv[1]) == "info") {
        return RunInfo(argc, argv, out, err);
    }
    CliOptions options;
    std::string error;
    // The job plan's options of "cut" are taken out before the rest is read.
    std::vector<std::string> words(argv, argv + argc);
    CutPlanOverride plan;
    if (argc >= 2 && words[1] == "cut" &&
        (!TakeCutPlanArgs(words, plan, error) || !TakeMediaLayoutArgs(words, plan.media, error))) {
        err << "tarnik-cli: " << error << "\n" << CliUsageText();
        return kExitUsage;
    }
    std::vector<const char*> rest;
    for (const std::string& word : words) rest.push_back(word.c_str());
    if (!ParseCliArgs(static_cast<int>(rest.size()), rest.data(), options, error)) {
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
            out << CliHelpText() << "\n"
                << CutPlanHelpText() << "\n"
                << MediaLayoutHelpText() << "\n"
                << MarkOffsetHelpText();
            return kExitOk;
        case CliCommand::Cut:
            return RunCut(options, out, err, plan);
        case CliCommand::Preview:
            return RunPreview(options, out, err);
        case CliCommand::MarkOffset:
            return RunMarkOffset(argc, argv, out, err);
    }
    return kExitUsage;
}

}  // namespace tarnik::cli
