#pragma once
// The main window's behaviour without the window: it owns the settings, the
// job flags, the job driver and the block sender, turns each message or
// command the window receives into their calls, and answers through the
// view. The Win32 dialog only translates messages; tests drive this class
// with fakes.
#include <cstdint>

#include "sender/app/macro_print.h"
#include "sender/app/settings_store.h"
#include "sender/pipeline/job_context.h"
#include "sender/pipeline/job_driver.h"
#include "sender/pipeline/job_seams.h"
#include "sender/settings/sender_settings.h"
#include "sender/transport/job_port.h"
#include "sender/transport/sender_seams.h"
#include "sender/transport/serial_sender.h"

namespace tarnik {

// Everything the main window shows: the job pipeline's dialogs and
// messages, the block sender's progress and looks, the settings texts.
class MainWindowView : public JobView, public SenderView, public SettingsView {
  public:
    // One notice call serves all three.
    void Notify(NoticeText text, NoticeStyle style) override = 0;

    // Between the strips of a job cut in strips: strip `done` of count is
    // cut, the user lays the media for the next one; false (Cancel) leaves
    // the other strips uncut.
    virtual bool AskNextStrip(int32_t done, int32_t count) = 0;
    // Has the window call OnNextStrip once the current message is handled
    // (the block sender reports a send's end before it is idle again).
    virtual void PostNextStrip() = 0;
};

// The USB printer-port transport as the main window reaches it.
class UsbOutput {
  public:
    virtual ~UsbOutput() = default;
    // Sends `length` bytes as one document to USB printer port `usb_port`;
    // true when the spooler took them all.
    virtual bool Send(uint8_t usb_port, const char* data, uint32_t length) = 0;
};

// Colours of the status line (COLORREF values, 0x00BBGGRR): dark blue text,
// on the dialog face grey while idle, on the window's own background while
// a job is sent.
inline constexpr uint32_t kStatusTextColour = 0xC81111;
inline constexpr uint32_t kIdleFaceColour = 0xC8D0D4;
struct ControlColours {
    uint32_t text = 0;
    uint32_t background = 0;
};
ControlColours StatusLineColours(bool idle, uint32_t window_background);
// The contour-cut link's signal lamp: green on black while the line reports
// a status, white on black otherwise.
ControlColours SignalLampColours(bool line_status);

// The owner of the job sender's state: the block sender's send state, the
// line flag (which the line fault handler's verdicts and a settings save
// change through SetLineUsable) and the contour-cut link's "next job ready".
// The job driver reads the first two through SendGate.
class MainWindowController : private JobHandover,
                             private MacroPrintJob,
                             private SendGate,
                             private SendEndListener {
  public:
    // The encoders default to EncodeDmplJob and EncodeHpglJob; tests give
    // their own.
    MainWindowController(MainWindowView& view, JobPort& port, SenderTimers& timers, UsbOutput& usb,
                         JobEncoder dmpl = nullptr, JobEncoder hpgl = nullptr);
    MainWindowController(const MainWindowController&) = delete;
    MainWindowController& operator=(const MainWindowController&) = delete;

    // Initialisation: loads the settings, shows model, port and status, and
    // enters automatic mode with the line usable.
    void Initialise(ProfileFile& profile, SettingsEnvironment& environment);

    // WM_JOB_READY with the two mark parameters; 1 when an encoder took it.
    int OnJobReady(int32_t a, int32_t b);
    // Button 1002 after the open dialog chose `chosen_path`.
    int OnCutFromFile(const char* chosen_path);
    // The next strip of a job cut in strips whose last strip went out over
    // the serial line (PostNextStrip).
    void OnNextStrip();
    // Button 1000 and the tray menu's cancel.
    void OnCancelWork() { sender_.OnCancelWork(); }
    void OnTimer(int timer_id) { sender_.OnTimer(timer_id); }
    // WM_BLOCK_SENT.
    void OnBlockSent(int32_t count) { sender_.OnBlockSent(count); }
    // The mode radios: a change is taken only while idle. The file mode
    // radio always asks for the export watcher to stop (the return value).
    void OnAutoModeRadio();
    bool OnFileModeRadio();
    // WM_MACRO_PRINT: drives the contour-cut macro's print dialog and cuts
    // its print. Always 0.
    int OnMacroPrint(MacroPrintWindows& windows);

    // Nothing in the job sender enables the macro print link; tests use
    // this to run it.
    void SetMacroPrintFlagForTest(uint8_t flag) { macro_print_flag_ = flag; }
    uint8_t NextJobReady() const { return next_job_ready_; }

    bool Idle() const { return sender_.Idle(); }
    bool LineUsable() const override { return line_usable_; }
    // The one writer of the line flag.
    void SetLineUsable(bool usable) { line_usable_ = usable; }
    uint8_t AutoMode() const { return auto_mode_; }
    uint8_t MacroPrintFlag() const { return macro_print_flag_; }
    const SenderSettings& Settings() const { return settings_; }
    SenderSettings& Settings() { return settings_; }
    JobContext& Job() { return job_; }

  private:
    // JobHandover: the transports behind the encoders.
    bool OpenSerialJobPort(uint8_t com_port) override;
    void StartSerialTransfer(JobBuffer job) override;
    bool SendToUsbPrinter(uint8_t usb_port, const char* data, uint32_t length) override;
    bool SendJobToUsbPrinter(uint8_t usb_port, JobBuffer job) override;
    void PostLineFault(LineFault fault) override;
    // MacroPrintJob: the encoder of the selected model.
    bool CutPrintFile(const char* path) override;
    // SendGate: what the job driver asks.
    bool SenderIdle() const override { return sender_.Idle(); }
    // SendEndListener: a send's end makes the contour-cut link ready, and
    // lets a job cut in strips go on.
    void OnSendEnded() override;

    // A job cut in strips is one job per strip: the driver cuts the first,
    // the rest follow here, each after the user laid the media (a job saved
    // to files asks nothing). A serial strip goes on when its send ended
    // whole. From the second strip on no other job is taken until the last.
    bool TurnAwayDuringStrips();
    void BeginStrips();
    JobOutcome RunStrips(JobOutcome outcome);
    void EndStrips();

    MainWindowView& view_;
    JobPort& port_;
    UsbOutput& usb_;
    SenderSettings settings_;
    bool line_usable_ = true;
    uint8_t next_job_ready_ = 1;
    uint8_t auto_mode_ = 1;
    uint8_t macro_print_flag_ = 0;
    bool strips_running_ = false;
    bool strips_waiting_ = false;  // for the serial send of the last strip to end
    bool strip_sent_whole_ = false;
    SerialSender sender_;
    JobContext job_;
    JobEncoder dmpl_;
    JobEncoder hpgl_;
    JobDriver driver_;
};

}  // namespace tarnik
