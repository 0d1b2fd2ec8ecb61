#pragma once
// Runs one serial job to its end without a window: the loop the
// command-line tool uses in place of the main window's timers. It polls
// the block in flight every 10 ms (no 100 ms timer: nothing else shares
// the thread) and reports progress after every completed block.
#include <atomic>
#include <cstdint>
#include <string>

#include "sender/transport/job_port.h"

namespace tarnik {

// Exit statuses of a serial job, as the command-line tool returns them.
inline constexpr int kSerialJobDone = 0;
inline constexpr int kSerialJobFailed = 1;
inline constexpr int kSerialJobCancelled = 130;  // 128 + SIGINT, as a shell reports Ctrl-C

class ProgressSink {
  public:
    virtual ~ProgressSink() = default;
    // After each completed block: percent done (0 to 100, not rounded),
    // bytes whose blocks completed, and the job's size.
    virtual void OnProgress(double percent, uint32_t bytes_sent, uint32_t job_size) = 0;
    // What the window would show in a message box, and the system's text
    // of a failed open or write.
    virtual void OnMessage(const std::string& text) = 0;
};

// Opens `port` as COM `com_port` (a port made for a named device opens it
// for any nonzero number), sends `size` bytes of `bytes` (copied) through
// the block sender, and closes the port. `cancel` set from elsewhere (a
// SIGINT handler) acts as the Cancel button: the write in flight is
// aborted, both queues purged and the port closed.
// Returns kSerialJobDone when every byte (up to a NUL that opens a block)
// was written and drained, kSerialJobCancelled after a cancel, and
// kSerialJobFailed when the port did not open, a write failed or a block
// came out short.
int RunSerialJob(JobPort& port, const uint8_t* bytes, uint32_t size, ProgressSink& sink,
                 const std::atomic<bool>& cancel, uint8_t com_port = 1);

}  // namespace tarnik
