// A job after a line monitor restart: the monitor and the job open the same
// COM port without sharing, and a second open fails as it does on Windows
// (Wine lets it through, so only these fakes show it).
#include "sender/app/monitor_sharing_port.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "sender/app/line_fault_handler.h"
#include "sender/transport/serial_sender.h"
#include "tests/sender/transport/fake_send_seams.h"

namespace tarnik {
namespace {

namespace fakes = testing::serial_send;

// One COM port that only one opener holds at a time.
struct FakeDevice {
    int number = 3;
    bool held = false;
    std::vector<std::string> events;
    bool Take(int port, const char* who) {
        if (port != number || held) {
            events.push_back(std::string(who) + " refused");
            return false;
        }
        held = true;
        events.push_back(std::string(who) + " opens");
        return true;
    }
    void Give(const char* who) {
        held = false;
        events.push_back(std::string(who) + " closes");
    }
};

class DevicePort : public fakes::FakeJobPort {
  public:
    DevicePort(fakes::EventLog& log, FakeDevice& device) : FakeJobPort(log), device_(device) {}
    bool Open(uint8_t port) override {
        open_succeeds = device_.Take(port, "job");
        return FakeJobPort::Open(port);
    }
    bool Close() override {
        if (IsOpen()) {
            device_.Give("job");
        }
        return FakeJobPort::Close();
    }

  private:
    FakeDevice& device_;
};

class DeviceMonitor : public LineMonitor {
  public:
    explicit DeviceMonitor(FakeDevice& device) : device_(device) {}
    int PortNumber() const override { return port_; }
    bool Open(int port, int32_t, uint32_t) override {
        if (holding_) {
            device_.Give("monitor");
        }
        port_ = port;
        holding_ = device_.Take(port, "monitor");
        return holding_;
    }
    bool StartWatch() override { return holding_; }
    bool ReadModemStatus(uint32_t& status) override {
        status = 0;
        return holding_;
    }
    bool YieldPort(int port) override {
        if (!holding_ || port != port_) {
            return false;
        }
        device_.Give("monitor");
        holding_ = false;
        return true;
    }
    void ReclaimPort() override { holding_ = device_.Take(port_, "monitor"); }

  private:
    FakeDevice& device_;
    int port_ = 0;
    bool holding_ = false;
};

class YesView : public LineFaultView {
  public:
    std::string LoadString(int) override { return {}; }
    void Notify(NoticeText, NoticeStyle) override {}
    bool ShowFaultBox(const std::string&, const char*, FaultBox kind) override {
        return kind == FaultBox::kQuestionTopmost;
    }
    void DismissMacroQuestion() override {}
    void SetStatusText(const std::string&) override {}
    void SetPortText(const std::string&) override {}
    void SetLineStatusText(const std::string&) override {}
    void CancelWork() override {}
};

TEST(JobAfterMonitorRestart, ReachesThePlotterAndTheMonitorWatchesAgain) {
    struct Case {
        const char* label;
        int job_com;
        bool job_sent;
        std::vector<std::string> device_events;
    };
    const Case cases[] = {
        {"job on the monitor's port",
         3,
         true,
         {"monitor opens", "monitor closes", "job opens", "job closes", "monitor opens"}},
        {"job on a missing port: the monitor keeps watching",
         4,
         false,
         {"monitor opens", "job refused"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        FakeDevice device;
        DeviceMonitor monitor(device);
        YesView fault_view;
        LineFaultHandler faults(fault_view, monitor);
        ASSERT_EQ(
            faults.OnLineFault(static_cast<int32_t>(LineFault::kWatchFailed), device.number, 9600),
            LineVerdict::kUsable);

        fakes::EventLog log;
        DevicePort device_port(log, device);
        MonitorSharingJobPort port(device_port, monitor);
        fakes::FakeTimers timers(log);
        fakes::RecordingView view(log);
        SerialSender sender(port, timers, view);
        const bool opened = sender.OpenJobPort(static_cast<uint8_t>(c.job_com));
        EXPECT_EQ(opened, c.job_sent);
        if (opened) {
            auto job = std::make_unique<char[]>(1500);
            std::memset(job.get(), 'x', 1500);
            sender.StartTransfer(std::move(job), 1500, 1500);
            for (int tick = 0; tick < 10 && timers.Running(kBlockPollTimer); ++tick) {
                sender.OnTimer(kBlockPollTimer);
            }
            EXPECT_EQ(device_port.written.size(), 1500u);
        }
        EXPECT_EQ(device.events, c.device_events);
        EXPECT_TRUE(device.held);  // the monitor's, again or still
    }
}

}  // namespace
}  // namespace tarnik
