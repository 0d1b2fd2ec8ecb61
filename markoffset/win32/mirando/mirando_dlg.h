#pragma once
// Mirando's one window: four offsets over a picture of the marks, the port,
// SaveToFile, Modify and Cancel. Its handlers copy values between the
// controls and the dialog state and leave the rules to markoffset/.
#include <windows.h>

#include <cstdint>
#include <string>

#include "markoffset/mark_offset.h"
#include "ui/win32/dialog.h"
#include "ui/win32/gdi_handles.h"

namespace tarnik {

class CMirandoDlg : public ui::Dialog {
  public:
    CMirandoDlg();
    ~CMirandoDlg() override;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& exchange) override;
    // "&Modify", also the Enter key.
    void OnOK() override;

  private:
    void ValidateOffset(markoffset::OffsetField field);
    void FormatOffset(markoffset::OffsetField field);
    // Writes the offsets back to their edits, without taking the edits'
    // update notifications for typing.
    void ShowState();
    void PlaceControls();
    LRESULT OnSysCommand(WPARAM command);
    LRESULT OnEraseBackground(WPARAM dc);
    LRESULT OnControlColour(WPARAM dc, LPARAM control);
    // The Save As dialog; false when the user cancelled.
    bool ChooseSavePath(std::string& path);

    markoffset::MarkOffsets offsets_;
    std::string instructions_;
    int32_t save_to_file_ = 0;
    int32_t port_index_ = 0;
    bool showing_ = false;
    ui::UniqueIcon icon_;
    ui::UniqueIcon small_icon_;
    ui::UniqueBitmap background_;
    ui::UniqueBrush black_;
};

}  // namespace tarnik
