#pragma once
// Linux ways to a plotter on a USB printer port, for the command-line tool:
// the raw printer device that the kernel's USB printer driver makes
// (/dev/usb/lp0), or a CUPS queue that already drives the plotter as a raw
// printer. Both return the command-line tool's exit statuses.
#include <atomic>
#include <cstdint>
#include <string>

#include "sender/transport/job_source.h"
#include "sender/transport/progress_sink.h"

namespace tarnik {

inline constexpr int kUsbJobDone = 0;
inline constexpr int kUsbJobFailed = 1;
inline constexpr int kUsbJobCancelled = 130;  // 128 + SIGINT, as a shell reports Ctrl-C

// Bytes per write to a printer device: progress is reported after each.
inline constexpr uint32_t kUsbDeviceChunkBytes = 4096;

// Writes the job unchanged to `device` (an existing printer device, or any
// existing writable file; nothing is created). The device is written
// without blocking, so `cancel` set from elsewhere (a SIGINT handler) stops
// the job within about 50 ms even while the plotter takes nothing; the
// bytes already handed to the driver cannot be called back. After the last
// chunk it waits until the driver has taken the chunk in flight.
// Returns kUsbJobDone, kUsbJobCancelled, or kUsbJobFailed with `error` set
// (cannot open, write failed, job source short).
int SendJobToUsbDevice(const char* device, JobSource& job, ProgressSink& progress,
                       const std::atomic<bool>& cancel, std::string& error);

// Submits the job as one raw document (format application/vnd.cups-raw) of
// one CUPS job named "TarnikDoc" to `queue` on the CUPS server that the
// environment selects (CUPS_SERVER, client.conf). A chunked source goes in
// chunks of the same document. `progress` (optional) hears of every chunk
// handed to the server; `cancel` (optional) set from elsewhere drops the
// request and cancels the job on the server.
// Returns kUsbJobDone, kUsbJobCancelled, or kUsbJobFailed with `error` set;
// a queue the server does not know gives "CUPS queue \"NAME\" does not exist".
int SendJobToCupsQueue(const char* queue, JobSource& job, std::string& error,
                       ProgressSink* progress = nullptr, const std::atomic<bool>* cancel = nullptr);

// The command-line tool's `--usb TARGET`: "cups:QUEUE" goes to that CUPS
// queue, anything else is a printer device path.
int SendJobToUsbTarget(const std::string& target, JobSource& job, ProgressSink& progress,
                       const std::atomic<bool>& cancel, std::string& error);

}  // namespace tarnik
