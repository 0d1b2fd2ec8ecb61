// Windows serial devices: a name such as COM3, opened as "\\.\COM3".
#include "cli/serial_send.h"
#include "sender/transport/win32/win32_job_port.h"

namespace tarnik::cli {

std::unique_ptr<JobPort> MakeSerialDevicePort(const std::string& device) {
    // "COM10" and above open only through the device namespace.
    const bool namespaced = device.rfind("\\\\", 0) == 0;
    return std::make_unique<Win32JobPort>(namespaced ? device : "\\\\.\\" + device);
}

}  // namespace tarnik::cli
