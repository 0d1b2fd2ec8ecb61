#pragma once
// The command line of tarnik-cli.
#include <cstdint>
#include <string>

namespace tarnik::cli {

enum class CliCommand { Help, Cut, Preview, MarkOffset };

struct CliOptions {
    CliCommand command = CliCommand::Help;
    std::string settings_path;  // cut: --settings; empty when not given
    int32_t mark_a = 0;         // cut: --marks A,B (the job message's two parameters)
    int32_t mark_b = 0;
    std::string output_path;  // cut: --output (optional); preview: -o (required)
    std::string input_path;   // cut: the plot file; preview: the job file
    std::string port_device;  // cut: --port, the serial device the job is sent to
    std::string usb_target;   // cut: --usb, a USB printer device, "cups:QUEUE" or a port

    // cut: --units-per-inch, the plot file's resolution
    int32_t units_per_inch = 800;
};

// Exit statuses of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;  // the job or the input was refused
inline constexpr int kExitUsage = 2;    // the command line is wrong

// The usage lines (for usage errors) and the full help text.
const char* CliUsageText();
const char* CliHelpText();

// Parses argv[1..argc-1]. On failure returns false with a short reason in
// error (the caller prints it with the usage lines and exits 2).
bool ParseCliArgs(int argc, const char* const* argv, CliOptions& options, std::string& error);

// Reads "A,B" as two signed 32-bit integers.
bool ParseMarks(const std::string& text, int32_t& a, int32_t& b);

}  // namespace tarnik::cli
