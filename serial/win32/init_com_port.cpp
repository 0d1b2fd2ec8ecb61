// Win32 opener of a job port: an overlapped handle, so that the job sender
// can write a block and poll its completion from a window timer.
#include "serial/init_com_port.h"

#include <windows.h>

#include "serial/com_port_names.h"
#include "serial/win32/device_control.h"

namespace tarnik {
namespace {

// The 38400 8N1 definition with CTS output flow control.
bool ApplyJobLineSettings(HANDLE port) {
    const std::string definition =
        ComDefinition(kJobBaudRate, kJobParity, kJobDataBits, kJobStopBits);
    DCB dcb = {};
    return ApplyLineDefinition(port, definition.c_str(), dcb) == LineSetupStep::kNone;
}

}  // namespace

ComHandle InitComDevice(const char* device) {
    if (device == nullptr || device[0] == '\0') {
        return kInvalidComHandle;
    }
    HANDLE port = CreateFileA(device, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        return kInvalidComHandle;
    }
    if (!ApplyJobLineSettings(port)) {
        // The caller only learns "invalid": release the port so that the
        // next attempt (or another program) can open it.
        CloseHandle(port);
        return kInvalidComHandle;
    }
    PurgeComm(port, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    return reinterpret_cast<ComHandle>(port);
}

ComHandle InitComPort(uint8_t port) {
    if (port == 0) {
        return kInvalidComHandle;
    }
    return InitComDevice(ComDeviceName(port).c_str());
}

bool CloseComPort(ComHandle handle) {
    if (handle == kNoComHandle || handle == kInvalidComHandle) {
        return true;
    }
    return CloseHandle(reinterpret_cast<HANDLE>(handle)) != 0;
}

}  // namespace tarnik
