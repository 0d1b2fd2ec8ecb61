#pragma once
// Runs one serial job to its end without a window: the loop the
// command-line tool uses in place of the main window's timers. It polls
// the block in flight every 10 ms (no 100 ms timer: nothing else shares
// the thread) and reports progress after every completed block.
#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "sender/transport/job_port.h"
#include "sender/transport/progress_sink.h"

namespace tarnik::cli {

// Exit statuses of a serial job, as the command-line tool returns them.
inline constexpr int kSerialJobDone = 0;
inline constexpr int kSerialJobFailed = 1;
inline constexpr int kSerialJobCancelled = 130;  // 128 + SIGINT, as a shell reports Ctrl-C

// Opens `port` as COM `com_port` (a port made for a named device opens it
// for any nonzero number), sends `size` bytes of `job` through the block
// sender, which owns the buffer from then on, and closes the port. `cancel`
// set from elsewhere (a SIGINT handler) acts as the Cancel button: the
// write in flight is aborted, both queues purged and the port closed.
// Returns kSerialJobDone when every byte (up to a NUL that opens a block)
// was written and drained, kSerialJobCancelled after a cancel, and
// kSerialJobFailed when the port did not open, a write failed or a block
// came out short.
int RunSerialJob(JobPort& port, std::unique_ptr<char[]> job, uint32_t size, ProgressSink& sink,
                 const std::atomic<bool>& cancel, uint8_t com_port = 1);

// The same for a job held elsewhere: `size` bytes of `bytes` are copied
// first (kSerialJobFailed without memory for the copy).
inline int RunSerialJob(JobPort& port, const uint8_t* bytes, uint32_t size, ProgressSink& sink,
                        const std::atomic<bool>& cancel, uint8_t com_port = 1) {
    std::unique_ptr<char[]> job(new (std::nothrow) char[size + std::size_t{1}]());
    if (!job) {
        return kSerialJobFailed;
    }
    if (size > 0) {
        std::memcpy(job.get(), bytes, size);
    }
    return RunSerialJob(port, std::move(job), size, sink, cancel, com_port);
}

}  // namespace tarnik::cli
