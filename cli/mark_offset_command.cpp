#include "cli/mark_offset_command.h"

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "cli/cli_args.h"
#include "cli/serial_send.h"
#include "markoffset/mark_offset.h"
#include "markoffset/modify_sequence.h"

namespace tarnik::cli {
namespace {

using markoffset::MarkOffsets;
using markoffset::OffsetField;

constexpr char kUsage[] =
    "usage: tarnik-cli mark-offset [--upper MM | --lower MM] [--left MM | --right MM]\n"
    "                              (--port DEVICE | --output FILE)\n";

constexpr char kHelp[] =
    "mark-offset  Sets the offset of the plotter's mark sensor, as Mirando does: the\n"
    "         plotter's mark-offset commands for the offsets given in mm (digits and\n"
    "         points only, shown with two decimals; an offset not given is 0.00).\n"
    "         Only one offset of each pair: upper or lower, left or right.\n"
    "  --port DEVICE  sends the commands to the plotter on a serial device after\n"
    "                 a line check (two blanks, each given one second); press the\n"
    "                 plotter's ONLINE key first.\n"
    "  --output FILE  writes the commands to FILE (as Mirando's SaveToFile does,\n"
    "                 without the blanks that lead them in on the line).\n"
    "         Exit status 0 only when the commands reached the port or the file.\n";

struct Option {
    std::string_view name;
    std::string* value;
    bool seen = false;
};

bool Parse(int argc, const char* const* argv, MarkOffsets& offsets, std::string& port,
           std::string& output, bool& help, std::string& error) {
    Option options[] = {{"--upper", &offsets.upper}, {"--lower", &offsets.lower},
                        {"--left", &offsets.left},   {"--right", &offsets.right},
                        {"--port", &port},           {"--output", &output}};
    for (int index = 2; index < argc; ++index) {
        std::string_view arg = argv[index];
        if (arg == "-h" || arg == "--help") {
            help = true;
            return true;
        }
        std::string_view value;
        Option* match = nullptr;
        for (Option& option : options) {
            if (arg == option.name) {
                if (index + 1 >= argc) {
                    error = std::string(arg) + " needs a value";
                    return false;
                }
                match = &option;
                value = argv[++index];
            } else if (arg.starts_with(option.name) && arg.size() > option.name.size() &&
                       arg[option.name.size()] == '=') {
                match = &option;
                value = arg.substr(option.name.size() + 1);
            }
            if (match != nullptr) {
                break;
            }
        }
        if (match == nullptr) {
            error = "unknown option " + std::string(arg);
            return false;
        }
        if (match->seen) {
            error = std::string(match->name) + " given twice";
            return false;
        }
        match->seen = true;
        *match->value = std::string(value);
    }
    if (options[0].seen && options[1].seen) {
        error = "--upper and --lower exclude each other";
        return false;
    }
    if (options[2].seen && options[3].seen) {
        error = "--left and --right exclude each other";
        return false;
    }
    if (options[4].seen == options[5].seen) {
        error = "mark-offset needs either --port DEVICE or --output FILE";
        return false;
    }
    if ((options[4].seen && port.empty()) || (options[5].seen && output.empty())) {
        error = "empty device or file name";
        return false;
    }
    return true;
}

// The dialog's rules for each offset given: refused text, then the
// formatting the edit gets when it loses the focus.
bool CheckAndFormat(MarkOffsets& offsets, std::string& error) {
    constexpr struct {
        OffsetField field;
        const char* option;
    } kFields[] = {{OffsetField::kUpper, "--upper"},
                   {OffsetField::kLower, "--lower"},
                   {OffsetField::kLeft, "--left"},
                   {OffsetField::kRight, "--right"}};
    for (const auto& field : kFields) {
        std::string& text = markoffset::OffsetOf(offsets, field.field);
        if (!markoffset::IsOffsetText(text)) {
            error = std::string(field.option) + " \"" + text +
                    "\": " + markoffset::kTextInputNumberOrDot +
                    " (millimetres, digits and points)";
            return false;
        }
        text = markoffset::FormatOffset(text);
    }
    return true;
}

}  // namespace

const char* MarkOffsetUsageText() {
    return kUsage;
}
const char* MarkOffsetHelpText() {
    return kHelp;
}

int RunMarkOffset(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    MarkOffsets offsets;
    std::string port_device;
    std::string output_path;
    bool help = false;
    std::string error;
    if (!Parse(argc, argv, offsets, port_device, output_path, help, error) ||
        (!help && !CheckAndFormat(offsets, error))) {
        err << "tarnik-cli: " << error << "\n" << kUsage;
        return kExitUsage;
    }
    if (help) {
        out << kUsage << "\n" << kHelp;
        return kExitOk;
    }
    const bool sending = !port_device.empty();
    const std::string commands = markoffset::MarkOffsetCommands(offsets, sending);
    markoffset::ModifyOutcome outcome;
    if (sending) {
        const std::unique_ptr<JobPort> port = MakeSerialDevicePort(port_device);
        // The port made for a named device opens that device for any number.
        outcome = markoffset::SendMarkOffset(*port, 1, commands, [](uint32_t ms) {
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        });
    } else {
        outcome = markoffset::SaveMarkOffset(output_path, commands);
    }
    err << "tarnik-cli: " << markoffset::OutcomeMessage(outcome) << "\n";
    return markoffset::OutcomeClosesDialog(outcome) ? kExitOk : kExitRefused;
}

}  // namespace tarnik::cli
