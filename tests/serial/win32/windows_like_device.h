#pragma once
// A device whose BuildCommDCB behaves as Windows documents it: it applies
// the definition and turns XON/XOFF and hardware flow control off, whatever
// the block held before (Wine's keeps them). The state SetCommState receives
// is recorded. Installed for every opener while an instance lives.
#include <windows.h>

#include <cstdio>

#include "serial/win32/device_control.h"

namespace tarnik::testing {

class WindowsLikeDevice {
  public:
    WindowsLikeDevice() { SetDeviceControlForTest(&kCalls); }
    ~WindowsLikeDevice() { SetDeviceControlForTest(nullptr); }
    WindowsLikeDevice(const WindowsLikeDevice&) = delete;
    WindowsLikeDevice& operator=(const WindowsLikeDevice&) = delete;

    static inline DCB set_state = {};
    static inline int set_calls = 0;

  private:
    static BOOL WINAPI Get(HANDLE, LPDCB dcb) {
        *dcb = {};
        dcb->DCBlength = sizeof *dcb;
        dcb->fBinary = TRUE;
        return TRUE;
    }
    static BOOL WINAPI Build(LPCSTR definition, LPDCB dcb) {
        long baud = 0;
        char parity = 0;
        int data = 0;
        int stop = 0;
        if (std::sscanf(definition, "baud=%ld parity=%c data=%d stop=%d", &baud, &parity, &data,
                        &stop) != 4) {
            return FALSE;
        }
        dcb->BaudRate = static_cast<DWORD>(baud);
        dcb->Parity = parity == 'N' ? NOPARITY : ODDPARITY;
        dcb->ByteSize = static_cast<BYTE>(data);
        dcb->StopBits = stop == 1 ? ONESTOPBIT : TWOSTOPBITS;
        dcb->fOutX = FALSE;
        dcb->fInX = FALSE;
        dcb->fOutxCtsFlow = FALSE;
        dcb->fOutxDsrFlow = FALSE;
        dcb->fDtrControl = DTR_CONTROL_ENABLE;
        dcb->fRtsControl = RTS_CONTROL_ENABLE;
        return TRUE;
    }
    static BOOL WINAPI Set(HANDLE, LPDCB dcb) {
        set_state = *dcb;
        ++set_calls;
        return TRUE;
    }
    static constexpr DeviceControlCalls kCalls = {Get, Build, Set};
};

}  // namespace tarnik::testing
