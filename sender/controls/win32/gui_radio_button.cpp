#include "sender/controls/win32/gui_radio_button.h"

#include "sender/controls/win32/button_caption.h"
#include "sender/controls/win32/gui_draw_layer.h"

namespace tarnik {
namespace {

constexpr UINT kHoverPeriodMs = 100;

// The circle's tones: a blue-grey ring with a lighter rim, the orange hover
// ring, the green dot with its lighter edge.
constexpr COLORREF kRing = RGB(90, 128, 160);
constexpr COLORREF kRingRim = RGB(164, 184, 198);
constexpr COLORREF kInside = RGB(255, 255, 255);
constexpr COLORREF kHoverRing = RGB(251, 200, 99);
constexpr COLORREF kHoverRim = RGB(253, 225, 165);
constexpr COLORREF kDot = RGB(34, 162, 32);
constexpr COLORREF kDotEdge = RGB(120, 200, 110);

// The colour of pixel (x, y) of the 13 x 13 circle, by its squared distance
// (in quarter pixels) from the centre; CLR_INVALID leaves the face showing.
COLORREF CirclePixel(int x, int y, bool hot, bool checked) {
    const int dx = 4 * x + 2 - 26;
    const int dy = 4 * y + 2 - 26;
    const int distance = dx * dx + dy * dy;  // (4 r)^2
    if (distance > 26 * 26) {
        return CLR_INVALID;
    }
    if (distance > 22 * 22) {
        return distance > 24 * 24 ? kRingRim : kRing;
    }
    if (checked && distance <= 10 * 10) {
        return distance > 7 * 7 ? kDotEdge : kDot;
    }
    if (hot && distance > 15 * 15) {
        return distance > 19 * 19 ? kHoverRing : kHoverRim;
    }
    return kInside;
}

bool StartsGroup(HWND control) {
    return (GetWindowLongPtrA(control, GWL_STYLE) & WS_GROUP) != 0;
}

}  // namespace

UINT CGuiRadioButton::HoverPeriod() const {
    return kHoverPeriodMs;
}

// The dialog group: from the control that starts it (WS_GROUP, or the
// first child) up to the next control that starts another. Hidden and
// disabled radios belong to it, as the main window's two hidden mode
// radios must still exclude each other.
void CGuiRadioButton::ClearOthersOfGroup() {
    HWND first = Handle();
    while (!StartsGroup(first) && GetWindow(first, GW_HWNDPREV) != nullptr) {
        first = GetWindow(first, GW_HWNDPREV);
    }
    for (HWND control = first; control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
        if (control != first && StartsGroup(control)) {
            break;
        }
        auto* radio = FromHandle<CGuiRadioButton>(control);
        if (radio != nullptr && radio != this) {
            radio->SetChecked(false);
        }
    }
}

void CGuiRadioButton::OnClicked() {
    checked_ = true;
    hot_ = false;
    ClearOthersOfGroup();
    Redraw();
}

void CGuiRadioButton::Draw(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    GuiDrawLayer::Fill(dc, item.rcItem, GuiDrawLayer::FaceTint());
    const RECT box = MarkBox(Handle(), item.rcItem);
    for (int y = 0; y < kMarkSize; ++y) {
        for (int x = 0; x < kMarkSize; ++x) {
            const COLORREF colour = CirclePixel(x, y, hot_ && !disabled, checked_);
            if (colour != CLR_INVALID) {
                SetPixelV(dc, box.left + x, box.top + y, colour);
            }
        }
    }
    DrawButtonCaption(Handle(), dc, item.rcItem, box, disabled);
    if ((item.itemState & ODS_FOCUS) != 0) {
        DrawCaptionFocus(dc, item.rcItem, box);
    }
}

}  // namespace tarnik
