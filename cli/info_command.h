#pragma once
// "tarnik-cli info PLOTFILE [--settings FILE] [--order drawn|inside|shortest]
// [--panel MM]": what a job would be before it is cut: the design's size,
// its paths (open and closed), the cut length, the knife's pen-up travel as
// drawn and in the chosen order, the job's bytes for the settings' plotter
// model and its time on a 38400-baud line. Nothing is sent.
#include <ostream>

namespace tarnik::cli {

const char* InfoUsageText();

// argv[1] is "info". 0 when the figures were printed, 1 when the design was
// refused (the reason on err), 2 for a wrong command line.
int RunInfo(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace tarnik::cli
