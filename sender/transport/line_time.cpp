#include "sender/transport/line_time.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tarnik {

std::string FormatLineTime(double seconds) {
    // A year of line time is far beyond any job the sender takes.
    const double bounded = std::isfinite(seconds) ? std::clamp(seconds, 0.0, 3.2e7) : 0.0;
    const auto total = static_cast<long long>(std::ceil(bounded));
    char text[32];
    if (total >= 3600) {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", total / 3600, total / 60 % 60,
                      total % 60);
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld", total / 60, total % 60);
    }
    return text;
}

std::string FillTimeTemplate(const std::string& template_text, const std::string& value) {
    const std::size_t at = template_text.find("%s");
    if (at == std::string::npos)
        return template_text;
    return template_text.substr(0, at) + value + template_text.substr(at + 2);
}

std::string TipWithTimeLeft(const std::string& done_tip, const std::string& left_template,
                            uint64_t bytes_left) {
    if (bytes_left == 0)
        return done_tip;
    return done_tip + FillTimeTemplate(left_template, FormatLineTime(LineSeconds(bytes_left)));
}

}  // namespace tarnik
