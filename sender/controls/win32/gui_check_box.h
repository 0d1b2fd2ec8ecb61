#pragma once
// CGuiCheckBox: a check box drawn as a 13 x 13 box with an orange frame
// while the mouse is over it and a teal tick. Its checked flag is its own
// (an owner-drawn button has no check state): the dialog sets and reads it
// directly, and the standard check messages are answered from it for
// readers outside the dialog.
#include "sender/controls/win32/gui_control.h"
#include "ui/win32/data_exchange.h"

namespace tarnik {

class CGuiCheckBox : public OwnerDrawnButton, public ui::CheckedFlag {
  public:
    bool Checked() const override { return checked_; }
    void SetChecked(bool checked) override;
    bool Hot() const { return hot_; }

  protected:
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
    void Draw(const DRAWITEMSTRUCT& item) override;

  private:
    void Press();
    void Release(bool inside);

    bool checked_ = false;
    // A press in progress and the state it found.
    bool pressing_ = false;
    bool state_at_press_ = false;
    bool hot_ = false;
};

}  // namespace tarnik
