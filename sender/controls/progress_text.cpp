#include "sender/controls/progress_text.h"

namespace tarnik {

bool ProgressPaintable(const ProgressRange& range) {
    return range.lower < range.upper;
}

double ProgressFraction(const ProgressRange& range) {
    return static_cast<double>(range.position - range.lower) /
           static_cast<double>(range.upper - range.lower);
}

int ProgressBarWidth(int client_width, double fraction) {
    return static_cast<int>(static_cast<double>(client_width) * fraction);
}

std::string ProgressText(const std::string& stored, double fraction) {
    if (!stored.empty()) {
        return stored;
    }
    return std::to_string(static_cast<int>(fraction * 100.0)) + "%";
}

}  // namespace tarnik
