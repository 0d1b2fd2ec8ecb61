#pragma once
// The ground the owner-drawn check box and radio button share: a checked
// flag of their own (an owner-drawn button has no check state; the
// standard check messages are answered from it for readers outside the
// dialog), the hover look that ends at a tick with the cursor outside, and
// a press by mouse or Space that counts when it is released over the
// control, before the click notice reaches the dialog.
#include "sender/controls/win32/gui_control.h"
#include "ui/win32/data_exchange.h"

namespace tarnik {

class CheckedButton : public OwnerDrawnButton, public ui::CheckedFlag {
  public:
    bool Checked() const override { return checked_; }
    void SetChecked(bool checked) override;
    bool Hot() const { return hot_; }

  protected:
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
    virtual UINT HoverPeriod() const = 0;
    virtual void OnPress() {}
    // A press released over the control.
    virtual void OnClicked() = 0;
    // Any release, after OnClicked when the press counted.
    virtual void OnReleased() {}

    bool checked_ = false;
    bool hot_ = false;
    bool pressing_ = false;

  private:
    void Press();
    void Release(bool inside);
};

}  // namespace tarnik
