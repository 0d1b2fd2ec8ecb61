#pragma once
// CGuiRadioButton: a radio button drawn as a 13 x 13 pixel circle on the
// face tint, with an orange ring while the mouse is over it and a green dot
// when checked. Checking it clears every other CGuiRadioButton of its
// dialog group. The checked flag is its own, as for CGuiCheckBox.
#include "sender/controls/win32/gui_control.h"
#include "ui/win32/data_exchange.h"

namespace tarnik {

class CGuiRadioButton : public OwnerDrawnButton, public ui::CheckedFlag {
  public:
    bool Checked() const override { return checked_; }
    void SetChecked(bool checked) override;
    bool Hot() const { return hot_; }

  protected:
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
    void Draw(const DRAWITEMSTRUCT& item) override;

  private:
    void Select();
    void ClearOthersOfGroup();

    bool checked_ = false;
    bool pressing_ = false;
    bool hot_ = false;
};

}  // namespace tarnik
