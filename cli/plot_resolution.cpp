#include "cli/plot_resolution.h"

#include <cerrno>
#include <cstdlib>

namespace tarnik::cli {

bool ParseUnitsPerInch(const std::string& text, int32_t& units_per_inch) {
    if (text.empty() || text[0] < '0' || text[0] > '9') {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end != text.c_str() + text.size() || parsed < 1 ||
        parsed > kMaxUnitsPerInch) {
        return false;
    }
    units_per_inch = static_cast<int32_t>(parsed);
    return true;
}

}  // namespace tarnik::cli
