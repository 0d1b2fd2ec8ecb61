#pragma once
// The main window's custom-drawn controls: the five icon buttons (style 2,
// 32 x 32 icons, a tooltip each but the spare one), the two mode radios,
// the signal lamp and the group box. Attached when the window binds its
// controls.
#include <windows.h>

#include "sender/controls/win32/gui_button.h"
#include "sender/controls/win32/gui_edit.h"
#include "sender/controls/win32/gui_group_box.h"
#include "sender/controls/win32/gui_radio_button.h"

namespace tarnik {

struct MainWindowControls {
    CGuiButton cut_from_file;
    CGuiButton option;
    CGuiButton cancel_work;
    CGuiButton spare;
    CGuiButton exit;
    CGuiRadioButton auto_mode;
    CGuiRadioButton file_mode;
    CGuiEdit signal_lamp;
    CGuiGroupBox group;

    // Attaches every control of `window` and gives the buttons their
    // icons and the tooltips of the program's language.
    void Attach(HWND window, bool english);
};

}  // namespace tarnik
