#include "sender/app/macro_print.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace tarnik {
namespace {

constexpr char kFolder[] = "C:\\temp\\";
constexpr char kButtonCaption[] = "print.plt";

// Class names compare without case, as the window system does.
bool SameClass(const std::string& a, const char* b) {
    const std::size_t n = std::strlen(b);
    if (a.size() != n) {
        return false;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

struct FakeWindow {
    MacroWindow parent;  // 0: top level
    std::string window_class;
    std::string caption;
};

// Another process's windows and the print file, as a table; every effect
// on them is logged in order (queries are not).
class FakeMacroWindows : public MacroPrintWindows {
  public:
    std::vector<FakeWindow> windows;  // window n is windows[n - 1]
    bool print_file_exists = false;
    std::string title_override;  // what the dialog's title reads, if set
    std::vector<std::string> log;

    MacroWindow Add(MacroWindow parent, const char* window_class, const char* caption = "") {
        windows.push_back({parent, window_class, caption});
        return windows.size();
    }
    MacroWindow FindDialog(const char* title) override { return Find(0, "#32770", title); }
    void CloseDialog(MacroWindow window) override { Log("close", window); }
    std::string WindowTitle(MacroWindow window, std::size_t max_chars) override {
        const std::string title =
            title_override.empty() ? windows[window - 1].caption : title_override;
        return title.substr(0, max_chars);
    }
    MacroWindow FindChild(MacroWindow parent, const char* window_class,
                          const char* caption) override {
        return Find(parent, window_class, caption);
    }
    void SetText(MacroWindow window, const char* text) override {
        log.push_back("text " + std::to_string(window) + " " + text);
    }
    void PressButton(MacroWindow button) override { Log("press", button); }
    void ShowMessage(const char* text) override { log.push_back(std::string("box ") + text); }
    bool FileExists(const char* path) override {
        return print_file_exists && std::strcmp(path, kMacroPrintFile) == 0;
    }
    void RemoveFile(const char* path) override { log.push_back(std::string("delete ") + path); }
    void Sleep(uint32_t ms) override { Log("sleep", ms); }

  private:
    void Log(const char* what, std::uintptr_t value) {
        log.push_back(std::string(what) + " " + std::to_string(value));
    }
    MacroWindow Find(MacroWindow parent, const char* window_class, const char* caption) const {
        for (std::size_t i = 0; i < windows.size(); ++i) {
            const FakeWindow& w = windows[i];
            if (w.parent == parent && SameClass(w.window_class, window_class) &&
                (caption == nullptr || w.caption == caption)) {
                return i + 1;
            }
        }
        return 0;
    }
};

// An encoder that does not take the file for its first `refusals` calls.
class FakeJob : public MacroPrintJob {
  public:
    explicit FakeJob(std::vector<std::string>& log, int refusals) : log_(log), left_(refusals) {}
    bool CutPrintFile(const char* path) override {
        log_.push_back(std::string("cut ") + path);
        return left_-- <= 0;
    }

  private:
    std::vector<std::string>& log_;
    int left_;
};

enum class Field { kNone, kEdit, kComboEx, kComboExOnly, kComboExCombo };

// The macro's print dialog (window 1) with its file name field and, when
// asked, the button captioned with the export file name.
void BuildDialog(FakeMacroWindows& w, Field field, bool button) {
    const MacroWindow dialog = w.Add(0, "#32770", kFolder);
    w.Add(dialog, "Button", "Cancel");  // another button: not the one to press
    if (field == Field::kEdit) {
        w.Add(dialog, "Edit");
    }
    if (field == Field::kComboEx || field == Field::kComboExOnly || field == Field::kComboExCombo) {
        const MacroWindow ex = w.Add(dialog, "ComboBoxEx32");
        if (field != Field::kComboExOnly) {
            const MacroWindow combo = w.Add(ex, "ComboBox");
            if (field == Field::kComboEx) {
                w.Add(combo, "Edit");
            }
        }
    }
    if (button) {
        w.Add(dialog, "Button", kButtonCaption);
    }
}

// A case changes only what differs from a ready, idle, enabled link and a
// dialog with a plain edit and its print button.
struct Case {
    const char* label;
    bool dialog = true;
    Field field = Field::kEdit;
    bool button = true;
    uint8_t ready = 1;
    bool idle = true;
    bool flag = true;
    bool old_print = false;
    const char* title = nullptr;  // the title read back; nullptr: the dialog's own
    int32_t wait_second = 1;
    int refusals = 0;  // calls before the encoder takes the print
    MacroPrintOutcome outcome = MacroPrintOutcome::kCut;
    uint8_t ready_after = 0;
    std::vector<std::string> log;
};

// Windows: 1 dialog, 2 Cancel button, then the field's levels, then the
// print button.
const Case kCases[] = {
    {.label = "no dialog",
     .dialog = false,
     .outcome = MacroPrintOutcome::kNoDialog,
     .ready_after = 1,
     .log = {}},
    {.label = "not ready", .ready = 0, .outcome = MacroPrintOutcome::kClosed, .log = {"close 1"}},
    {.label = "job being sent",
     .idle = false,
     .old_print = true,
     .outcome = MacroPrintOutcome::kClosed,
     .ready_after = 1,
     .log = {"close 1"}},
    {.label = "flag 0",
     .flag = false,
     .old_print = true,
     .outcome = MacroPrintOutcome::kClosed,
     .ready_after = 1,
     .log = {"close 1"}},
    {.label = "plain edit",
     .log = {"sleep 1000", "text 3 c:\\myoutput", "press 4", "cut c:\\myoutput.prn"}},
    {.label = "combo box with edit",
     .field = Field::kComboEx,
     .wait_second = 2,
     .log = {"sleep 2000", "text 5 c:\\myoutput", "press 6", "cut c:\\myoutput.prn"}},
    {.label = "no combo box with edit",
     .field = Field::kNone,
     .outcome = MacroPrintOutcome::kFieldMissing,
     .log = {"box NO ComboxBoxEX32!"}},
    {.label = "no inner combo box",
     .field = Field::kComboExOnly,
     .outcome = MacroPrintOutcome::kFieldMissing,
     .log = {"box NO ComboxBox"}},
    {.label = "no inner edit",
     .field = Field::kComboExCombo,
     .outcome = MacroPrintOutcome::kFieldMissing,
     .log = {"box NO ComboxBoxEdit"}},
    {.label = "no print button",
     .button = false,
     .outcome = MacroPrintOutcome::kButtonMissing,
     .log = {"sleep 1000", "text 3 c:\\myoutput", "box NO BUTTON!"}},
    {.label = "title changed: straight to the cut",
     .field = Field::kNone,
     .button = false,
     .title = "D:\\elsewhere",
     .log = {"cut c:\\myoutput.prn"}},
    {.label = "old print deleted before the dialog is driven",
     .old_print = true,
     .log = {"delete c:\\myoutput.prn", "sleep 1000", "text 3 c:\\myoutput", "press 4",
             "cut c:\\myoutput.prn"}},
    {.label = "negative wait waits not at all",
     .wait_second = -5,
     .log = {"sleep 0", "text 3 c:\\myoutput", "press 4", "cut c:\\myoutput.prn"}},
    {.label = "huge wait stops short of endless",
     .wait_second = 2147483647,
     .log = {"sleep 4294967294", "text 3 c:\\myoutput", "press 4", "cut c:\\myoutput.prn"}},
    {.label = "print file late: retried every 2 s",
     .title = "X",
     .refusals = 2,
     .log = {"cut c:\\myoutput.prn", "sleep 2000", "cut c:\\myoutput.prn", "sleep 2000",
             "cut c:\\myoutput.prn"}},
};

TEST(MacroPrintTest, DrivesTheDialogAndCutsThePrint) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.label);
        FakeMacroWindows windows;
        if (c.dialog) {
            BuildDialog(windows, c.field, c.button);
        }
        windows.print_file_exists = c.old_print;
        windows.title_override = c.title != nullptr ? c.title : "";
        FakeJob job(windows.log, c.refusals);
        MacroPrintState state{kFolder, kButtonCaption, c.wait_second, c.idle, c.flag};
        uint8_t ready = c.ready;

        EXPECT_EQ(RunMacroPrint(windows, job, state, ready), c.outcome);
        EXPECT_EQ(ready, c.ready_after);
        EXPECT_EQ(windows.log, c.log);
    }
}

TEST(MacroPrintTest, GivesUpAfterSixtySecondsOfWaiting) {
    FakeMacroWindows windows;
    BuildDialog(windows, Field::kEdit, true);
    FakeJob job(windows.log, 1000);
    uint8_t ready = 1;

    EXPECT_EQ(RunMacroPrint(windows, job, {kFolder, kButtonCaption, 0, true, true}, ready),
              MacroPrintOutcome::kGaveUp);
    int cuts = 0;
    uint64_t waited_ms = 0;
    for (const std::string& entry : windows.log) {
        cuts += entry == "cut c:\\myoutput.prn" ? 1 : 0;
        if (entry.rfind("sleep ", 0) == 0) {
            waited_ms += std::stoul(entry.substr(6));
        }
    }
    EXPECT_EQ(waited_ms, 60000u);
    EXPECT_EQ(cuts, 31);  // at once, then after each of the 30 waits
    EXPECT_EQ(windows.log.back(), "cut c:\\myoutput.prn");
    EXPECT_EQ(ready, 0);  // the caller decides about the link's readiness
}

}  // namespace
}  // namespace tarnik
