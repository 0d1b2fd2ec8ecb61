#include "sender/app/main_window_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "sender/app/settings_fakes.h"
#include "sender/pipeline/dmpl_encoder.h"
#include "sender/pipeline/hpgl_encoder.h"
#include "sender/pipeline/job_buffer.h"
#include "sender/transport/fake_send_seams.h"
#include "support/test_files.h"
#include "tests/support/notice_words.h"

namespace tarnik {
namespace {

using testing::CallLog;
using testing::FileExists;
using testing::NoticeWords;
using testing::RecordingEnvironment;
using testing::RecordingProfile;
using testing::ScratchFolder;
using testing::WriteWholeFile;
using testing::serial_send::EventLog;
using testing::serial_send::FakeJobPort;
using testing::serial_send::FakeTimers;

// A main window that records what it is asked to show, and answers the
// file settings dialog with "cut".
class RecordingMainView : public MainWindowView {
  public:
    explicit RecordingMainView(EventLog& log) : log_(log) {}

    // "balloon" with the warning icon, "info balloon", "message" for boxes.
    void Notify(NoticeText text, NoticeStyle style) override {
        const char* kind = style == NoticeStyle::kWarningBalloon ? "balloon "
                           : style == NoticeStyle::kInfoBalloon  ? "info balloon "
                                                                 : "message ";
        Log(kind + NoticeWords(text));
    }
    void SetTrayTip(const char*) override {}
    FileSettingsResult RunFileSettings(float width_mm, float height_mm) override {
        Log("file settings " + std::to_string(static_cast<int>(width_mm)) + " x " +
            std::to_string(static_cast<int>(height_mm)));
        // The dialog is modal: messages that come while it is open run now.
        if (while_dialog_open) {
            const std::function<void()> run = std::move(while_dialog_open);
            while_dialog_open = nullptr;
            run();
        }
        return {dialog_ok, cut_to_file};
    }
    bool RunSaveDialog(const char*, std::string& chosen) override {
        chosen = save_name;
        return !save_name.empty();
    }
    bool AskNextStrip(int32_t done, int32_t count) override {
        Log("ask " + std::to_string(done) + " of " + std::to_string(count));
        if (while_asking) {
            while_asking();
        }
        const bool lay = !answers.empty() && answers.front();
        if (!answers.empty()) {
            answers.erase(answers.begin());
        }
        return lay;
    }
    void PostNextStrip() override { next_strip_posted = true; }
    void SetSendingLook(bool sending) override { Log(sending ? "sending" : "idle"); }
    std::string LoadString(int) override { return "%.0f %%"; }
    void SetStatusString(int id) override { Log("status " + std::to_string(id)); }
    void SetTipString(int) override {}
    void SetTipText(const std::string&) override {}
    void SetTrayIcon(int) override {}
    void SetProgressPosition(int position) override { progress = position; }
    void ApplyLook(const SenderLook& look) override {
        Log(look == kSendingLook ? "look sending" : "look idle");
    }
    void PostLineFault(LineFault fault) override {
        Log("line fault " + std::to_string(static_cast<int32_t>(fault)));
    }
    void ShowPortText(const char*) override {}
    void ShowModelText(const char*) override {}

    bool dialog_ok = true;
    bool cut_to_file = false;
    std::string save_name;      // empty: the save dialog is cancelled
    std::vector<bool> answers;  // to the strip questions, in turn
    std::function<void()> while_asking;
    bool next_strip_posted = false;
    std::function<void()> while_dialog_open;
    int progress = -1;

  private:
    void Log(const std::string& event) { log_.push_back(event); }
    EventLog& log_;
};

class NoUsb : public UsbOutput {
  public:
    bool Send(uint8_t, const char*, uint32_t) override { return false; }
};

bool Contains(const EventLog& log, const std::string& event) {
    for (const std::string& entry : log) {
        if (entry == event) {
            return true;
        }
    }
    return false;
}

// A design from (2000, 1000) to (5000, 4000) in plotter units: 95 mm square.
constexpr char kSquare[] = "IN;SP1;PU2000,1000;PD5000,1000,5000,4000,2000,4000,2000,1000;PU;SP0;";

struct Window {
    ScratchFolder folder;
    EventLog log;
    CallLog settings_log;
    RecordingMainView view{log};
    FakeJobPort port{log};
    FakeTimers timers{log};
    NoUsb usb;
    MainWindowController controller{view, port, timers, usb};

