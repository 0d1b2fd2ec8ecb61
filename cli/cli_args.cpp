// Parsing the command line of tarnik-cli.
#include "cli/cli_args.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <string_view>

#include "cli/plot_resolution.h"

namespace tarnik::cli {
namespace {

constexpr char kUsage[] =
    "usage: tarnik-cli cut [--settings FILE] [--marks A,B] [--output FILE]\n"
    "                      [--units-per-inch N] [--port DEVICE | --usb TARGET] PLOTFILE\n"
    "       tarnik-cli preview JOBFILE -o FILE.svg\n"
    "       tarnik-cli mark-offset [--upper MM | --lower MM] [--left MM | --right MM]\n"
    "                              (--port DEVICE | --output FILE)\n"
    "       tarnik-cli --help | --version\n";

constexpr char kHelp[] =
    "tarnik-cli: cuts HPGL plot files with Tarnik's job pipeline and previews jobs.\n"
    "\n"
    "usage: tarnik-cli cut [--settings FILE] [--marks A,B] [--output FILE]\n"
    "                      [--units-per-inch N] [--port DEVICE | --usb TARGET] PLOTFILE\n"
    "       tarnik-cli preview JOBFILE -o FILE.svg\n"
    "       tarnik-cli mark-offset [--upper MM | --lower MM] [--left MM | --right MM]\n"
    "                              (--port DEVICE | --output FILE)\n"
    "       tarnik-cli --help | --version\n"
    "\n"
    "cut      Runs the job of one plot file (HPGL, 800 units per inch) as the job\n"
    "         sender does: pre-scan, the design's size, path rework, encoding for the\n"
    "         plotter model of the settings. PLOTFILE is copied into a private work\n"
    "         folder and never changed. Prints one summary line: the design's size\n"
    "         in mm, the number of paths and the job's bytes.\n"
    "  --settings FILE  settings file (tarnik.ini format). Default: ./tarnik.ini\n"
    "                   when present, else the built-in defaults (model NVA, every\n"
    "                   rework option off).\n"
    "  --marks A,B      the two registration-mark parameters (default 0,0); with\n"
    "                   CutImageMode set, 1000,1000 means no marks were selected.\n"
    "  --output FILE    writes the job's bytes, exactly as they would go to the\n"
    "                   plotter, to FILE (a device or pipe is written in place; FILE\n"
    "                   must not be PLOTFILE). Without it nothing is sent (no\n"
    "                   transport is chosen): the job is encoded and only summarised.\n"
    "  --units-per-inch N  the plot file's resolution (default 800, as the drawing\n"
    "                   program's export and the Inkscape extension write it;\n"
    "                   Inkscape's own HPGL save writes 1016 unless told otherwise).\n"
    "                   The summary names the resolution the file was read at.\n"
    "  --port DEVICE    sends the job to the plotter on a serial device (for example\n"
    "                   /dev/ttyUSB0, or COM3 in the Windows build) at 38400 baud,\n"
    "                   8 data bits, no parity, 1 stop bit, CTS flow control, in\n"
    "                   blocks of 1000 bytes, with a progress bar on stderr. Ctrl-C\n"
    "                   cancels: the port is purged and closed, the status is 130.\n"
    "  --usb TARGET     sends the job raw to a plotter on a USB printer port: a\n"
    "                   printer device such as /dev/usb/lp0, or cups:QUEUE for a raw\n"
    "                   CUPS queue (one document named TarnikDoc). In the Windows\n"
    "                   build TARGET is the USB port number (1 for USB001), reached\n"
    "                   through the printer of the plotter driver on that port.\n"
    "preview  Draws a job written by cut (either model) as SVG in millimetres:\n"
    "         cuts solid, pen-up travel dashed; the paper feed runs down the page.\n"
    "  -o, --output FILE.svg  the picture to write (required).\n"
    "\n"
    "Exit status: 0 done; 1 the job or file was refused, or sending failed (the\n"
    "reason on stderr, no output file is written); 2 the command line is wrong;\n"
    "128 + the signal's number when Ctrl-C (130), SIGHUP (129), SIGPIPE (141) or\n"
    "SIGTERM (143) ended it: a send is cancelled, the work folder removed.\n";

// One option that takes a value: "--name VALUE" or "--name=VALUE".
struct ValueOption {
    std::string_view name;
    std::string_view short_name;
    std::string* target;
};

enum class OptionMatch { None, Taken, Error };

OptionMatch MatchValueOption(const ValueOption& option, int argc, const char* const* argv,
                             int& index, bool& seen, std::string& error) {
    const std::string_view arg = argv[index];
    std::string_view value;
    if (arg == option.name || (!option.short_name.empty() && arg == option.short_name)) {
        if (index + 1 >= argc) {
            error = std::string(arg) + " needs a value";
            return OptionMatch::Error;
        }
        value = argv[++index];
    } else if (arg.size() > option.name.size() + 1 && arg.starts_with(option.name) &&
               arg[option.name.size()] == '=') {
        value = arg.substr(option.name.size() + 1);
    } else {
        return OptionMatch::None;
    }
    if (seen) {
        error = std::string(option.name) + " given twice";
        return OptionMatch::Error;
    }
    if (value.empty()) {
        error = std::string(option.name) + " needs a value";
        return OptionMatch::Error;
    }
    seen = true;
    *option.target = std::string(value);
    return OptionMatch::Taken;
}

bool ParseLong(std::string_view text, int32_t& value) {
    const std::string copy(text);
    if (copy.empty() || copy[0] == ' ' || copy[0] == '\t') {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(copy.c_str(), &end, 10);
    if (errno != 0 || end != copy.c_str() + copy.size() || parsed < INT32_MIN ||
        parsed > INT32_MAX) {
        return false;
    }
    value = static_cast<int32_t>(parsed);
    return true;
}

bool IsHelp(std::string_view arg) {
    return arg == "-h" || arg == "--help" || arg == "help";
}

// The options and operand of "cut" and "preview".
bool ParseCommandArgs(int argc, const char* const* argv, CliOptions& options, std::string& error) {
    const bool cut = options.command == CliCommand::Cut;
    std::string marks;
    std::string units_per_inch;
    ValueOption value_options[] = {
        {"--output", "-o", &options.output_path},
        {"--settings", "", cut ? &options.settings_path : nullptr},
        {"--marks", "", cut ? &marks : nullptr},
        {"--port", "", cut ? &options.port_device : nullptr},
        {"--usb", "", cut ? &options.usb_target : nullptr},
        {"--units-per-inch", "", cut ? &units_per_inch : nullptr},
    };
    constexpr int kValueOptions = sizeof(value_options) / sizeof(value_options[0]);
    bool seen[kValueOptions] = {};
    bool operands_only = false;
    for (int index = 2; index < argc; ++index) {
        const std::string_view arg = argv[index];
        if (!operands_only && IsHelp(arg) && arg != "help") {
            options = CliOptions{};
            return true;
        }
        if (!operands_only && arg == "--") {
            operands_only = true;
            continue;
        }
        if (!operands_only && arg.size() > 1 && arg[0] == '-') {
            OptionMatch match = OptionMatch::None;
            for (int i = 0; i < kValueOptions && match == OptionMatch::None; ++i) {
                if (value_options[i].target != nullptr) {
                    match = MatchValueOption(value_options[i], argc, argv, index, seen[i], error);
                }
            }
            if (match == OptionMatch::Error) {
                return false;
            }
            if (match == OptionMatch::None) {
                error = "unknown option " + std::string(arg);
                return false;
            }
            continue;
        }
        if (!options.input_path.empty()) {
            error = "more than one input file";
            return false;
        }
        if (arg.empty()) {
            error = "empty file name";
            return false;
        }
        options.input_path = std::string(arg);
    }
    if (options.input_path.empty()) {
        error = cut ? "no plot file given" : "no job file given";
        return false;
    }
    if (!cut && options.output_path.empty()) {
        error = "preview needs -o FILE.svg";
        return false;
    }
    if (!options.port_device.empty() && !options.usb_target.empty()) {
        error = "--port and --usb exclude each other";
        return false;
    }
    if (seen[2] && !ParseMarks(marks, options.mark_a, options.mark_b)) {
        error = "--marks needs two whole numbers A,B";
        return false;
    }
    if (seen[5] && !ParseUnitsPerInch(units_per_inch, options.units_per_inch)) {
        error = "--units-per-inch needs a whole number from 1 to 100000";
        return false;
    }
    return true;
}

}  // namespace

const char* CliUsageText() {
    return kUsage;
}
const char* CliHelpText() {
    return kHelp;
}

bool ParseMarks(const std::string& text, int32_t& a, int32_t& b) {
    const size_t comma = text.find(',');
    if (comma == std::string::npos) {
        return false;
    }
    const std::string_view view(text);
    int32_t first = 0;
    int32_t second = 0;
    if (!ParseLong(view.substr(0, comma), first) || !ParseLong(view.substr(comma + 1), second)) {
        return false;
    }
    a = first;
    b = second;
    return true;
}

bool ParseCliArgs(int argc, const char* const* argv, CliOptions& options, std::string& error) {
    options = CliOptions{};
    error.clear();
    if (argc < 2 || argv[1] == nullptr) {
        error = "no command given";
        return false;
    }
    const std::string_view command = argv[1];
    if (IsHelp(command)) {
        return true;
    }
    if (command == "cut") {
        options.command = CliCommand::Cut;
    } else if (command == "preview") {
        options.command = CliCommand::Preview;
    } else if (command == "mark-offset") {
        // Its options are its own (cli/mark_offset_command.cpp).
        options.command = CliCommand::MarkOffset;
        return true;
    } else {
        error = "unknown command " + std::string(command);
        return false;
    }
    return ParseCommandArgs(argc, argv, options, error);
}

}  // namespace tarnik::cli
