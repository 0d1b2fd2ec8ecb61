// Console implementations of the job pipeline's seams.
#include "cli/console_job_seams.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "sender/res/resource.h"

namespace tarnik::cli {

void ConsoleJobView::Say(const char* text) {
    ++messages_;
    err_ << "tarnik-cli: " << text << "\n";
}

void ConsoleJobView::Notify(NoticeText text, NoticeStyle) {
    if (!text.IsStringId()) {
        Say(text.Text());
        return;
    }
    if (text.StringIdValue() == IDS_CUTTING_IN_PROGRESS) {
        Say("正在切割，请稍后再试!");
        return;
    }
    const std::string shown = "message " + std::to_string(text.StringIdValue());
    Say(shown.c_str());
}

// The tooltip is a status, not a message: it does not count as one.
void ConsoleJobView::SetTrayTip(const char* text) {
    err_ << "tarnik-cli: " << text << "\n";
}

JobView::FileSettingsResult ConsoleJobView::RunFileSettings(float width_mm, float height_mm) {
    dialog_shown_ = true;
    width_mm_ = width_mm;
    height_mm_ = height_mm;
    return FileSettingsResult{true, false};
}

// Cut to file is never chosen on the console (--output takes its place), so
// a save dialog is a cancel.
bool ConsoleJobView::RunSaveDialog(const char*, std::string&) {
    return false;
}

void ConsoleJobView::SetSendingLook(bool) {}

// The "port" of a console run is the capture itself.
bool CapturingHandover::OpenSerialJobPort(uint8_t) {
    return true;
}

void CapturingHandover::StartSerialTransfer(JobBuffer job) {
    job_ = std::move(job);
    document_.clear();
    captured_ = true;
}

// The console's "printer" keeps the document for the caller.
bool CapturingHandover::SendToUsbPrinter(uint8_t, const char* data, uint32_t length) {
    job_.Free();
    document_.assign(data, length);
    captured_ = true;
    return true;
}

bool CapturingHandover::SendJobToUsbPrinter(uint8_t, JobBuffer job) {
    StartSerialTransfer(std::move(job));
    return true;
}

void CapturingHandover::PostLineFault(LineFault fault) {
    err_ << "tarnik-cli: line fault " << static_cast<int32_t>(fault) << "\n";
}

uint32_t CapturingHandover::Size() const {
    return job_.Empty() ? static_cast<uint32_t>(document_.size()) : job_.Size();
}

uint32_t CapturingHandover::Read(uint32_t offset, char* destination, uint32_t count) const {
    if (!job_.Empty()) {
        // Only the job bytes, not the spare bytes of a serial buffer.
        if (offset >= job_.Size()) {
            return 0;
        }
        return job_.Read(offset, destination, std::min(count, job_.Size() - offset));
    }
    if (offset >= document_.size()) {
        return 0;
    }
    const auto n = static_cast<uint32_t>(std::min<std::size_t>(count, document_.size() - offset));
    std::memcpy(destination, document_.data() + offset, n);
    return n;
}

}  // namespace tarnik::cli
