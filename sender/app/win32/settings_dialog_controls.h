#pragma once
// The settings dialog's custom-drawn controls: every check box, combo box,
// edit and group box of the template, hidden ones included (their values
// travel through the dialog all the same). The check boxes keep their own
// checked flags, which the dialog's data exchange reads and sets.
#include <windows.h>

#include <array>

#include "sender/controls/win32/gui_check_box.h"
#include "sender/controls/win32/gui_combo_box_ext.h"
#include "sender/controls/win32/gui_edit.h"
#include "sender/controls/win32/gui_group_box.h"

namespace tarnik {

struct SettingsDialogControls {
    CGuiCheckBox usb_port;
    CGuiCheckBox close_enable;
    CGuiCheckBox sharp_enable;
    CGuiCheckBox contour_mode;
    CGuiCheckBox dashed_mode;
    CGuiCheckBox reduce_enable;
    CGuiCheckBox feed_paper;
    CGuiCheckBox new_serial;
    std::array<CGuiComboBoxExt, 8> combo_boxes;
    std::array<CGuiEdit, 14> edits;
    std::array<CGuiGroupBox, 8> group_boxes;

    void Attach(HWND dialog);
};

}  // namespace tarnik
