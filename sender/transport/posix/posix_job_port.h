#pragma once
// The job port on a POSIX serial device (or a pseudo-terminal): a
// non-blocking descriptor. A write the driver cannot take whole at once
// keeps its unwritten rest, and each poll continues it, the way an
// overlapped write goes on in the background on Windows; the block is done
// when its last byte was handed to the driver.
#include <string>

#include "sender/transport/job_port.h"
#include "serial/init_com_port.h"

namespace tarnik {

class PosixJobPort : public JobPort {
  public:
    // `device` names the port to open for any nonzero number (as given by
    // the user); empty means COM n is "/dev/ttyS<n-1>".
    explicit PosixJobPort(std::string device = {});
    ~PosixJobPort() override;
    PosixJobPort(const PosixJobPort&) = delete;
    PosixJobPort& operator=(const PosixJobPort&) = delete;

    bool Open(uint8_t port) override;
    bool IsOpen() const override;
    bool WriteBlock(const uint8_t* data, uint32_t count) override;
    BlockPoll PollBlock() override;
    void PurgeReceive() override;
    void PurgeAll() override;
    DrainState StartDrain() override;
    DrainState PollDrain() override { return DrainState::Done; }
    bool Close() override;
    std::string FailureText() const override;

  private:
    // Hands as much of the rest to the driver as it takes now; false on an
    // error other than "would block".
    bool WriteRest();

    std::string device_;
    std::string opened_device_;  // the device the last Open tried
    ComHandle fd_ = kNoComHandle;
    const uint8_t* rest_ = nullptr;  // unwritten part of the block in flight
    uint32_t rest_length_ = 0;
    uint32_t block_length_ = 0;
    int last_error_ = 0;  // errno of the last failure
};

}  // namespace tarnik
