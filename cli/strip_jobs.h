#pragma once
// A job cut in strips (--tile) is a job per strip: its output file is
// numbered (StripOutputPath, shared with the job sender's cut to file), and
// a plotter gets one strip after another, the user laying up the media
// between them.
#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

#include "sender/pipeline/cut_to_file.h"

namespace tarnik::cli {

// Tells the user that strip `done` (from 1) of count went out and waits for
// Enter before the next; false when the input ends first (the rest is not
// sent).
bool WaitForNextStrip(int32_t done, int32_t count, std::istream& in, std::ostream& err);

}  // namespace tarnik::cli
