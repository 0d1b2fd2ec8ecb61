#pragma once
// Sending a captured job to a plotter on a USB printer port.
#include <iosfwd>
#include <string>

#include "cli/console_job_seams.h"
#include "cli/send_result.h"
#include "sender/transport/job_source.h"

namespace tarnik::cli {

// The captured job as the USB transports read it: in pieces from wherever
// the job buffer holds it.
class CapturedJobSource final : public JobSource {
  public:
    explicit CapturedJobSource(const CapturingHandover& job) : job_(job) {}
    uint32_t Size() const override { return job_.Size(); }
    uint32_t Read(uint32_t offset, char* dst, uint32_t count) override {
        return job_.Read(offset, dst, count);
    }

  private:
    const CapturingHandover& job_;
};

// Sends the job to target (see --usb in the help text): status 0 when it
// was delivered, 1 when it failed (the reason on err), 128 + the signal's
// number when a signal cancelled it (130 for Ctrl-C); and the bytes the
// target took.
SendResult SendJobToUsb(const CapturingHandover& job, const std::string& target, std::ostream& err);

}  // namespace tarnik::cli
