#include "sender/controls/win32/checked_button.h"

namespace tarnik {

void CheckedButton::SetChecked(bool checked) {
    checked_ = checked;
    if (Handle() != nullptr) {
        Redraw();
    }
}

void CheckedButton::Press() {
    pressing_ = true;
    OnPress();
}

void CheckedButton::Release(bool inside) {
    if (pressing_ && inside) {
        OnClicked();
    }
    pressing_ = false;
    OnReleased();
}

LRESULT CheckedButton::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_MOUSEMOVE:
            if (!hot_) {
                hot_ = true;
                Redraw();
                StartHoverTimer(HoverPeriod());
            }
            break;
        case WM_LBUTTONDOWN:
            Press();
            break;
        case WM_LBUTTONUP: {
            RECT client = {};
            GetClientRect(Handle(), &client);
            const POINT at = {static_cast<short>(LOWORD(lparam)),
                              static_cast<short>(HIWORD(lparam))};
            Release(PtInRect(&client, at) != FALSE);
            break;
        }
        case WM_KEYDOWN:
            // Not again for the keyboard's repeats.
            if (wparam == VK_SPACE && (lparam & 0x40000000) == 0) {
                Press();
            }
            break;
        case WM_KEYUP:
            if (wparam == VK_SPACE) {
                Release(true);
            }
            break;
        case WM_TIMER:
            if (wparam == kHoverTimer) {
                if (!CursorInside()) {
                    hot_ = false;
                    StopHoverTimer();
                    Redraw();
                }
                return 0;
            }
            break;
        case BM_GETCHECK:
            return checked_ ? BST_CHECKED : BST_UNCHECKED;
        case BM_SETCHECK:
            SetChecked(wparam == BST_CHECKED);
            return 0;
        default:
            break;
    }
    return OwnerDrawnButton::WindowProc(message, wparam, lparam);
}

}  // namespace tarnik
