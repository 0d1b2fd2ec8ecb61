// The POSIX job port for real, on a pseudo-terminal pair: the job side
// opens the terminal end as a serial device, a reader thread plays the
// plotter on the controlling end.
#include "sender/transport/posix/posix_job_port.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "cli/serial_job_runner.h"
#include "support/posix/pty_plotter.h"

namespace tarnik {
namespace {

using cli::kSerialJobCancelled;
using cli::kSerialJobDone;
using cli::kSerialJobFailed;
using cli::RunSerialJob;

using Clock = std::chrono::steady_clock;
using testing::PtyPlotter;

class CountingSink : public ProgressSink {
  public:
    void OnProgress(double percent, uint32_t bytes_sent, uint32_t) override {
        last_percent = percent;
        last_bytes = bytes_sent;
        ++reports;
    }
    void OnMessage(const std::string& text) override { messages.push_back(text); }

    double last_percent = -1;
    uint32_t last_bytes = 0;
    int reports = 0;
    std::vector<std::string> messages;
};

// Every byte value, and never a NUL at the start of a 1000-byte block
// (7 * 1000 * k + 1 is odd modulo 256).
std::vector<uint8_t> AllByteValues(std::size_t size) {
    std::vector<uint8_t> job(size);
    for (std::size_t i = 0; i < size; ++i) {
        job[i] = static_cast<uint8_t>(i * 7 + 1);
    }
    return job;
}

TEST(PosixJobPort, HundredKilobyteJobArrivesIntactAndInOrder) {
    PtyPlotter plotter;
    ASSERT_FALSE(plotter.Device().empty());
    const auto job = AllByteValues(100 * 1024);
    plotter.Run(std::chrono::milliseconds(150));  // writes go pending first

    PosixJobPort port(plotter.Device());
    CountingSink sink;
    std::atomic<bool> cancel{false};
    const int status =
        RunSerialJob(port, job.data(), static_cast<uint32_t>(job.size()), sink, cancel);
    plotter.WaitFor(job.size(), std::chrono::seconds(5));
    plotter.Stop();

    EXPECT_EQ(status, kSerialJobDone);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(sink.last_bytes, job.size());
    EXPECT_DOUBLE_EQ(sink.last_percent, 100.0);
    EXPECT_EQ(sink.reports, 103);  // one per block
    EXPECT_TRUE(sink.messages.empty());
    ASSERT_EQ(plotter.Received().size(), job.size());
    EXPECT_TRUE(plotter.Received() == job);
}

TEST(PosixJobPort, JobEndsWhenThePlotterSideGoesAway) {
    PtyPlotter plotter;
    const auto job = AllByteValues(300 * 1000);
    plotter.Run(std::chrono::milliseconds(0), 20 * 1000);

    PosixJobPort port(plotter.Device());
    CountingSink sink;
    std::atomic<bool> cancel{false};
    const auto started = Clock::now();
    const int status =
        RunSerialJob(port, job.data(), static_cast<uint32_t>(job.size()), sink, cancel);
    plotter.Stop();

    EXPECT_EQ(status, kSerialJobFailed);
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(5));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_LT(sink.last_bytes, job.size());
    ASSERT_FALSE(sink.messages.empty());  // the system's text of the write error
    EXPECT_FALSE(sink.messages.back().empty());
}

TEST(PosixJobPort, CancelWhileThePlotterHoldsBackClosesThePort) {
    PtyPlotter plotter;  // never reads: the queue fills and stays full
    const auto job = AllByteValues(300 * 1000);
    PosixJobPort port(plotter.Device());
    CountingSink sink;
    std::atomic<bool> cancel{false};
    std::thread user([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        cancel = true;
    });
    const int status =
        RunSerialJob(port, job.data(), static_cast<uint32_t>(job.size()), sink, cancel);
    user.join();
    EXPECT_EQ(status, kSerialJobCancelled);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_LT(sink.last_bytes, job.size());
}

TEST(PosixJobPort, PortsThatCannotOpen) {
    struct Case {
        const char* label;
        const char* device;
        uint8_t port;
    };
    const Case cases[] = {
        {"port 0 opens nothing, even with a device", "/dev/null", 0},
        {"missing device", "/nonexistent/tty", 3},
        {"not a terminal", "/dev/null", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        PosixJobPort port(c.device);
        EXPECT_FALSE(port.Open(c.port));
        EXPECT_FALSE(port.IsOpen());
        EXPECT_FALSE(port.FailureText().empty());
        CountingSink sink;
        std::atomic<bool> cancel{false};
        const uint8_t byte = 'x';
        EXPECT_EQ(RunSerialJob(port, &byte, 1, sink, cancel, c.port), kSerialJobFailed);
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0].rfind("Faild to InitComPort() !", 0), 0u);
    }
}

}  // namespace
}  // namespace tarnik
