#include "sender/app/macro_print.h"

namespace tarnik {
namespace {

constexpr uint32_t kEndlessWaitMs = 0xFFFFFFFFu;

// The file name field: a plain edit directly in the dialog, or the edit of
// an extended combo box, which sits two levels down (the extended combo box
// holds a combo box, which holds the edit). 0 when a level is missing,
// after its message.
MacroWindow FindFileNameField(MacroPrintWindows& windows, MacroWindow dialog) {
    const MacroWindow edit = windows.FindChild(dialog, "Edit", nullptr);
    if (edit != 0) {
        return edit;
    }
    struct Level {
        const char* window_class;
        const char* missing;
    };
    static constexpr Level kLevels[] = {
        {"ComboBoxEX32", kNoComboBoxEx},
        {"ComboBox", kNoComboBox},
        {"Edit", kNoComboBoxEdit},
    };
    MacroWindow parent = dialog;
    for (const Level& level : kLevels) {
        parent = windows.FindChild(parent, level.window_class, nullptr);
        if (parent == 0) {
            windows.ShowMessage(level.missing);
            return 0;
        }
    }
    return parent;
}

// The macro's dialog needs a moment before it takes the typed name. The
// setting is read from the ini file as it stands: a negative count waits
// not at all (as a millisecond count it would wrap to weeks), and a huge
// one stops short of the wait that never ends (0xFFFFFFFF).
uint32_t SettleDelayMs(int32_t wait_second) {
    if (wait_second <= 0) {
        return 0;
    }
    const uint64_t ms = static_cast<uint64_t>(wait_second) * 1000u;
    return ms < kEndlessWaitMs ? static_cast<uint32_t>(ms) : kEndlessWaitMs - 1;
}

// Asks the encoder until it takes the print file, waiting between the
// attempts while the printer driver writes it; false after the bound.
bool CutWhenPrinted(MacroPrintWindows& windows, MacroPrintJob& job) {
    uint32_t waited_ms = 0;
    while (!job.CutPrintFile(kMacroPrintFile)) {
        if (waited_ms >= kPrintFileGiveUpMs) {
            return false;
        }
        windows.Sleep(kPrintFileRetryMs);
        waited_ms += kPrintFileRetryMs;
    }
    return true;
}

// Types the file name and presses the print button; the outcome of a
// dialog that cannot be driven, or kCut when it was driven.
MacroPrintOutcome DriveDialog(MacroPrintWindows& windows, MacroWindow dialog,
                              const MacroPrintState& state) {
    const MacroWindow field = FindFileNameField(windows, dialog);
    if (field == 0) {
        return MacroPrintOutcome::kFieldMissing;
    }
    windows.Sleep(SettleDelayMs(state.wait_second));
    windows.SetText(field, kMacroPrintTypedName);
    const MacroWindow button = windows.FindChild(dialog, "Button", state.export_filename.c_str());
    if (button == 0) {
        windows.ShowMessage(kNoButton);
        return MacroPrintOutcome::kButtonMissing;
    }
    windows.PressButton(button);
    return MacroPrintOutcome::kCut;
}

}  // namespace

MacroPrintOutcome RunMacroPrint(MacroPrintWindows& windows, MacroPrintJob& job,
                                const MacroPrintState& state, uint8_t& next_job_ready) {
    const MacroWindow dialog = windows.FindDialog(state.export_folder.c_str());
    if (dialog == 0) {
        return MacroPrintOutcome::kNoDialog;
    }
    if (next_job_ready == 0 || !state.sender_idle || !state.macro_print_flag) {
        windows.CloseDialog(dialog);
        return MacroPrintOutcome::kClosed;
    }
    next_job_ready = 0;
    // An old print must not pass for the new one.
    if (windows.FileExists(kMacroPrintFile)) {
        windows.RemoveFile(kMacroPrintFile);
    }
    const std::string title = windows.WindowTitle(dialog, kMacroDialogTitleChars);
    const char first = title.empty() ? '\0' : title[0];
    if (first == state.export_folder.c_str()[0]) {
        const MacroPrintOutcome driven = DriveDialog(windows, dialog, state);
        if (driven != MacroPrintOutcome::kCut) {
            return driven;
        }
    }
    return CutWhenPrinted(windows, job) ? MacroPrintOutcome::kCut : MacroPrintOutcome::kGaveUp;
}

}  // namespace tarnik
