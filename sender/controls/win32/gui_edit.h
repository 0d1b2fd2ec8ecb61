#pragma once
// CGuiEdit: an edit box with a flat border (a ring in the face colour
// around a ring in the lifted selection colour) that puts the caret at the
// start, nothing selected, when it gains the focus.
#include "sender/controls/win32/gui_control.h"

namespace tarnik {

class CGuiEdit : public GuiControl {
  protected:
    void OnAttach() override;
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

  private:
    void DrawBorder() const;
};

}  // namespace tarnik
