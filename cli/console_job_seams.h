#pragma once
// The job pipeline's view and hand-over seams for a console: messages and
// balloons go to stderr, the file settings dialog answers OK at once with
// the design's size noted, and whatever the encoder hands to a transport
// (the serial job buffer or a USB document) is captured for the caller.
#include <cstdint>
#include <ostream>
#include <string>

#include "sender/pipeline/job_buffer.h"
#include "sender/pipeline/job_seams.h"

namespace tarnik::cli {

class ConsoleJobView : public JobView {
  public:
    explicit ConsoleJobView(std::ostream& err) : err_(err) {}

    // Balloons and boxes alike become one line on the error stream.
    void Notify(NoticeText text, NoticeStyle style) override;
    void SetTrayTip(const char* text) override;
    FileSettingsResult RunFileSettings(float width_mm, float height_mm) override;
    bool RunSaveDialog(const char* filter, std::string& chosen) override;
    void SetSendingLook(bool sending) override;

    // The size the file settings dialog was shown with (0 when it was not).
    bool DialogShown() const { return dialog_shown_; }
    float WidthMm() const { return width_mm_; }
    float HeightMm() const { return height_mm_; }
    // Number of balloons and message boxes shown.
    int MessagesShown() const { return messages_; }

  private:
    void Say(const char* text);

    std::ostream& err_;
    bool dialog_shown_ = false;
    float width_mm_ = 0.0f;
    float height_mm_ = 0.0f;
    int messages_ = 0;
};

class CapturingHandover : public JobHandover {
  public:
    explicit CapturingHandover(std::ostream& err) : err_(err) {}

    bool OpenSerialJobPort(uint8_t com_port) override;
    void StartSerialTransfer(JobBuffer job) override;
    bool SendToUsbPrinter(uint8_t usb_port, const char* data, uint32_t length) override;
    bool SendJobToUsbPrinter(uint8_t usb_port, JobBuffer job) override;
    void PostLineFault(LineFault fault) override;

    // Whether a job reached a transport, and its bytes: exactly what would
    // go down the line (for a serial job without the spare bytes behind
    // them; the USB document whole). A large job stays in the work file and
    // is read from there in pieces.
    bool Captured() const { return captured_; }
    uint32_t Size() const;
    // Copies up to count bytes from offset on; fewer only at the job's end
    // or when its work file can no longer be read.
    uint32_t Read(uint32_t offset, char* destination, uint32_t count) const;
    // Whether the job is read from its work file (not held in memory): the
    // work file's bytes are then exactly the job.
    bool Streamed() const { return !job_.Empty() && !job_.InMemory(); }
    // Lets go of the job (and of its work file, which Windows will not let
    // be renamed or deleted under any of its names while it is open).
    void Release() {
        job_.Free();
        document_.clear();
    }

  private:
    std::ostream& err_;
    bool captured_ = false;
    JobBuffer job_;
    std::string document_;  // a USB document handed over as plain bytes
};

}  // namespace tarnik::cli
