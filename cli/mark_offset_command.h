#pragma once
// tarnik-cli mark-offset: the mark-offset tool's commands for scripts and
// Linux users, sent to a serial device or written to a file.
#include <ostream>

namespace tarnik::cli {

// The usage line and the help section of mark-offset.
const char* MarkOffsetUsageText();
const char* MarkOffsetHelpText();

// Runs "tarnik-cli mark-offset ..." (argv[1] is "mark-offset"). Returns 0
// when the commands reached the port or the file, 1 when they did not (the
// tool's message on err), 2 for a wrong command line or a refused value.
int RunMarkOffset(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace tarnik::cli
