#include "sender/app/monitor_sharing_port.h"

namespace tarnik {

bool MonitorSharingJobPort::Open(uint8_t port) {
    GiveBack();  // a port left open by an earlier job is closed by this open
    yielded_ = monitor_.YieldPort(port);
    if (job_port_.Open(port)) {
        return true;
    }
    // No job runs: the monitor watches on.
    GiveBack();
    return false;
}

bool MonitorSharingJobPort::Close() {
    const bool closed = job_port_.Close();
    GiveBack();
    return closed;
}

void MonitorSharingJobPort::GiveBack() {
    if (yielded_) {
        yielded_ = false;
        monitor_.ReclaimPort();
    }
}

}  // namespace tarnik
