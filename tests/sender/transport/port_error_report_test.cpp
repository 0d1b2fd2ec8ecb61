// The line monitor's error box text and its 200-character bound.
#include "sender/transport/port_error_report.h"

#include <gtest/gtest.h>

namespace tarnik {
namespace {

TEST(PortErrorReport, FillsTheFrameAndStaysWithinTheBound) {
    const std::string long_text(400, 'x');
    struct Case {
        const char* label;
        const char* step;
        const char* system_text;
        int port;
        std::string expected;
    };
    const std::string head = "WARNING:  SetCommMask() Failed with the following error: \n";
    const Case cases[] = {
        {"short system text", "SetCommMask()", "Access is denied.\r\n", 3,
         head + "Access is denied.\r\n\nPort: 3\n"},
        {"no system text", "SetCommMask()", nullptr, 12, head + "\nPort: 12\n"},
        {"long system text is cut, port still shown", "SetCommMask()", long_text.c_str(), 3,
         head + std::string(200 - head.size() - 9, 'x') + "\nPort: 3\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string report = FormatPortErrorReport(c.step, c.system_text, c.port);
        EXPECT_EQ(report, c.expected);
        EXPECT_LE(report.size(), kPortErrorReportLimit);
    }
    const std::string long_step(300, 's');
    EXPECT_EQ(FormatPortErrorReport(long_step.c_str(), "t", 1).size(), kPortErrorReportLimit);
}

}  // namespace
}  // namespace tarnik
