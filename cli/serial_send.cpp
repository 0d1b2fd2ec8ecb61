#include "cli/serial_send.h"

#include <atomic>
#include <cstdio>
#include <memory>
#include <new>
#include <ostream>

#include "cli/cli_args.h"
#include "cli/interrupt.h"
#include "cli/progress_bar.h"
#include "sender/transport/serial_job_runner.h"

namespace tarnik::cli {
namespace {}  // namespace

int SendJobToSerialPort(const CapturingHandover& job, JobPort& port, const std::string& device,
                        std::ostream& err) {
    // The block sender works on the job in memory, as the job buffer hands
    // it over; a line of 3840 bytes a second makes the size a minor matter.
    const uint32_t size = job.Size();
    std::unique_ptr<uint8_t[]> bytes(new (std::nothrow) uint8_t[size == 0 ? 1 : size]);
    if (!bytes) {
        err << "tarnik-cli: not enough memory to hold the job for sending\n";
        return kExitRefused;
    }
    if (job.Read(0, reinterpret_cast<char*>(bytes.get()), size) != size) {
        err << "tarnik-cli: the job cannot be read back from its work file\n";
        return kExitRefused;
    }
    CancelOnInterrupt interrupt;
    int status = kSerialJobFailed;
    {
        TerminalProgressBar bar(err);
        status = RunSerialJob(port, bytes.get(), size, bar, interrupt.Requested());
    }
    if (status == kSerialJobCancelled) {
        err << "tarnik-cli: cancelled; nothing more was sent to " << device << "\n";
        return interrupt.CancelStatus();
    }
    if (status != kSerialJobDone) {
        err << "tarnik-cli: the job did not reach " << device << "\n";
    }
    return status;
}

}  // namespace tarnik::cli
