#include "cli/serial_send.h"

#include <atomic>
#include <cstdio>
#include <memory>
#include <new>
#include <ostream>

#include "cli/cli_args.h"
#include "cli/interrupt.h"
#include "cli/progress_bar.h"
#include "cli/serial_job_runner.h"

namespace tarnik::cli {

SendResult SendJobToSerialPort(const CapturingHandover& job, JobPort& port, std::ostream& err) {
    // The block sender works on the job in memory, as the job buffer hands
    // it over; a line of 3840 bytes a second makes the size a minor matter.
    const uint32_t size = job.Size();
    // The block sender takes this buffer over: the job is held in memory once.
    std::unique_ptr<char[]> bytes(new (std::nothrow) char[size + std::size_t{1}]());
    if (!bytes) {
        err << "tarnik-cli: not enough memory to hold the job for sending\n";
        return {};
    }
    if (job.Read(0, bytes.get(), size) != size) {
        err << "tarnik-cli: the job cannot be read back from its work file\n";
        return {};
    }
    CancelOnInterrupt interrupt;
    SendResult result;
    {
        TerminalProgressBar bar(err);
        result.status = RunSerialJob(port, std::move(bytes), size, bar, interrupt.Requested());
        result.took = bar.BytesShown();
    }
    if (result.status == kSerialJobCancelled) {
        result.status = interrupt.CancelStatus();
    }
    return result;
}

}  // namespace tarnik::cli
