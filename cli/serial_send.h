#pragma once
// Sending a captured job to a plotter on a serial device, with a progress
// bar on the terminal and Ctrl-C as the Cancel button.
#include <iosfwd>
#include <memory>
#include <string>

#include "cli/console_job_seams.h"
#include "cli/send_result.h"
#include "sender/transport/job_port.h"

namespace tarnik::cli {

// The job port of the platform for a device named on the command line
// (a path such as /dev/ttyUSB0 on POSIX, a name such as COM3 on Windows).
std::unique_ptr<JobPort> MakeSerialDevicePort(const std::string& device);

// Sends the job through port: status 0 when it was delivered, 1 when the
// port could not be opened or a write failed (the system's message on err),
// 128 + the signal's number when a signal cancelled it (130 for Ctrl-C);
// and the bytes whose blocks the device took.
SendResult SendJobToSerialPort(const CapturingHandover& job, JobPort& port, std::ostream& err);

}  // namespace tarnik::cli
