#include "sender/transport/port_error_report.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace tarnik {

std::string FormatPortErrorReport(const char* step, const char* system_text, int port) {
    char head[kPortErrorReportLimit + 1] = {};
    std::snprintf(head, sizeof head, "WARNING:  %s Failed with the following error: \n",
                  step != nullptr ? step : "");
    char tail[32] = {};
    std::snprintf(tail, sizeof tail, "\nPort: %d\n", port);

    std::string report = head;
    const std::size_t tail_length = std::strlen(tail);
    if (report.size() + tail_length > kPortErrorReportLimit) {
        // Only a step name far longer than any real one gets here.
        return report.substr(0, kPortErrorReportLimit);
    }
    const std::size_t room = kPortErrorReportLimit - report.size() - tail_length;
    const char* text = system_text != nullptr ? system_text : "";
    report.append(text, std::min(room, std::strlen(text)));
    report += tail;
    return report;
}

}  // namespace tarnik
