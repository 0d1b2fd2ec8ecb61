// Console implementations of the job pipeline's seams.
#include "cli/console_job_seams.h"

#include <utility>

namespace tarnik::cli {

void ConsoleJobView::Say(const char* text) {
    ++messages_;
    err_ << "tarnik-cli: " << text << "\n";
}

void ConsoleJobView::ShowBalloon(const char* text) {
    Say(text);
}

void ConsoleJobView::ShowBalloonString(int string_id) {
    if (string_id == kStringCuttingInProgress) {
        Say("正在切割，请稍后再试!");
        return;
    }
    const std::string text = "message " + std::to_string(string_id);
    Say(text.c_str());
}

void ConsoleJobView::ShowMessage(const char* text) {
    Say(text);
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
    captured_ = true;
}

// The console's "printer" keeps the document for the caller.
bool CapturingHandover::SendToUsbPrinter(uint8_t, JobBuffer job) {
    job_ = std::move(job);
    captured_ = true;
    return true;
}

void CapturingHandover::PostLineFault(int32_t code) {
    err_ << "tarnik-cli: line fault " << code << "\n";
}

}  // namespace tarnik::cli
