#include "sender/app/main_window_controller.h"

#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <utility>

#include "sender/pipeline/dmpl_encoder.h"
#include "sender/pipeline/hpgl_encoder.h"
#include "sender/pipeline/job_start.h"
#include "sender/pipeline/work_file.h"
#include "sender/res/resource.h"

namespace tarnik {

ControlColours StatusLineColours(bool idle, uint32_t window_background) {
    return {kStatusTextColour, idle ? kIdleFaceColour : window_background};
}

ControlColours SignalLampColours(bool line_status) {
    return {line_status ? 0x00FF00u : 0xFFFFFFu, 0x000000u};
}

MainWindowController::MainWindowController(MainWindowView& view, JobPort& port,
                                           SenderTimers& timers, UsbOutput& usb, JobEncoder dmpl,
                                           JobEncoder hpgl)
    : view_(view),
      port_(port),
      usb_(usb),
      sender_(port, timers, view, this),
      job_(settings_, view, *this, *this),
      dmpl_(dmpl != nullptr ? dmpl : &EncodeDmplJob),
      hpgl_(hpgl != nullptr ? hpgl : &EncodeHpglJob),
      driver_(job_, dmpl_, hpgl_) {}

void MainWindowController::Initialise(ProfileFile& profile, SettingsEnvironment& environment) {
    LoadSettings(SettingsSeams{profile, view_, environment}, settings_);
    // The DM/PL work file lives in the temporary folder, beside the export
    // file; the HPGL work file in the program's current folder.
    job_.TempFolder = settings_.ColExportPath;
    auto_mode_ = 1;
    macro_print_flag_ = 0;
    SetLineUsable(true);
}

int MainWindowController::OnJobReady(int32_t a, int32_t b) {
    if (TurnAwayDuringStrips()) {
        DeleteIfReadable(job_.ExportFilePath().c_str());
        return 0;
    }
    BeginStrips();
    return JobMessageAnswer(RunStrips(driver_.OnJobReady(a, b)));
}

int MainWindowController::OnCutFromFile(const char* chosen_path) {
    if (TurnAwayDuringStrips())
        return 0;
    BeginStrips();
    return JobMessageAnswer(RunStrips(driver_.OnCutFromFile(chosen_path)));
}

bool MainWindowController::TurnAwayDuringStrips() {
    if (!strips_running_)
        return false;
    view_.Notify(StringId{IDS_CUTTING_IN_PROGRESS}, NoticeStyle::kWarningBalloon);
    return true;
}

void MainWindowController::BeginStrips() {
    strips_waiting_ = false;
    job_.Strip = 0;
    job_.StripCount = 1;
    job_.StripsStopped = false;
    job_.KeptStripPlan = MakeStripPlanKeeper();
}

JobOutcome MainWindowController::RunStrips(JobOutcome outcome) {
    while (outcome == JobOutcome::Encoded && !job_.StripsStopped &&
           job_.Strip + 1 < job_.StripCount) {
        strips_running_ = true;
        if (!job_.CutToFile) {
            if (!sender_.Idle()) {
                strips_waiting_ = true;
                return outcome;
            }
            if (!view_.AskNextStrip(job_.Strip + 1, job_.StripCount))
                break;
        }
        ++job_.Strip;
        // The plan kept from the first strip is cut again: the plot file,
        // which the HPGL road consumes, is not read a second time.
        const std::string plot_path = job_.ExportFilePath();
        outcome = settings_.ModelIndex == 1 ? hpgl_(plot_path.c_str(), job_)
                                            : dmpl_(plot_path.c_str(), job_);
    }
    EndStrips();
    return outcome;
}

void MainWindowController::EndStrips() {
    strips_running_ = false;
    strips_waiting_ = false;
    job_.KeptStripPlan.reset();
    job_.CutToFile = false;
}

void MainWindowController::OnSendEnded() {
    next_job_ready_ = 1;
    if (strips_waiting_) {
        strip_sent_whole_ = sender_.SentWhole();
        view_.PostNextStrip();
    }
}

// A strip stopped or cut short on the line ends the job: the next strip
// would not line up with it.
void MainWindowController::OnNextStrip() {
    if (!strips_waiting_)
        return;
    strips_waiting_ = false;
    if (!strip_sent_whole_ || !sender_.Idle()) {
        EndStrips();
        return;
    }
    RunStrips(JobOutcome::Encoded);
}

void MainWindowController::OnAutoModeRadio() {
    if (Idle()) {
        auto_mode_ = 1;
        macro_print_flag_ = 0;
    }
}

bool MainWindowController::OnFileModeRadio() {
    if (Idle()) {
        auto_mode_ = 0;
        macro_print_flag_ = 0;
    }
    return true;
}

int MainWindowController::OnMacroPrint(MacroPrintWindows& windows) {
    MacroPrintState state;
    state.export_folder = settings_.ColExportPath;
    state.export_filename = settings_.ColExportFilename;
    state.wait_second = settings_.WaitSecond;
    state.sender_idle = Idle();
    state.macro_print_flag = macro_print_flag_ != 0;
    const MacroPrintOutcome outcome = RunMacroPrint(windows, *this, state, next_job_ready_);
    if (outcome == MacroPrintOutcome::kGaveUp) {
        // Nothing will be sent, so no send's end will make the link ready.
        view_.Notify(StringId{IDS_PRINT_FILE_MISSING}, NoticeStyle::kWarningBalloon);
        next_job_ready_ = 1;
    } else if (outcome == MacroPrintOutcome::kCut && Idle()) {
        // The print went to a file or the USB port, or ended with a
        // message: no serial send runs whose end would make the link ready
        // again, so it is ready now.
        next_job_ready_ = 1;
    }
    return 0;
}

bool MainWindowController::CutPrintFile(const char* path) {
    if (settings_.ModelIndex == 0) {
        return JobMessageAnswer(dmpl_(path, job_)) == 1;
    }
    if (settings_.ModelIndex == 1) {
        return JobMessageAnswer(hpgl_(path, job_)) == 1;
    }
    // Taken, as waiting longer would not make it encodable.
    view_.Notify(kNoPlotterModel, NoticeStyle::kMessageBox);
    return true;
}

bool MainWindowController::OpenSerialJobPort(uint8_t com_port) {
    return sender_.OpenJobPort(com_port);
}

// The block sender sends from one piece of memory, so a job that the buffer
// streams from its work file is read in whole here. A read that comes up
// short is a job that can no longer be sent whole: nothing of it goes out.
void MainWindowController::StartSerialTransfer(JobBuffer job) {
    const std::size_t capacity = job.Capacity();
    std::unique_ptr<char[]> bytes(new (std::nothrow) char[capacity > 0 ? capacity : 1]);
    const bool whole =
        bytes != nullptr && job.Read(0, bytes.get(), static_cast<uint32_t>(capacity)) == capacity;
    const uint32_t size = job.Size();
    job.Free();
    if (!whole) {
        view_.Notify(bytes == nullptr ? kJobBufferNoMemory : kDataError, NoticeStyle::kMessageBox);
        port_.Close();
        view_.SetSendingLook(false);
        return;
    }
    // The block sender takes no job while it sends one; such a job is
    // turned away as the job driver turns it away.
    if (!sender_.StartTransfer(std::move(bytes), size, static_cast<uint32_t>(capacity))) {
        view_.Notify(StringId{IDS_CUTTING_IN_PROGRESS}, NoticeStyle::kWarningBalloon);
    }
}

bool MainWindowController::SendToUsbPrinter(uint8_t usb_port, const char* data, uint32_t length) {
    return usb_.Send(usb_port, data, length);
}

// The spooler call sends from one piece of memory, so a job that the
// buffer streams from its work file is read in whole first; when it cannot
// be, the user is told why and nothing is sent.
bool MainWindowController::SendJobToUsbPrinter(uint8_t usb_port, JobBuffer job) {
    if (job.InMemory()) {
        return SendToUsbPrinter(usb_port, job.Data(), job.Size());
    }
    std::unique_ptr<char[]> whole;
    const LoadResult read = ReadWholeJob(job, whole);
    const uint32_t size = job.Size();
    job.Free();
    if (read != LoadResult::Ok) {
        view_.Notify(read == LoadResult::NoMemory ? kJobBufferNoMemory : kWorkFileUnreadable,
                     NoticeStyle::kMessageBox);
        return false;
    }
    return SendToUsbPrinter(usb_port, whole.get(), size);
}

void MainWindowController::PostLineFault(LineFault fault) {
    view_.PostLineFault(fault);
}

}  // namespace tarnik
