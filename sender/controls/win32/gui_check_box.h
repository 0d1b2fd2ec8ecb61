#pragma once
// CGuiCheckBox: a check box drawn as a 13 x 13 box with an orange frame
// while the mouse is over it and a teal tick. Its checked flag is its own
// (an owner-drawn button has no check state): the dialog sets and reads it
// directly.
#include "sender/controls/win32/checked_button.h"

namespace tarnik {

class CGuiCheckBox : public CheckedButton {
  protected:
    UINT HoverPeriod() const override;
    void OnPress() override;
    void OnClicked() override { checked_ = !state_at_press_; }
    void OnReleased() override;
    void Draw(const DRAWITEMSTRUCT& item) override;

  private:
    // The state a press found.
    bool state_at_press_ = false;
};

}  // namespace tarnik
