#pragma once
// CGuiRadioButton: a radio button drawn as a 13 x 13 pixel circle on the
// face tint, with an orange ring while the mouse is over it and a green dot
// when checked. Checking it clears every other CGuiRadioButton of its
// dialog group. The checked flag is its own, as for CGuiCheckBox.
#include "sender/controls/win32/checked_button.h"

namespace tarnik {

class CGuiRadioButton : public CheckedButton {
  protected:
    UINT HoverPeriod() const override;
    void OnClicked() override;
    void OnReleased() override { hot_ = false; }
    void Draw(const DRAWITEMSTRUCT& item) override;

  private:
    void ClearOthersOfGroup();
};

}  // namespace tarnik
