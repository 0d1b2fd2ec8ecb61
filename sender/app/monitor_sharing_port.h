#pragma once
// The job port as the main window hands it to the block sender: before a
// job opens its COM port, the line monitor lets go of that port, and after
// the job has closed it the monitor takes it back. Both open the port
// without sharing, so a monitor that kept its port after a restart would
// otherwise make every later job fail with "Faild to InitComPort() !".
// The monitor's port is closed and reopened rather than handed to the job:
// the job needs 38400 baud, no time-outs and no comm-event mask, and the
// monitor's watch must not take the job's line traffic for a fault.
#include "sender/app/line_fault_handler.h"
#include "sender/transport/job_port.h"

namespace tarnik {

class MonitorSharingJobPort : public JobPort {
  public:
    MonitorSharingJobPort(JobPort& job_port, LineMonitor& monitor)
        : job_port_(job_port), monitor_(monitor) {}
    MonitorSharingJobPort(const MonitorSharingJobPort&) = delete;
    MonitorSharingJobPort& operator=(const MonitorSharingJobPort&) = delete;

    bool Open(uint8_t port) override;
    bool IsOpen() const override { return job_port_.IsOpen(); }
    bool WriteBlock(const uint8_t* data, uint32_t count) override {
        return job_port_.WriteBlock(data, count);
    }
    BlockPoll PollBlock() override { return job_port_.PollBlock(); }
    void PurgeReceive() override { job_port_.PurgeReceive(); }
    void PurgeAll() override { job_port_.PurgeAll(); }
    DrainState StartDrain() override { return job_port_.StartDrain(); }
    DrainState PollDrain() override { return job_port_.PollDrain(); }
    bool Close() override;
    std::string FailureText() const override { return job_port_.FailureText(); }

  private:
    void GiveBack();

    JobPort& job_port_;
    LineMonitor& monitor_;
    bool yielded_ = false;  // the monitor let go of the job's port
};

}  // namespace tarnik
