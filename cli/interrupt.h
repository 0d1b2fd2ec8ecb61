#pragma once
// Ctrl-C as the Cancel button: while a CancelOnInterrupt lives, an
// interrupt sets the flag instead of killing the tool, so the job in
// flight is stopped, the port purged and closed, and the tool ends with
// status 130.
#include <atomic>

namespace tarnik::cli {

class CancelOnInterrupt {
  public:
    CancelOnInterrupt();
    ~CancelOnInterrupt();
    CancelOnInterrupt(const CancelOnInterrupt&) = delete;
    CancelOnInterrupt& operator=(const CancelOnInterrupt&) = delete;

    const std::atomic<bool>& Requested() const;
};

}  // namespace tarnik::cli
