#pragma once
// CGuiComboBoxExt: a combo box with a flat frame that lights up in tints of
// the selection colour while the mouse is over it or its list is open. A
// combo box with an edit completes typed text from its list, and Enter in
// the edit adds the text to the list and tells the dialog with WM_COMMAND
// (the control's id, 0). A drop-down list keeps Enter for the dialog's
// default button (its "edit text" is an entry already).
#include <string>

#include "sender/controls/win32/gui_control.h"
#include "sender/controls/win32/gui_draw_layer.h"

namespace tarnik {

class CGuiComboBoxExt : public GuiControl {
  public:
    CGuiComboBoxExt() = default;
    ~CGuiComboBoxExt() override { Detach(); }

    // Appends to the list (also in a sorted box's order of adding).
    int AddString(const char* text);
    bool Hot() const { return hot_; }
    bool Dropped() const { return dropped_; }

  protected:
    void OnAttach() override;
    void OnDetach() override;
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

  private:
    enum class Look { kNormal, kHot, kPressed };

    static LRESULT CALLBACK EditProcedure(HWND edit, UINT message, WPARAM wparam, LPARAM lparam,
                                          UINT_PTR id, DWORD_PTR self);
    LRESULT EditProc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam);
    // The look a repaint gives: pressed while the list is open.
    Look RestingLook() const;
    void DrawFrame(HDC dc, Look look) const;
    void DrawFrameNow(Look look) const;
    void OnTimerTick();
    void CompleteTypedText();
    void CommitEditText();
    std::string EditText() const;

    ArrowImages arrows_;
    HWND edit_ = nullptr;
    int thumb_width_ = 0;
    bool hot_ = false;
    bool dropped_ = false;
    bool completing_ = false;
    // A deletion must not be undone by completing the text again.
    bool skip_completion_ = false;
};

}  // namespace tarnik
