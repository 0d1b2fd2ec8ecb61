#pragma once
// The plot file's resolution for "cut" (--units-per-inch): the system reads
// plot files at 800 units per inch, as the drawing program's export writes
// them; other programs write other resolutions (1016 is common), which are
// turned into 800 as the file is read.
#include <cstdint>
#include <string>

namespace tarnik::cli {

// The resolutions taken: a whole number from 1 to 100000.
inline constexpr int32_t kMaxUnitsPerInch = 100000;

// Reads a resolution; false for anything but a whole number in range.
bool ParseUnitsPerInch(const std::string& text, int32_t& units_per_inch);

}  // namespace tarnik::cli
