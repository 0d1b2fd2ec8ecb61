#include "sender/app/win32/line_monitor.h"

namespace tarnik {

bool Win32LineMonitor::Open(int port, int32_t baud, uint32_t event_mask) {
    if (port <= 0 || baud <= 0) {
        return false;
    }
    port_number_ = port;
    baud_ = baud;
    event_mask_ = event_mask;
    return monitor_.OpenPort(owner_, static_cast<UINT>(port), static_cast<UINT>(baud), 'N', 8, 1,
                             static_cast<DWORD>(event_mask)) != 0;
}

bool Win32LineMonitor::ReadModemStatus(uint32_t& status) {
    DWORD lines = 0;
    const HANDLE port = monitor_.GetHandle();
    if (port == INVALID_HANDLE_VALUE || !GetCommModemStatus(port, &lines)) {
        status = 0;
        return false;
    }
    status = static_cast<uint32_t>(lines);
    return true;
}

bool Win32LineMonitor::YieldPort(int port) {
    if (port != port_number_ || monitor_.GetHandle() == INVALID_HANDLE_VALUE) {
        return false;
    }
    monitor_.ClosePort();
    return true;
}

void Win32LineMonitor::ReclaimPort() {
    // A port that does not open again (the cable gone) leaves the monitor
    // without one: the next job's own open then tells the user.
    if (monitor_.OpenPort(owner_, static_cast<UINT>(port_number_), static_cast<UINT>(baud_), 'N', 8,
                          1, static_cast<DWORD>(event_mask_)) != 0) {
        monitor_.StartWatch();
    }
}

}  // namespace tarnik
