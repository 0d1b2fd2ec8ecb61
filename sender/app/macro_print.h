#pragma once
// The contour-cut macro's print link: when the macro has opened a
// print-to-file dialog (a dialog titled with the export folder text), the
// job sender types a fixed file name into it, presses its button, waits for
// the printer driver's file and cuts it. The dialog belongs to another
// process and is reached only through MacroPrintWindows, so the steps run
// in tests without a window system.
#include <cstddef>
#include <cstdint>
#include <string>

namespace tarnik {

// The file the printer driver writes, and the name typed into the dialog
// (the driver adds ".prn").
inline constexpr char kMacroPrintFile[] = "c:\\myoutput.prn";
inline constexpr char kMacroPrintTypedName[] = "c:\\myoutput";

// Messages (caption "RAvivIZE") for a dialog that lacks a level of its file
// name field, or its button.
inline constexpr char kNoComboBoxEx[] = "NO ComboxBoxEX32!";
inline constexpr char kNoComboBox[] = "NO ComboxBox";
inline constexpr char kNoComboBoxEdit[] = "NO ComboxBoxEdit";
inline constexpr char kNoButton[] = "NO BUTTON!";

// The dialog's title is read into a 15-byte buffer: at most 14 characters.
inline constexpr std::size_t kMacroDialogTitleChars = 14;
// The printer driver may still be writing the file: the encoder is asked
// again every 2 s, for at most 60 s of waiting.
inline constexpr uint32_t kPrintFileRetryMs = 2000;
inline constexpr uint32_t kPrintFileGiveUpMs = 60000;

// A window of another process; 0 is none.
using MacroWindow = std::uintptr_t;

// The outside world of the print link: another process's dialog, the print
// file, and time.
class MacroPrintWindows {
  public:
    virtual ~MacroPrintWindows() = default;
    // A top-level window of the dialog class ("#32770") titled `title`.
    virtual MacroWindow FindDialog(const char* title) = 0;
    virtual void CloseDialog(MacroWindow window) = 0;  // WM_CLOSE
    // The window's title, at most `max_chars` characters.
    virtual std::string WindowTitle(MacroWindow window, std::size_t max_chars) = 0;
    // A direct child of class `window_class`; with `caption` only one with
    // that caption.
    virtual MacroWindow FindChild(MacroWindow parent, const char* window_class,
                                  const char* caption) = 0;
    virtual void SetText(MacroWindow window, const char* text) = 0;  // WM_SETTEXT
    // A mouse press at (0, 0) without waiting for the other process: the
    // left button down, then up.
    virtual void PressButton(MacroWindow button) = 0;
    // Message box captioned "RAvivIZE" with the exclamation icon.
    virtual void ShowMessage(const char* text) = 0;
    virtual bool FileExists(const char* path) = 0;
    virtual void RemoveFile(const char* path) = 0;
    virtual void Sleep(uint32_t ms) = 0;
};

// What the main window does with the print file.
class MacroPrintJob {
  public:
    virtual ~MacroPrintJob() = default;
    // Runs the encoder of the selected model on `path`; false when it did
    // not take the file (not there yet, or not whole yet).
    virtual bool CutPrintFile(const char* path) = 0;
};

// The main window's state that the link reads.
struct MacroPrintState {
    std::string export_folder;    // the dialog's title
    std::string export_filename;  // the dialog button's caption
    int32_t wait_second = 1;      // before the name is typed
    bool sender_idle = true;
    bool macro_print_flag = false;
};

enum class MacroPrintOutcome {
    kNoDialog,       // no dialog titled with the export folder
    kClosed,         // not ready, busy or not enabled: the dialog was closed
    kFieldMissing,   // a level of the file name field is missing
    kButtonMissing,  // the dialog has no button captioned with the export name
    kCut,            // the encoder took the print file
    kGaveUp,         // the print file never came within the bound
};

// Drives the dialog and cuts the print. `next_job_ready` is the main
// window's NextJobReady flag: cleared when the dialog is taken over; only
// the caller sets it again.
MacroPrintOutcome RunMacroPrint(MacroPrintWindows& windows, MacroPrintJob& job,
                                const MacroPrintState& state, uint8_t& next_job_ready);

}  // namespace tarnik
