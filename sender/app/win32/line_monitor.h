#pragma once
// The line monitor (CSerialPort) as the line fault handler drives it: the
// monitor's port at 'N', 8, 1 with the main window as the owner its watch
// reports to.
#include <windows.h>

#include "sender/app/line_fault_handler.h"
#include "sender/transport/win32/serial_port.h"

namespace tarnik {

class Win32LineMonitor : public LineMonitor {
  public:
    void SetOwner(HWND owner) { owner_ = owner; }

    int PortNumber() const override { return port_number_; }
    bool Open(int port, int32_t baud, uint32_t event_mask) override;
    bool StartWatch() override { return monitor_.StartWatch(); }
    bool ReadModemStatus(uint32_t& status) override;
    bool YieldPort(int port) override;
    void ReclaimPort() override;

  private:
    CSerialPort monitor_;
    HWND owner_ = nullptr;
    int port_number_ = 0;  // the port the monitor tried last, as CSerialPort keeps it
    int32_t baud_ = 0;     // and the rest of its last open, for ReclaimPort
    uint32_t event_mask_ = 0;
};

}  // namespace tarnik
