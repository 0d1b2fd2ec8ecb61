#pragma once
// The seams through which the job pipeline reaches the user and the
// plotter. The main window implements them on Windows, the command-line
// tool on POSIX, and tests record every call.
#include <cstdint>
#include <memory>
#include <string>

#include "sender/pipeline/job_buffer.h"
#include "sender/pipeline/line_fault.h"
#include "sender/pipeline/notice.h"

namespace tarnik {

// What the job driver asks before it takes a job. Its owner keeps the
// answers (the main window's controller: the block sender's state and the
// line flag); the pipeline only reads them.
class SendGate {
  public:
    virtual ~SendGate() = default;
    // No job is being sent.
    virtual bool SenderIdle() const = 0;
    // The serial line may take jobs.
    virtual bool LineUsable() const = 0;
};

// The gate of a caller that runs one job and watches no line (the
// command-line tool): always open.
class OpenSendGate final : public SendGate {
  public:
    bool SenderIdle() const override { return true; }
    bool LineUsable() const override { return true; }
};

// What the user sees of a job: its notices (the pipeline's balloons carry
// the warning icon) and the dialogs.
class JobView : public Notifier {
  public:
    // Notification icon tooltip.
    virtual void SetTrayTip(const char* text) = 0;

    struct FileSettingsResult {
        bool ok = false;           // "切割" (cut) rather than cancel
        bool cut_to_file = false;  // "切割到文件" ticked
    };
    // The file settings dialog with margins 0 and the design's size in mm.
    virtual FileSettingsResult RunFileSettings(float width_mm, float height_mm) = 0;

    // Save dialog (hide read-only, prompt before overwriting, no default
    // name or extension) with a filter like "PLT Files (*.PLT)|*.PLT||";
    // false when the user cancels.
    virtual bool RunSaveDialog(const char* filter, std::string& chosen) = 0;

    // The main window's sending look (Cancel enabled, the rest disabled,
    // status "发送中。。。", progress colours) on, or back to idle.
    virtual void SetSendingLook(bool sending) = 0;
};

// Reads a whole job into one new piece of memory, for a transport that
// sends from one: Ok with `whole` holding Size() bytes, NoMemory, or
// CannotRead when a job kept in its work file can no longer be read back.
LoadResult ReadWholeJob(const JobBuffer& job, std::unique_ptr<char[]>& whole);

// The hand-over of a finished job to a transport.
class JobHandover {
  public:
    virtual ~JobHandover() = default;

    // Opens the serial job port (38400 8N1, CTS flow control) on COM port
    // com_port; false when it cannot be opened.
    virtual bool OpenSerialJobPort(uint8_t com_port) = 0;
    // Starts the block-wise serial transfer of job on the port just opened
    // (timer 1, then the first block). The transport owns the buffer from
    // here on and frees it when the job finishes.
    virtual void StartSerialTransfer(JobBuffer job) = 0;
    // Sends a whole job as one document to USB printer port usb_port;
    // returns success. The caller keeps and frees the buffer.
    virtual bool SendToUsbPrinter(uint8_t usb_port, const char* data, uint32_t length) = 0;
    // The same for a job buffer, which may hold a large job in its work file
    // rather than in memory; the transport takes the buffer and frees it
    // before returning. A transport that writes the document in pieces
    // reads them with JobBuffer::Read. This default hands an in-memory job
    // to SendToUsbPrinter as it is and gathers a streamed one into memory
    // first (false when that memory cannot be had or the file cannot be
    // read; a hand-over that can reach the user overrides it to say which,
    // with ReadWholeJob).
    virtual bool SendJobToUsbPrinter(uint8_t usb_port, JobBuffer job);
    // Sends WM_LINE_FAULT with a fault code to the main window.
    virtual void PostLineFault(LineFault fault) = 0;
    // Before an HPGL job: purges the line monitor's port (when it is open)
    // and clears its comm event mask, so that its watch does not report the
    // job's own line traffic. Returns false when clearing the mask failed
    // ("setcommMask error!"; the job goes on). Transports without a line
    // monitor keep this default.
    virtual bool QuietLineMonitor() { return true; }
};

}  // namespace tarnik
