// tarnik-cli --port for real: the job goes down a pseudo-terminal to a
// reading plotter, byte for byte what --output writes; a device that is not
// there fails with status 1. (Ctrl-C and the other signals mid-send:
// cli_signal_test.cpp, with the real tool.)
#include <gtest/gtest.h>

#include "../cli_test_helpers.h"
#include "support/posix/pty_plotter.h"
#include "support/test_files.h"

namespace tarnik::testing {
namespace {

using namespace std::chrono_literals;

TEST(CliSerialPort, SampleJobArrivesAsWrittenToAFile) {
    ScratchFolder folder;
    const std::string job = folder.File("sign.job");
    const CliResult written = RunTool(
        {"cut", "--settings", SampleFile("tarnik.ini"), "--output", job, SampleFile("sign.plt")});
    ASSERT_EQ(written.status, 0) << written.err;
    const std::string expected = ReadWholeFile(job);

    PtyPlotter plotter;
    ASSERT_FALSE(plotter.Device().empty());
    plotter.Run(0ms);
    const CliResult sent = RunTool({"cut", "--settings", SampleFile("tarnik.ini"), "--port",
                                    plotter.Device(), SampleFile("sign.plt")});
    plotter.WaitFor(expected.size(), 10s);
    plotter.Stop();
    EXPECT_EQ(sent.status, 0) << sent.err;
    EXPECT_NE(sent.err.find("100%"), std::string::npos) << sent.err;
    const std::vector<uint8_t>& received = plotter.Received();
    EXPECT_EQ(std::string(received.begin(), received.end()), expected);
}

TEST(CliSerialPort, MissingDeviceFailsWithStatus1) {
    ScratchFolder folder;
    const CliResult sent = RunTool({"cut", "--settings", SampleFile("tarnik.ini"), "--port",
                                    folder.File("no-such-tty"), SampleFile("sign.plt")});
    EXPECT_EQ(sent.status, 1);
    EXPECT_NE(sent.err.find("Faild to InitComPort() !"), std::string::npos) << sent.err;
    // The summary comes after the send and does not claim the job went there.
    EXPECT_NE(sent.out.find("send to " + folder.File("no-such-tty") + " failed"), std::string::npos)
        << sent.out;
    EXPECT_NE(sent.err.find("the job did not reach " + folder.File("no-such-tty")),
              std::string::npos)
        << sent.err;
}

}  // namespace
}  // namespace tarnik::testing
