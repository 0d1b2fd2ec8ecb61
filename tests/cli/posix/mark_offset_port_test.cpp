// tarnik-cli mark-offset --port for real: a plotter on a pseudo-terminal
// gets the two line-check blanks, the lead-in and the commands; a device
// that is not there cannot be used.
#include <gtest/gtest.h>

#include "../cli_test_helpers.h"
#include "markoffset/mark_offset.h"
#include "support/posix/pty_plotter.h"
#include "support/test_files.h"

namespace tarnik::testing {
namespace {

using namespace std::chrono_literals;

TEST(CliMarkOffsetPort, PlotterGetsTheBytesOfTheFileAfterLineCheckAndLeadIn) {
    ScratchFolder folder;
    const std::string file = folder.File("offset.plt");
    ASSERT_EQ(RunTool({"mark-offset", "--upper", "1.2", "--right", "0.5", "--output", file}).status,
              0);
    const std::string expected = "  " + markoffset::LeadIn() + ReadWholeFile(file);

    PtyPlotter plotter;
    ASSERT_FALSE(plotter.Device().empty());
    plotter.Run(0ms);
    const CliResult sent =
        RunTool({"mark-offset", "--upper", "1.2", "--right", "0.5", "--port", plotter.Device()});
    plotter.WaitFor(expected.size(), 5s);
    plotter.Stop();
    EXPECT_EQ(sent.status, 0) << sent.err;
    EXPECT_NE(sent.err.find("Set MARK offset success!"), std::string::npos) << sent.err;
    const std::vector<uint8_t>& received = plotter.Received();
    EXPECT_EQ(std::string(received.begin(), received.end()), expected);
}

TEST(CliMarkOffsetPort, MissingDeviceCannotBeUsed) {
    const CliResult sent = RunTool({"mark-offset", "--port", "/dev/tarnik-no-such-port"});
    EXPECT_EQ(sent.status, 1);
    EXPECT_NE(sent.err.find("Port can't be used,Check please!"), std::string::npos) << sent.err;
}

}  // namespace
}  // namespace tarnik::testing
