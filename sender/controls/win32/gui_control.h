#pragma once
// The common ground of the custom-drawn dialog controls: each wraps a
// control of a dialog template by subclassing it, so the standard control
// keeps its behaviour, keyboard use and notifications and the class only
// adds drawing and mouse tracking. Hover states end through timer 1 of the
// control, which checks the cursor on each tick (no mouse-leave message is
// relied on).
#include <windows.h>

namespace tarnik {

class GuiControl {
  public:
    GuiControl() = default;
    virtual ~GuiControl();
    GuiControl(const GuiControl&) = delete;
    GuiControl& operator=(const GuiControl&) = delete;

    // Subclasses the control; false when it is missing or already taken.
    bool Attach(HWND control);
    void Detach();
    HWND Handle() const { return window_; }

    // The object attached to `control`, when it is of class T.
    template <typename T>
    static T* FromHandle(HWND control) {
        return dynamic_cast<T*>(Attached(control));
    }

  protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam);
    virtual void OnAttach() {}
    // Before the subclass goes. A class that overrides it calls Detach in
    // its own destructor, while its part of the object still exists.
    virtual void OnDetach() {}
    LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam);

    // Invalidates and repaints at once.
    void Redraw() const;
    bool CursorInside() const;
    void StartHoverTimer(UINT period_ms) const;
    void StopHoverTimer() const;

    static constexpr UINT_PTR kHoverTimer = 1;

  private:
    static GuiControl* Attached(HWND control);
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                      UINT_PTR id, DWORD_PTR self);

    HWND window_ = nullptr;
};

// A button made owner-drawn when attached: the dialog passes its draw-item
// message on (kReflectedDrawItem), and the class draws the whole control.
class OwnerDrawnButton : public GuiControl {
  protected:
    void OnAttach() override;
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
    virtual void Draw(const DRAWITEMSTRUCT& item) = 0;
};

}  // namespace tarnik
