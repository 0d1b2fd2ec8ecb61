#pragma once
// The job port on a Win32 COM port: an overlapped handle from InitComPort,
// one overlapped write in flight at a time, polled with
// GetOverlappedResult without waiting. The drain at a job's end
// (FlushFileBuffers, which waits as long as the plotter holds CTS off) runs
// on a thread of its own, so the window's thread only polls it.
#include <windows.h>

#include <string>

#include "sender/transport/job_port.h"

namespace tarnik {

class Win32JobPort : public JobPort {
  public:
    // `device` names the port to open for any nonzero number (e.g.
    // "\\\\.\\COM9"); empty means COM n is "\\.\COM<n>".
    explicit Win32JobPort(std::string device = {});
    ~Win32JobPort() override;
    Win32JobPort(const Win32JobPort&) = delete;
    Win32JobPort& operator=(const Win32JobPort&) = delete;

    bool Open(uint8_t port) override;
    bool IsOpen() const override;
    bool WriteBlock(const uint8_t* data, uint32_t count) override;
    BlockPoll PollBlock() override;
    void PurgeReceive() override;
    void PurgeAll() override;
    DrainState StartDrain() override;
    DrainState PollDrain() override;
    bool Close() override;
    std::string FailureText() const override;

  private:
    // Lets an aborted or cancelled write finish before its record is reused
    // or the handle closed (bounded: an abort completes at once).
    void SettleWriteInFlight();
    // Breaks a drain in progress off after the transmit queue was purged
    // (bounded), and forgets its thread.
    void EndDrain();

    std::string device_;
    HANDLE port_ = INVALID_HANDLE_VALUE;
    HANDLE write_done_ = nullptr;  // manual-reset event of the write request
    OVERLAPPED request_ = {};
    bool in_flight_ = false;
    HANDLE drain_thread_ = nullptr;  // runs FlushFileBuffers on its own handle
    DWORD last_error_ = 0;
};

}  // namespace tarnik
