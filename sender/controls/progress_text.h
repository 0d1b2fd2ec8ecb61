#pragma once
// The arithmetic of the text progress bar, kept apart from its painting:
// the share of the range reached, the bar's width in pixels and the
// percentage text drawn over it.
#include <string>

namespace tarnik {

struct ProgressRange {
    int lower = 0;
    int upper = 100;
    int position = 0;
};

// A range whose lower bound is not below its upper bound paints nothing.
bool ProgressPaintable(const ProgressRange& range);
// (position - lower) / (upper - lower); only for a paintable range.
double ProgressFraction(const ProgressRange& range);
// Width of the bar within a client area `client_width` pixels wide:
// truncated, so the bar reaches the right edge only at the upper bound.
int ProgressBarWidth(int client_width, double fraction);
// The text over the bar: `stored` when it is not empty, otherwise the
// percentage truncated toward zero with a per-cent sign ("50%"; 0.999
// reads "99%").
std::string ProgressText(const std::string& stored, double fraction);

}  // namespace tarnik
