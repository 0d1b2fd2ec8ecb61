#pragma once
// A plotter on the controlling side of a pseudo-terminal pair, for tests of
// the serial road on POSIX: the job side opens Device() as a serial device.
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace tarnik::testing {

// A plotter on the controlling side of a pty: waits `start_delay` (the
// driver's queue fills and writes go pending), then reads everything until
// it has `stop_after` bytes (then closes its end, like a pulled cable) or
// is told to stop.
class PtyPlotter {
  public:
    PtyPlotter() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0) {
            device_ = ptsname(master_);
        }
    }
    ~PtyPlotter() {
        Stop();
        if (master_ >= 0) {
            close(master_);
        }
    }
    const std::string& Device() const { return device_; }

    void Run(std::chrono::milliseconds start_delay, std::size_t stop_after = SIZE_MAX) {
        reader_ = std::thread([=, this] { Read(start_delay, stop_after); });
    }
    void Stop() {
        stop_ = true;
        if (reader_.joinable()) {
            reader_.join();
        }
    }
    // Everything received, once Stop() returned.
    const std::vector<uint8_t>& Received() const { return received_; }
    // Waits until `count` bytes arrived or the time is up.
    void WaitFor(std::size_t count, std::chrono::seconds limit) {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (received_count_ < count && std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

  private:
    void Read(std::chrono::milliseconds start_delay, std::size_t stop_after) {
        std::this_thread::sleep_for(start_delay);
        uint8_t chunk[4096];
        while (!stop_) {
            pollfd ready = {master_, POLLIN, 0};
            if (poll(&ready, 1, 10) <= 0) {
                continue;
            }
            const ssize_t got = read(master_, chunk, sizeof chunk);
            if (got <= 0) {
                continue;  // EIO while no terminal side is open
            }
            received_.insert(received_.end(), chunk, chunk + got);
            received_count_ = received_.size();
            if (received_.size() >= stop_after) {
                close(master_);
                master_ = -1;
                return;
            }
        }
    }

    int master_ = -1;
    std::string device_;
    std::thread reader_;
    std::atomic<bool> stop_{false};
    std::atomic<std::size_t> received_count_{0};
    std::vector<uint8_t> received_;
};

}  // namespace tarnik::testing
