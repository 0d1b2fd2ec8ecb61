#pragma once
// A view and a transport hand-over that record every call as one line of
// text, and keep exactly the bytes an encoder handed over.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "sender/pipeline/job_seams.h"
#include "tests/support/notice_words.h"

namespace tarnik::testing {

class RecordingJobView : public JobView {
  public:
    // Answers of the dialogs.
    FileSettingsResult file_settings{true, false};
    bool save_confirmed = true;
    std::string save_name;

    std::vector<std::string> calls;
    float width_mm = -1.0f;
    float height_mm = -1.0f;

    // "balloon:TEXT" or "balloon#ID" for the pipeline's warning balloons,
    // "message:TEXT" for boxes; an information balloon is logged as such.
    void Notify(NoticeText text, NoticeStyle style) override {
        std::string call = style == NoticeStyle::kMessageBox       ? "message"
                           : style == NoticeStyle::kWarningBalloon ? "balloon"
                                                                   : "info-balloon";
        call += text.IsStringId() ? "#" : ":";
        calls.push_back(call + NoticeWords(text));
    }
    void SetTrayTip(const char* text) override { calls.push_back(std::string("tip:") + text); }
    FileSettingsResult RunFileSettings(float width, float height) override {
        width_mm = width;
        height_mm = height;
        calls.push_back("file-settings");
        return file_settings;
    }
    bool RunSaveDialog(const char* filter, std::string& chosen) override {
        calls.push_back(std::string("save-dialog:") + filter);
        if (save_confirmed) {
            chosen = save_name;
        }
        return save_confirmed;
    }
    void SetSendingLook(bool sending) override {
        calls.push_back(sending ? "look:sending" : "look:idle");
    }
};

// A job's bytes (its job size, not the spare bytes behind it), read as a
// transport reads them; a job that cannot be read whole gives what was read
// and "<short read>".
inline std::string JobBytes(const JobBuffer& job) {
    std::string bytes(job.Size(), '\0');
    uint32_t done = 0;
    while (done < job.Size()) {
        const uint32_t got = job.Read(done, bytes.data() + done, job.Size() - done);
        if (got == 0) {
            bytes.resize(done);
            return bytes + "<short read>";
        }
        done += got;
    }
    return bytes;
}

// The send state as a test sets it.
class FakeSendGate : public SendGate {
  public:
    bool sender_idle = true;
    bool line_usable = true;
    bool SenderIdle() const override { return sender_idle; }
    bool LineUsable() const override { return line_usable; }
};

class RecordingHandover : public JobHandover {
  public:
    bool port_opens = true;
    bool usb_succeeds = true;
    bool monitor_quiets = true;

    std::vector<std::string> calls;
    // The job as handed over: the serial buffer (with its capacity) or the
    // USB document.
    JobBuffer serial_job;
    std::string usb_job;

    bool OpenSerialJobPort(uint8_t com_port) override {
        calls.push_back("open-port:" + std::to_string(com_port));
        return port_opens;
    }
    void StartSerialTransfer(JobBuffer job) override {
        calls.push_back("start-transfer");
        serial_job = std::move(job);
    }
    // Job buffers reach it through the seam's default SendJobToUsbPrinter.
    bool SendToUsbPrinter(uint8_t usb_port, const char* data, uint32_t length) override {
        calls.push_back("usb:" + std::to_string(usb_port));
        usb_job.assign(data, length);
        return usb_succeeds;
    }
    void PostLineFault(LineFault fault) override {
        calls.push_back("line-fault:" + std::to_string(static_cast<int32_t>(fault)));
    }
    bool QuietLineMonitor() override {
        calls.push_back("quiet-monitor");
        return monitor_quiets;
    }

    // The serial job's bytes (its job size, not the spare bytes behind it).
    std::string SerialBytes() const { return JobBytes(serial_job); }
};

}  // namespace tarnik::testing