    Window() {
        RecordingProfile profile(settings_log, {{"AutoGET/ColExportFilename", "export.plt"}});
        RecordingEnvironment environment(settings_log, folder.Path().string() + "/");
        controller.Initialise(profile, environment);
        controller.Job().PathSeparator = '/';
    }
    std::string ExportFile() const { return folder.File("export.plt"); }
    // Runs the block poll timer until the job has gone out.
    void SendToEnd() {
        for (int tick = 0; tick < 1000 && !controller.Idle(); ++tick) {
            controller.OnTimer(kBlockPollTimer);
        }
    }
};

TEST(MainWindowController, StartsIdleInAutomaticModeWithTheLineUsable) {
    Window window;
    EXPECT_TRUE(window.controller.Idle());
    EXPECT_EQ(window.controller.AutoMode(), 1);
    EXPECT_EQ(window.controller.MacroPrintFlag(), 0);
    EXPECT_TRUE(window.controller.LineUsable());
    EXPECT_TRUE(Contains(window.log, "status 108"));
}

TEST(MainWindowController, SerialJobGoesOutWholeAndReturnsToIdle) {
    Window window;
    WriteWholeFile(window.ExportFile(), kSquare);
    EXPECT_EQ(window.controller.OnJobReady(0, 0), 1);
    EXPECT_TRUE(Contains(window.log, "file settings 95 x 95"));
    EXPECT_FALSE(window.controller.Idle());
    EXPECT_TRUE(Contains(window.log, "look sending"));
    window.SendToEnd();
    EXPECT_TRUE(window.controller.Idle());
    EXPECT_FALSE(window.port.written.empty());
    EXPECT_EQ(window.view.progress, 100);
    EXPECT_EQ(window.log.back(), "close");
    EXPECT_TRUE(Contains(window.log, "look idle"));
}

TEST(MainWindowController, RefusalsOfTheJobRoad) {
    struct Case {
        const char* label;
        bool busy;         // a slow job is being sent when the message comes
        bool dialog_ok;    // the file settings dialog's answer
        std::string plot;  // the export file
        bool export_kept;
        const char* shown;  // an event the refusal must show, or ""
    };
    const Case cases[] = {
        {"a job while another is sent", true, true, kSquare, false, "balloon 123"},
        {"dialog cancelled", false, false, kSquare, false, ""},
        {"49-character command", false, true, "IN;PU0,0;PD" + std::string(46, '1') + ";", true,
         "balloon data error!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Window window;
        window.view.dialog_ok = c.dialog_ok;
        if (c.busy) {
            // Polls that never complete keep the first job in flight.
            WriteWholeFile(window.ExportFile(), kSquare);
            window.port.scripted_polls.assign(100, BlockPoll{BlockState::Pending, 0});
            ASSERT_EQ(window.controller.OnJobReady(0, 0), 1);
            window.controller.OnTimer(kBlockPollTimer);
        }
        const size_t written_before = window.port.written.size();
        WriteWholeFile(window.ExportFile(), c.plot);
        EXPECT_EQ(window.controller.OnJobReady(0, 0), 0);
        EXPECT_EQ(FileExists(window.ExportFile()), c.export_kept);
        EXPECT_EQ(window.port.written.size(), written_before);
        if (c.shown[0] != '\0') {
            EXPECT_TRUE(Contains(window.log, c.shown));
        }
    }
}

// A job message that came while the file settings dialog was open has
// started a send; the dialog's own job must neither replace that send nor
// open its port again under it, and is turned away as any job that comes
// while one is sent.
int Count(const EventLog& log, const std::string& event) {
    return static_cast<int>(std::count(log.begin(), log.end(), event));
}

// The square on media 40 mm wide with strips overlapping by 5 mm: three
// strips, each a job of its own, the next one after the user laid the
// media (serial, posted once the send has ended) or straight into the
// next numbered file.
TEST(MainWindowController, JobInStripsGoesOutStripAfterStrip) {
    struct Case {
        const char* label;
        bool to_file;
        std::vector<bool> answers;
        int sends;
        int questions;
    };
    const Case cases[] = {
        {"serial, every strip laid", false, {true, true}, 3, 2},
        {"serial, cancelled after the first", false, {false}, 1, 1},
        {"serial, cancelled after the second", false, {true, false}, 2, 2},
        {"to files, nothing asked", true, {}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Window window;
        MediaLayoutOptions& media = window.controller.Settings().CutPlan.Media;
        media.MediaWidth = 40.0;
        media.TileOverlap = 5.0;
        WriteWholeFile(window.ExportFile(), kSquare);
        window.view.cut_to_file = c.to_file;
        window.view.save_name = window.folder.File("job.plt");
        window.view.answers = c.answers;
        // No other job is taken while the media is laid.
        int offered = -1;
        window.view.while_asking = [&] { offered = window.controller.OnJobReady(0, 0); };
        EXPECT_EQ(window.controller.OnJobReady(0, 0), 1);
        for (int strip = 0; strip < 5; ++strip) {
            window.SendToEnd();
            if (!std::exchange(window.view.next_strip_posted, false))
                break;
            window.controller.OnNextStrip();
        }
        EXPECT_EQ(Count(window.log, "sending"), c.sends);
        EXPECT_EQ(Count(window.log, "ask 1 of 3"), c.questions > 0 ? 1 : 0);
        EXPECT_EQ(Count(window.log, "ask 2 of 3"), c.questions > 1 ? 1 : 0);
        EXPECT_EQ(offered, c.questions > 0 ? 0 : -1);
        EXPECT_TRUE(window.controller.Idle());
        for (const char* name : {"job-1.plt", "job-2.plt", "job-3.plt"}) {
            EXPECT_EQ(FileExists(window.folder.File(name)), c.to_file) << name;
        }
        EXPECT_EQ(Count(window.log, "message Save OK!"), c.to_file ? 1 : 0);
    }
}

TEST(MainWindowController, JobOfAnOpenDialogLeavesASendStartedMeanwhileAlone) {
    Window lone;
    WriteWholeFile(lone.ExportFile(), kSquare);
    ASSERT_EQ(lone.controller.OnJobReady(0, 0), 1);
    lone.SendToEnd();

    Window window;
    WriteWholeFile(window.ExportFile(), kSquare);
    window.view.while_dialog_open = [&window] {
        ASSERT_EQ(window.controller.OnJobReady(0, 0), 1);
        WriteWholeFile(window.ExportFile(), kSquare);  // the macro's next export
    };
    window.controller.OnJobReady(0, 0);
    EXPECT_TRUE(Contains(window.log, "balloon 123"));
    window.SendToEnd();
    EXPECT_EQ(window.port.written, lone.port.written);
}

// An encoder whose USB job is kept in its work file (too large for memory)
// and can no longer be read back whole when the window sends it.
JobOutcome UnreadableStreamedUsbJob(const char*, JobContext& job) {
    const std::string work = job.DmplWorkFilePath();
    WriteWholeFile(work, std::string(200000, 'U'));
    JobBuffer buffer;
    if (LoadJobFile(work.c_str(), 0, buffer, 0) != LoadResult::Ok) {
        return JobOutcome::NotSent;
    }
    std::filesystem::resize_file(work, 10);
    return job.handover.SendJobToUsbPrinter(job.settings.USBPort, std::move(buffer))
               ? JobOutcome::Encoded
               : JobOutcome::UsbSendFailed;
}

class CountingUsb : public UsbOutput {
  public:
    int sends = 0;
    bool Send(uint8_t, const char*, uint32_t) override {
        ++sends;
        return true;
    }
};

TEST(MainWindowController, UnreadableUsbJobIsNotSentAndTold) {
    ScratchFolder folder;
    EventLog log;
    CallLog settings_log;
    RecordingMainView view{log};
    FakeJobPort port{log};
    FakeTimers timers{log};
    CountingUsb usb;
    MainWindowController controller{view, port, timers, usb, &UnreadableStreamedUsbJob};
    RecordingProfile profile(settings_log, {{"AutoGET/ColExportFilename", "export.plt"}});
    RecordingEnvironment environment(settings_log, folder.Path().string() + "/");
    controller.Initialise(profile, environment);
    controller.Job().PathSeparator = '/';
    WriteWholeFile(folder.File("export.plt"), kSquare);
    EXPECT_EQ(controller.OnJobReady(0, 0), 0);
    EXPECT_EQ(usb.sends, 0);
    EXPECT_TRUE(Contains(log, "message Cannot read the work file!"));
}

TEST(MainWindowController, ModeRadiosChangeOnlyWhileIdle) {
    Window window;
    EXPECT_TRUE(window.controller.OnFileModeRadio());
    EXPECT_EQ(window.controller.AutoMode(), 0);
    window.controller.OnAutoModeRadio();
    EXPECT_EQ(window.controller.AutoMode(), 1);

    WriteWholeFile(window.ExportFile(), kSquare);
    window.port.scripted_polls.assign(10, BlockPoll{BlockState::Pending, 0});
    ASSERT_EQ(window.controller.OnJobReady(0, 0), 1);
    // While sending, the file radio still stops the watcher but the mode
    // stays.
    EXPECT_TRUE(window.controller.OnFileModeRadio());
    EXPECT_EQ(window.controller.AutoMode(), 1);
    window.controller.OnCancelWork();
    EXPECT_TRUE(window.controller.Idle());
}

// The status line stands on the window's own background only while a job
// is sent, and is grey again once it has gone out or was cancelled (the
// window asks with the controller's state at every repaint).
TEST(MainWindowController, StatusLineColourFollowsTheSendState) {
    constexpr uint32_t kWindowBackground = 0x123456;
    const auto status_background = [](const Window& w) {
        return StatusLineColours(w.controller.Idle(), kWindowBackground).background;
    };
    Window window;
    EXPECT_EQ(status_background(window), kIdleFaceColour);
    WriteWholeFile(window.ExportFile(), kSquare);
    window.port.scripted_polls.assign(10, BlockPoll{BlockState::Pending, 0});
    ASSERT_EQ(window.controller.OnJobReady(0, 0), 1);
    EXPECT_EQ(status_background(window), kWindowBackground);
    window.controller.OnCancelWork();
    EXPECT_EQ(status_background(window), kIdleFaceColour);

    WriteWholeFile(window.ExportFile(), kSquare);
    window.port.scripted_polls.clear();
    ASSERT_EQ(window.controller.OnJobReady(0, 0), 1);
    window.SendToEnd();
    EXPECT_EQ(status_background(window), kIdleFaceColour);
}

// The contour-cut macro's print dialog as a bare minimum: dialog 1 titled
// with the export folder, its edit 2 and its print button 3.
class PrintDialog : public MacroPrintWindows {
  public:
    explicit PrintDialog(EventLog& log) : log_(log) {}
    std::string title;
    MacroWindow FindDialog(const char* t) override { return title == t ? 1 : 0; }
    void CloseDialog(MacroWindow) override { log_.push_back("dialog closed"); }
    std::string WindowTitle(MacroWindow, std::size_t) override { return title; }
    MacroWindow FindChild(MacroWindow, const char* window_class, const char*) override {
        return std::string(window_class) == "Edit" ? 2 : 3;
    }
    void SetText(MacroWindow, const char*) override {}
    void PressButton(MacroWindow) override { log_.push_back("pressed"); }
    void ShowMessage(const char* text) override { log_.push_back(text); }
    bool FileExists(const char*) override { return false; }
    void RemoveFile(const char*) override {}
    void Sleep(uint32_t) override {}

  private:
    EventLog& log_;
};

// Encoders that see the print file's name, refuse it a number of times (a
// file the printer driver has not finished), then encode a real design as
// the configured model's encoder.
struct PrintEncoders {
    EventLog* log = nullptr;
    int refusals = 0;
    std::string design;
};
PrintEncoders print_encoders;

JobOutcome PrintEncoder(const char* model, const char* path, JobContext& job, JobEncoder real) {
    print_encoders.log->push_back(std::string(model) + " " + path);
    if (print_encoders.refusals-- > 0) {
        return JobOutcome::Unreadable;
    }
    return real(print_encoders.design.c_str(), job);
}
JobOutcome PrintDmpl(const char* path, JobContext& job) {
    return PrintEncoder("dmpl", path, job, &EncodeDmplJob);
}
JobOutcome PrintHpgl(const char* path, JobContext& job) {
    return PrintEncoder("hpgl", path, job, &EncodeHpglJob);
}

struct MacroPrintWindow {
    ScratchFolder folder;
    EventLog log;
    CallLog settings_log;
    RecordingMainView view{log};
    FakeJobPort port{log};
    FakeTimers timers{log};
    NoUsb usb;
    MainWindowController controller{view, port, timers, usb, &PrintDmpl, &PrintHpgl};
    PrintDialog dialog{log};

    explicit MacroPrintWindow(int refusals) {
        RecordingProfile profile(settings_log, {{"AutoGET/ColExportFilename", "export.plt"}});
        RecordingEnvironment environment(settings_log, folder.Path().string() + "/");
        controller.Initialise(profile, environment);
        controller.Job().PathSeparator = '/';
        controller.Job().HpglWorkFolder = folder.Path().string();
        dialog.title = controller.Settings().ColExportPath;
        print_encoders = {&log, refusals, folder.File("design.plt")};
        WriteWholeFile(print_encoders.design, kSquare);
    }
    void SendToEnd() {
        for (int tick = 0; tick < 1000 && !controller.Idle(); ++tick) {
            controller.OnTimer(kBlockPollTimer);
        }
    }
};

const std::string kUnknownModelMessageText = std::string("message ") + kNoPlotterModel;
const char* const kUnknownModelMessage = kUnknownModelMessageText.c_str();

TEST(MainWindowController, MacroPrint) {
    struct Case {
        const char* label;
        uint8_t flag = 1;
        int32_t model = 0;
        int refusals = 0;     // calls before the encoder takes the print
        bool sending = true;  // a serial send runs after the message
        uint8_t ready = 0;
        std::vector<const char*> shown;  // in order, among other events
    };
    const Case cases[] = {
        {.label = "flag 0: dialog closed, nothing cut",
         .flag = 0,
         .sending = false,
         .ready = 1,
         .shown = {"dialog closed"}},
        {.label = "model 0: DM/PL encoder, ready once the send ends",
         .shown = {"pressed", "dmpl c:\\myoutput.prn", "look sending"}},
        {.label = "model 1: HPGL encoder",
         .model = 1,
         .shown = {"pressed", "hpgl c:\\myoutput.prn"}},
        {.label = "print late: taken on the third call",
         .refusals = 2,
         .shown = {"dmpl c:\\myoutput.prn", "dmpl c:\\myoutput.prn", "dmpl c:\\myoutput.prn",
                   "look sending"}},
        {.label = "print never came: warning, ready again",
         .refusals = 1000,
         .sending = false,
         .ready = 1,
         .shown = {"balloon 127"}},
        {.label = "unknown model: nothing to send, said so, ready again",
         .model = -1,
         .sending = false,
         .ready = 1,
         .shown = {"pressed", kUnknownModelMessage}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        MacroPrintWindow window(c.refusals);
        window.controller.Settings().ModelIndex = c.model;
        window.controller.SetMacroPrintFlagForTest(c.flag);

        EXPECT_EQ(window.controller.OnMacroPrint(window.dialog), 0);
        EXPECT_EQ(window.controller.Idle(), !c.sending);
        EXPECT_EQ(window.controller.NextJobReady(), c.ready);
        auto at = window.log.begin();
        for (const char* event : c.shown) {
            at = std::find(at, window.log.end(), event);
            ASSERT_NE(at, window.log.end()) << event;
            ++at;
        }
        if (c.sending) {
            // A second message while the print is sent closes its dialog.
            window.controller.OnMacroPrint(window.dialog);
            EXPECT_EQ(window.log.back(), "dialog closed");
            window.SendToEnd();
            EXPECT_EQ(window.controller.NextJobReady(), 1);
        }
    }
}

}  // namespace
}  // namespace tarnik
