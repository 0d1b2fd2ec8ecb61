// Writing a job to a raw printer device. A regular file stands in for a
// device that takes everything at once, a FIFO for one that takes bytes only
// as its far end reads them (as the USB printer driver does while the
// plotter is busy or offline).
#include "sender/transport/posix/usb_device_writer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "sender/transport/fake_printer_spooler.h"
#include "support/test_files.h"

namespace tarnik {
namespace {

using testing::FileExists;
using testing::ReadWholeFile;
using testing::ScratchFolder;
using testing::WriteWholeFile;
using testing::usb_send::ByteRamp;
using testing::usb_send::ChunkedSource;

class RecordingProgress : public ProgressSink {
  public:
    void OnProgress(double percent, uint32_t bytes_sent, uint32_t job_size) override {
        percents.push_back(percent);
        last_bytes = bytes_sent;
        size = job_size;
    }
    void OnMessage(const std::string& text) override { messages.push_back(text); }

    std::vector<double> percents;
    uint32_t last_bytes = 0;
    uint32_t size = 0;
    std::vector<std::string> messages;
};

// The far end of a FIFO: reads `limit` bytes in small bites (then closes
// when `close_after` is set, or just stops reading).
class FifoReader {
  public:
    FifoReader(const std::string& path, std::size_t limit, bool close_after)
        : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK)),
          thread_([this, limit, close_after] { Run(limit, close_after); }) {}
    ~FifoReader() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    // What arrived once the reader has its `limit` bytes (or after 5 s).
    std::string Received() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done_ && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
        return received_;
    }

  private:
    void Run(std::size_t limit, bool close_after) {
        char bite[1500];
        while (!stop_ && received_.size() < limit) {
            const ssize_t n = ::read(fd_, bite, std::min(sizeof bite, limit - received_.size()));
            if (n > 0) {
                received_.append(bite, static_cast<std::size_t>(n));
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        if (close_after) {
            ::close(fd_);
            fd_ = -1;
        }
        done_ = true;
    }
    int fd_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> done_{false};
    std::string received_;
    std::thread thread_;
};

std::string MakeFifo(const ScratchFolder& folder) {
    const std::string path = folder.File("lp0");
    EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
    return path;
}

TEST(UsbDevice, JobArrivesExactlyWithProgress) {
    ScratchFolder folder;
    const std::string device = folder.File("lp0");
    WriteWholeFile(device, std::string(20000, 'x'));  // longer than the job
    const std::string job = ByteRamp(10000);
    MemoryJobSource source(job.data(), static_cast<uint32_t>(job.size()));
    RecordingProgress progress;
    std::atomic<bool> cancel{false};
    std::string error;
    EXPECT_EQ(SendJobToUsbDevice(device.c_str(), source, progress, cancel, error), kUsbJobDone);
    EXPECT_EQ(ReadWholeFile(device), job);
    ASSERT_EQ(progress.percents.size(), 3u);  // one report per 4096-byte chunk
    EXPECT_NEAR(progress.percents[0], 40.96, 1e-9);
    EXPECT_EQ(progress.percents[2], 100.0);
    EXPECT_EQ(progress.last_bytes, 10000u);
    EXPECT_TRUE(error.empty());
}

TEST(UsbDevice, DeviceThatTakesBytesSlowly) {
    ScratchFolder folder;
    const std::string device = MakeFifo(folder);
    const std::string job = ByteRamp(300000);  // several times a pipe's buffer
    FifoReader reader(device, job.size(), false);
    ChunkedSource source(job);
    RecordingProgress progress;
    std::atomic<bool> cancel{false};
    std::string error;
    EXPECT_EQ(SendJobToUsbDevice(device.c_str(), source, progress, cancel, error), kUsbJobDone)
        << error;
    EXPECT_EQ(reader.Received(), job);
    EXPECT_EQ(progress.last_bytes, job.size());
}

TEST(UsbDevice, CancelWhileTheDeviceTakesNothing) {
    ScratchFolder folder;
    const std::string device = MakeFifo(folder);
    FifoReader reader(device, 0, false);  // open, never reading
    const std::string job = ByteRamp(1 << 20);
    MemoryJobSource source(job.data(), static_cast<uint32_t>(job.size()));
    RecordingProgress progress;
    std::atomic<bool> cancel{false};
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        cancel = true;
    });
    const auto start = std::chrono::steady_clock::now();
    std::string error;
    EXPECT_EQ(SendJobToUsbDevice(device.c_str(), source, progress, cancel, error),
              kUsbJobCancelled);
    canceller.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_LT(progress.last_bytes, job.size());
}

TEST(UsbDevice, Failures) {
    struct Case {
        const char* label;
        std::string (*make)(const ScratchFolder&);  // the device path
        std::size_t readable;                       // bytes the job source gives
        const char* error_part;
        bool device_stays_missing;
    } cases[] = {
        {"no such device: nothing is created", [](const ScratchFolder& f) { return f.File("lp9"); },
         5000, "cannot open", true},
        {"a folder", [](const ScratchFolder& f) { return f.Path().string(); }, 5000, "cannot open",
         false},
        {"job source fails midway",
         [](const ScratchFolder& f) {
             WriteWholeFile(f.File("lp0"), "");
             return f.File("lp0");
         },
         4096 + 10, "could not be read", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ScratchFolder folder;
        const std::string device = c.make(folder);
        ChunkedSource source(ByteRamp(5000));
        source.readable = c.readable;
        RecordingProgress progress;
        std::atomic<bool> cancel{false};
        std::string error;
        EXPECT_EQ(SendJobToUsbDevice(device.c_str(), source, progress, cancel, error),
                  kUsbJobFailed);
        EXPECT_NE(error.find(c.error_part), std::string::npos) << error;
        if (c.device_stays_missing) {
            EXPECT_FALSE(FileExists(device));
        }
    }
}

TEST(UsbDevice, DeviceGoneMidJobFailsWithoutEndingTheProgram) {
    ScratchFolder folder;
    const std::string device = MakeFifo(folder);
    const std::string job = ByteRamp(1 << 20);
    FifoReader reader(device, 100000, true);  // reads a part, then goes away
    MemoryJobSource source(job.data(), static_cast<uint32_t>(job.size()));
    RecordingProgress progress;
    std::atomic<bool> cancel{false};
    std::string error;
    EXPECT_EQ(SendJobToUsbDevice(device.c_str(), source, progress, cancel, error), kUsbJobFailed);
    EXPECT_NE(error.find("cannot write to"), std::string::npos) << error;
    EXPECT_EQ(reader.Received(), job.substr(0, 100000));
}

}  // namespace
}  // namespace tarnik
