#include "sender/app/win32/settings_dialog_controls.h"

#include <cstddef>

#include "sender/res/resource.h"

namespace tarnik {
namespace {

constexpr int kComboBoxes[] = {IDC_CFG_MODEL,     IDC_CFG_PORT,   IDC_CFG_MARK_COLOUR,
                               IDC_CFG_BAUD_RATE, IDC_CFG_PARITY, IDC_CFG_DATA_BITS,
                               IDC_CFG_STOP_BITS, IDC_CFG_BUFFER};
constexpr int kEdits[] = {IDC_CFG_CLOSE_OFFSET,    IDC_CFG_SHARP_OFFSET,  IDC_CFG_SOLID_LENGTH,
                          IDC_CFG_JUMP_LENGTH,     IDC_CFG_REDUCE_POINT,  IDC_CFG_X_STEPS,
                          IDC_CFG_Y_STEPS,         IDC_CFG_WAIT_SECOND,   IDC_CFG_EXPORT_PATH,
                          IDC_CFG_EXPORT_FILENAME, IDC_CFG_X_DESIGN_SIZE, IDC_CFG_X_TRUE_SIZE,
                          IDC_CFG_Y_DESIGN_SIZE,   IDC_CFG_Y_TRUE_SIZE};
constexpr int kGroupBoxes[] = {IDC_CFG_MODEL_GROUP,   IDC_CFG_PORT_GROUP,   IDC_CFG_CUT_GROUP,
                               IDC_CFG_CONTOUR_GROUP, IDC_CFG_DASHED_GROUP, IDC_CFG_FEED_GROUP,
                               IDC_CFG_EXPORT_GROUP,  IDC_CFG_SIZE_GROUP};

template <typename Control, std::size_t N>
void AttachAll(HWND dialog, std::array<Control, N>& controls, const int (&ids)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        controls[i].Attach(GetDlgItem(dialog, ids[i]));
    }
}

}  // namespace

void SettingsDialogControls::Attach(HWND dialog) {
    const struct {
        CGuiCheckBox& box;
        int id;
    } check_boxes[] = {
        {usb_port, IDC_CFG_USB_PORT},         {close_enable, IDC_CFG_CLOSE_ENABLE},
        {sharp_enable, IDC_CFG_SHARP_ENABLE}, {contour_mode, IDC_CFG_CONTOUR_MODE},
        {dashed_mode, IDC_CFG_DASHED_MODE},   {reduce_enable, IDC_CFG_REDUCE_ENABLE},
        {feed_paper, IDC_CFG_FEED_PAPER},     {new_serial, IDC_CFG_NEW_SERIAL},
    };
    for (const auto& check_box : check_boxes) {
        check_box.box.Attach(GetDlgItem(dialog, check_box.id));
    }
    AttachAll(dialog, combo_boxes, kComboBoxes);
    AttachAll(dialog, edits, kEdits);
    AttachAll(dialog, group_boxes, kGroupBoxes);
}

}  // namespace tarnik
