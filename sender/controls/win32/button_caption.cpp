#include "sender/controls/win32/button_caption.h"

#include <string>

#include "sender/controls/win32/gui_draw_layer.h"
#include "sender/controls/win32/window_text.h"

namespace tarnik {
namespace {

constexpr int kCaptionOffset = 14;
constexpr int kCentreFromHeight = 14;

bool MarkAtRight(HWND control) {
    return (GetWindowLongPtrA(control, GWL_STYLE) & BS_LEFTTEXT) != 0;
}

}  // namespace

RECT MarkBox(HWND control, const RECT& area) {
    const int height = area.bottom - area.top;
    const int top = height >= kCentreFromHeight ? area.top + (height - kMarkSize) / 2 : area.top;
    const int left = MarkAtRight(control) ? area.right - kMarkSize : area.left;
    return {left, top, left + kMarkSize, top + kMarkSize};
}

void DrawButtonCaption(HWND control, HDC dc, const RECT& area, const RECT& mark, bool disabled) {
    const std::wstring text = WindowTextW(control);
    if (text.empty()) {
        return;
    }
    RECT place = area;
    if (MarkAtRight(control)) {
        place.right = mark.left - 1;
    } else {
        place.left = mark.left + kCaptionOffset;
    }
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    ScopedSelection font_selection(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    const int mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF colour =
        SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    SetTextColor(dc, colour);
    SetBkMode(dc, mode);
}

void DrawCaptionFocus(HDC dc, const RECT& area, const RECT& mark) {
    RECT focus = area;
    if (mark.left > area.left) {
        focus.right = mark.left - 1;
    } else {
        focus.left = mark.right + 1;
    }
    DrawFocusRect(dc, &focus);
}

}  // namespace tarnik
