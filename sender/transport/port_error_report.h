#pragma once
// The text of the line monitor's error box for a failed port set-up step.
#include <cstddef>
#include <string>

namespace tarnik {

// The box shows at most this many characters.
inline constexpr std::size_t kPortErrorReportLimit = 200;

// "WARNING:  <step> Failed with the following error: \n<system text>\nPort: <n>\n",
// at most kPortErrorReportLimit characters: a longer system text is cut so
// that the step and the port number always show. A null text counts as "".
std::string FormatPortErrorReport(const char* step, const char* system_text, int port);

}  // namespace tarnik
