#include "sender/controls/win32/gui_control.h"

#include <commctrl.h>

#include "ui/win32/dialog.h"

namespace tarnik {
namespace {

constexpr UINT_PTR kSubclassId = 0x6775;
// The window property that leads from a control to its object.
constexpr char kObjectProperty[] = "TarnikGuiControl";

}  // namespace

GuiControl::~GuiControl() {
    Detach();
}

bool GuiControl::Attach(HWND control) {
    Detach();
    if (control == nullptr || Attached(control) != nullptr ||
        !SetWindowSubclass(control, &Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    window_ = control;
    SetPropA(control, kObjectProperty, this);
    OnAttach();
    return true;
}

void GuiControl::Detach() {
    if (window_ == nullptr) {
        return;
    }
    OnDetach();
    KillTimer(window_, kHoverTimer);
    RemoveWindowSubclass(window_, &Procedure, kSubclassId);
    RemovePropA(window_, kObjectProperty);
    window_ = nullptr;
}

GuiControl* GuiControl::Attached(HWND control) {
    return control != nullptr ? static_cast<GuiControl*>(GetPropA(control, kObjectProperty))
                              : nullptr;
}

LRESULT GuiControl::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
    return Default(message, wparam, lparam);
}

LRESULT GuiControl::Default(UINT message, WPARAM wparam, LPARAM lparam) {
    return DefSubclassProc(window_, message, wparam, lparam);
}

void GuiControl::Redraw() const {
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
}

bool GuiControl::CursorInside() const {
    POINT cursor = {};
    GetCursorPos(&cursor);
    ScreenToClient(window_, &cursor);
    RECT client = {};
    GetClientRect(window_, &client);
    return PtInRect(&client, cursor) != FALSE;
}

void GuiControl::StartHoverTimer(UINT period_ms) const {
    SetTimer(window_, kHoverTimer, period_ms, nullptr);
}

void GuiControl::StopHoverTimer() const {
    KillTimer(window_, kHoverTimer);
}

LRESULT CALLBACK GuiControl::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                       UINT_PTR, DWORD_PTR self) {
    auto* control = reinterpret_cast<GuiControl*>(self);
    if (message == WM_NCDESTROY) {
        control->Detach();
        return DefSubclassProc(window, message, wparam, lparam);
    }
    return control->WindowProc(message, wparam, lparam);
}

void OwnerDrawnButton::OnAttach() {
    const LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
    SetWindowLongPtrA(Handle(), GWL_STYLE, (style & ~BS_TYPEMASK) | BS_OWNERDRAW);
    InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT OwnerDrawnButton::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case ui::kReflectedDrawItem:
            Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
            return TRUE;
        case WM_LBUTTONDBLCLK:
            // An owner-drawn button takes a double click as a notice only;
            // the second click of a quick pair is a press like the first,
            // as on the standard control.
            return WindowProc(WM_LBUTTONDOWN, wparam, lparam);
        case WM_ERASEBKGND:
            // The draw-item handler paints every pixel.
            return TRUE;
        default:
            return Default(message, wparam, lparam);
    }
}

}  // namespace tarnik
