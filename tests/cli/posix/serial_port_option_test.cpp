// tarnik-cli --port for real: the job goes down a pseudo-terminal to a
// reading plotter, byte for byte what --output writes; Ctrl-C cancels with
// status 130; a device that is not there fails with status 1.
#include <gtest/gtest.h>

#include <csignal>
#include <thread>

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

// A design whose job is far larger than a pseudo-terminal's buffer, so a
// plotter that does not read holds the job back.
std::string LongZigzagPlot() {
    std::string plot = "IN;SP1;PU0,0;";
    for (int i = 1; i <= 30000; ++i) {
        plot += "PD" + std::to_string(i * 10) + "," + std::to_string((i % 2) * 4000) + ";\r\n";
    }
    return plot;
}

// Keeps a stray interrupt from ending the test program whatever the timing.
class IgnoreInterruptsAround {
  public:
    IgnoreInterruptsAround() {
        previous_ = std::signal(SIGINT, [](int) {});
    }
    ~IgnoreInterruptsAround() { std::signal(SIGINT, previous_); }

  private:
    void (*previous_)(int) = SIG_DFL;
};

TEST(CliSerialPort, InterruptCancelsWithStatus130) {
    ScratchFolder folder;
    const std::string plot = folder.File("zigzag.plt");
    WriteWholeFile(plot, LongZigzagPlot());
    PtyPlotter plotter;  // never reads: the line fills and the job waits
    ASSERT_FALSE(plotter.Device().empty());
    IgnoreInterruptsAround guard;
    std::thread interrupt([] {
        std::this_thread::sleep_for(700ms);
        std::raise(SIGINT);
    });
    const CliResult sent = RunTool({"cut", "--port", plotter.Device(), plot});
    interrupt.join();
    EXPECT_EQ(sent.status, 130) << sent.err;
    EXPECT_NE(sent.err.find("cancelled"), std::string::npos) << sent.err;
}

TEST(CliSerialPort, MissingDeviceFailsWithStatus1) {
    ScratchFolder folder;
    const CliResult sent = RunTool({"cut", "--settings", SampleFile("tarnik.ini"), "--port",
                                    folder.File("no-such-tty"), SampleFile("sign.plt")});
    EXPECT_EQ(sent.status, 1);
    EXPECT_NE(sent.err.find("Faild to InitComPort() !"), std::string::npos) << sent.err;
}

}  // namespace
}  // namespace tarnik::testing
