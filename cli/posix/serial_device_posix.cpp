// POSIX serial devices: a path such as /dev/ttyUSB0 or a pseudo-terminal.
#include "cli/serial_send.h"
#include "sender/transport/posix/posix_job_port.h"

namespace tarnik::cli {

std::unique_ptr<JobPort> MakeSerialDevicePort(const std::string& device) {
    return std::make_unique<PosixJobPort>(device);
}

}  // namespace tarnik::cli
