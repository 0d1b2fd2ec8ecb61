// USB on Linux: the kernel's printer device, or a raw CUPS queue.
#include <ostream>

#include "cli/cli_args.h"
#include "cli/interrupt.h"
#include "cli/progress_bar.h"
#include "cli/serial_job_runner.h"
#include "cli/usb_send.h"
#include "sender/transport/posix/usb_device_writer.h"

namespace tarnik::cli {

// The USB writers return the tool's exit statuses as they are.
static_assert(kUsbJobDone == kExitOk && kUsbJobFailed == kExitRefused &&
              kUsbJobCancelled == kSerialJobCancelled);

SendResult SendJobToUsb(const CapturingHandover& job, const std::string& target,
                        std::ostream& err) {
    CapturedJobSource source(job);
    CancelOnInterrupt interrupt;
    std::string error;
    SendResult result;
    {
        TerminalProgressBar bar(err);
        result.status = SendJobToUsbTarget(target, source, bar, interrupt.Requested(), error);
        result.took = bar.BytesShown();
    }
    if (!error.empty())
        err << "tarnik-cli: " << error << "\n";
    if (result.status == kUsbJobCancelled) {
        result.status = interrupt.CancelStatus();
    }
    return result;
}

}  // namespace tarnik::cli
