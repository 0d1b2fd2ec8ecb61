#include "sender/app/win32/macro_print_windows.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/sender/app/win32/fake_print_dialog.h"

namespace tarnik {
namespace {

using testing::FakeField;
using testing::FakePrintDialog;

constexpr wchar_t kTitleW[] = L"C:\\macro-print-test\\";
constexpr char kTitle[] = "C:\\macro-print-test\\";
constexpr char kButtonCaption[] = "export.plt";

// The macro's dialog on a thread of its own, as it would run in its own
// process: only window messages reach it.
class DialogThread {
  public:
    DialogThread(FakeField field, const wchar_t* button) {
        dialog_.title = kTitleW;
        dialog_.field = field;
        dialog_.button = button;
        dialog_.visible = false;
        dialog_.report = [this](const std::string& line) {
            report_ = line;
            SetEvent(reported_);
        };
        thread_ = CreateThread(nullptr, 0, &Run, this, 0, &thread_id_);
        WaitForSingleObject(ready_, 5000);
    }
    ~DialogThread() {
        PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_, 5000);
        CloseHandle(thread_);
        CloseHandle(ready_);
        CloseHandle(reported_);
    }
    DialogThread(const DialogThread&) = delete;
    DialogThread& operator=(const DialogThread&) = delete;

    // What the dialog reported within a few seconds, or "".
    std::string Report() {
        return WaitForSingleObject(reported_, 5000) == WAIT_OBJECT_0 ? report_ : "";
    }

  private:
    static DWORD WINAPI Run(void* param) {
        auto* self = static_cast<DialogThread*>(param);
        HWND window = CreateFakePrintDialog(self->dialog_);
        SetEvent(self->ready_);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (!IsDialogMessageW(window, &message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        if (IsWindow(window)) {
            DestroyWindow(window);
        }
        return 0;
    }

    FakePrintDialog dialog_;
    std::string report_;
    HANDLE ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE reported_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread_ = nullptr;
    DWORD thread_id_ = 0;
};

// The real window calls with the message boxes and waits recorded instead
// of shown and slept.
class RecordingWindows : public Win32MacroPrintWindows {
  public:
    RecordingWindows() : Win32MacroPrintWindows(nullptr) {}
    void ShowMessage(const char* text) override { messages.push_back(text); }
    void Sleep(uint32_t) override {}
    std::vector<std::string> messages;
};

class CountingJob : public MacroPrintJob {
  public:
    bool CutPrintFile(const char*) override {
        ++cuts;
        return true;
    }
    int cuts = 0;
};

TEST(Win32MacroPrintWindows, DrivesAnotherThreadsPrintDialog) {
    struct Case {
        const char* label;
        FakeField field;
        const wchar_t* button;
        bool flag;
        MacroPrintOutcome outcome;
        const char* report;   // what the dialog saw
        const char* message;  // the box shown, or ""
    };
    const Case cases[] = {
        {"plain edit", FakeField::kEdit, L"export.plt", true, MacroPrintOutcome::kCut,
         "pressed c:\\myoutput", ""},
        {"extended combo box", FakeField::kComboEx, L"export.plt", true, MacroPrintOutcome::kCut,
         "pressed c:\\myoutput", ""},
        {"no field", FakeField::kNone, L"export.plt", true, MacroPrintOutcome::kFieldMissing, "",
         "NO ComboxBoxEX32!"},
        {"button with another caption", FakeField::kEdit, L"Print", true,
         MacroPrintOutcome::kButtonMissing, "", "NO BUTTON!"},
        {"flag 0", FakeField::kEdit, L"export.plt", false, MacroPrintOutcome::kClosed, "closed",
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        // An old print from before: it must be gone before the new one.
        FILE* old_print = std::fopen(kMacroPrintFile, "wb");
        ASSERT_NE(old_print, nullptr);
        std::fclose(old_print);

        DialogThread dialog(c.field, c.button);
        RecordingWindows windows;
        CountingJob job;
        uint8_t ready = 1;
        const MacroPrintState state{kTitle, kButtonCaption, 1, true, c.flag};
        EXPECT_EQ(RunMacroPrint(windows, job, state, ready), c.outcome);

        EXPECT_EQ(c.report[0] != '\0' ? dialog.Report() : std::string(), c.report);
        EXPECT_EQ(windows.messages, c.message[0] != '\0' ? std::vector<std::string>{c.message}
                                                         : std::vector<std::string>{});
        EXPECT_EQ(job.cuts, c.outcome == MacroPrintOutcome::kCut ? 1 : 0);
        EXPECT_EQ(windows.FileExists(kMacroPrintFile), !c.flag);
        DeleteFileA(kMacroPrintFile);
    }
}

TEST(Win32MacroPrintWindows, TitleIsReadToFourteenCharacters) {
    DialogThread dialog(FakeField::kEdit, L"export.plt");
    Win32MacroPrintWindows windows(nullptr);
    const MacroWindow found = windows.FindDialog(kTitle);
    ASSERT_NE(found, 0u);
    EXPECT_EQ(windows.WindowTitle(found, kMacroDialogTitleChars), std::string(kTitle, 14));
    EXPECT_EQ(windows.FindDialog("C:\\no-such-dialog\\"), 0u);
}

}  // namespace
}  // namespace tarnik
