// Jobs through a real CUPS server. cups_queue_test.sh starts a private
// cupsd, makes a queue whose device is a capture file, and names both in
// TARNIK_CUPS_QUEUE and TARNIK_CUPS_CAPTURE (the server comes from
// CUPS_SERVER); without them these cases skip.
#include <cups/cups.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "sender/transport/fake_printer_spooler.h"
#include "sender/transport/posix/usb_device_writer.h"
#include "support/test_files.h"

namespace tarnik {
namespace {

using testing::FileExists;
using testing::ReadWholeFile;
using testing::WriteWholeFile;
using testing::usb_send::ByteRamp;
using testing::usb_send::ChunkedSource;

class NullProgress : public ProgressSink {
  public:
    void OnProgress(double, uint32_t bytes_sent, uint32_t) override { last_bytes = bytes_sent; }
    void OnMessage(const std::string&) override {}
    uint32_t last_bytes = 0;
};

// The newest job of the queue, completed or not.
struct LastJob {
    int id = 0;
    std::string title;
    std::string format;
    ipp_jstate_t state = IPP_JSTATE_PENDING;
};

LastJob NewestJob(const char* queue) {
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue, 0, CUPS_WHICHJOBS_ALL);
    LastJob last;
    for (int i = 0; i < count; ++i) {
        if (jobs[i].id > last.id) {
            last = {jobs[i].id, jobs[i].title ? jobs[i].title : "",
                    jobs[i].format ? jobs[i].format : "", jobs[i].state};
        }
    }
    cupsFreeJobs(count, jobs);
    return last;
}

// Waits until the newest job has left the queue (printed, cancelled or
// aborted), at most 10 s.
LastJob WaitForNewestJob(const char* queue) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    LastJob job = NewestJob(queue);
    while (job.state < IPP_JSTATE_CANCELED && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        job = NewestJob(queue);
    }
    return job;
}

class CupsQueue : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* queue = std::getenv("TARNIK_CUPS_QUEUE");
        const char* capture = std::getenv("TARNIK_CUPS_CAPTURE");
        if (queue == nullptr || capture == nullptr) {
            GTEST_SKIP() << "needs the CUPS server of cups_queue_test.sh";
        }
        queue_ = queue;
        capture_ = capture;
        WriteWholeFile(capture_, "");
    }

    // Sends through the command-line tool's target and checks the job that
    // the server printed.
    void SendAndExpect(JobSource& source, const std::string& bytes) {
        NullProgress progress;
        std::atomic<bool> cancel{false};
        std::string error;
        EXPECT_EQ(SendJobToUsbTarget("cups:" + queue_, source, progress, cancel, error),
                  kUsbJobDone)
            << error;
        EXPECT_EQ(progress.last_bytes, bytes.size());
        const LastJob job = WaitForNewestJob(queue_.c_str());
        EXPECT_EQ(job.state, IPP_JSTATE_COMPLETED);
        EXPECT_EQ(job.title, "TarnikDoc");
        EXPECT_EQ(job.format, CUPS_FORMAT_RAW);
        EXPECT_EQ(ReadWholeFile(capture_), bytes);
    }

    std::string queue_;
    std::string capture_;
};

TEST_F(CupsQueue, JobArrivesExactly) {
    const std::string job = ByteRamp(70000);
    MemoryJobSource source(job.data(), static_cast<uint32_t>(job.size()));
    SendAndExpect(source, job);
}

TEST_F(CupsQueue, ChunkedJobIsOneDocument) {
    // The capture holds one job's output: chunks sent as separate jobs
    // would leave only the last of them.
    const std::string job = ByteRamp(200001);
    ChunkedSource source(job);
    SendAndExpect(source, job);
    EXPECT_EQ(source.reads, 4);
}

TEST_F(CupsQueue, MissingQueue) {
    const std::string job = "IN;";
    MemoryJobSource source(job.data(), 3);
    std::string error;
    EXPECT_EQ(SendJobToCupsQueue("TarnikNoSuchQueue", source, error), kUsbJobFailed);
    EXPECT_EQ(error, "CUPS queue \"TarnikNoSuchQueue\" does not exist");
    EXPECT_EQ(SendJobToCupsQueue("", source, error), kUsbJobFailed);
    EXPECT_EQ(error, "no CUPS queue named");
}

TEST_F(CupsQueue, CancelledJobIsCancelledOnTheServer) {
    WriteWholeFile(capture_, "untouched");
    const std::string job = ByteRamp(100000);
    MemoryJobSource source(job.data(), static_cast<uint32_t>(job.size()));
    std::atomic<bool> cancel{true};
    std::string error;
    EXPECT_EQ(SendJobToCupsQueue(queue_.c_str(), source, error, nullptr, &cancel),
              kUsbJobCancelled);
    EXPECT_EQ(WaitForNewestJob(queue_.c_str()).state, IPP_JSTATE_CANCELED);
    EXPECT_EQ(ReadWholeFile(capture_), "untouched");
}

TEST_F(CupsQueue, SourceFailingMidwaySendsNothing) {
    WriteWholeFile(capture_, "untouched");
    ChunkedSource source(ByteRamp(200000));
    source.readable = 100000;
    std::string error;
    EXPECT_EQ(SendJobToCupsQueue(queue_.c_str(), source, error), kUsbJobFailed);
    EXPECT_NE(error.find("could not be read"), std::string::npos) << error;
    EXPECT_EQ(WaitForNewestJob(queue_.c_str()).state, IPP_JSTATE_CANCELED);
    EXPECT_EQ(ReadWholeFile(capture_), "untouched");
}

}  // namespace
}  // namespace tarnik
