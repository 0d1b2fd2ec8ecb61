#pragma once
// A job cut in strips (--tile) is a job per strip: its output file is
// numbered, and a plotter gets one strip after another, the user laying up
// the media between them.
#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

namespace tarnik::cli {

// FILE with "-N" before its extension: "banner.plt" gives "banner-2.plt",
// "out/banner" gives "out/banner-2" (a dot in a folder name is no
// extension).
std::string StripOutputPath(const std::string& path, int32_t number);

// Tells the user that strip `done` (from 1) of count went out and waits for
// Enter before the next; false when the input ends first (the rest is not
// sent).
bool WaitForNextStrip(int32_t done, int32_t count, std::istream& in, std::ostream& err);

}  // namespace tarnik::cli
