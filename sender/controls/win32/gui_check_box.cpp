#include "sender/controls/win32/gui_check_box.h"

#include "sender/controls/gui_colours.h"
#include "sender/controls/win32/button_caption.h"
#include "sender/controls/win32/gui_draw_layer.h"

namespace tarnik {
namespace {

// Hot tracking periods: slow while the mouse rests over the box, fast
// while a button is held.
constexpr UINT kHoverPeriodMs = 100;
constexpr UINT kPressedPeriodMs = 10;

constexpr COLORREF kCornerOrange = RGB(255, 226, 178);
constexpr COLORREF kWhite = RGB(255, 255, 255);

void DrawHoverFrame(HDC dc, const RECT& inside) {
    GuiDrawLayer::Frame(dc, inside, kHoverOrangeOuter);
    RECT inner = inside;
    InflateRect(&inner, -1, -1);
    GuiDrawLayer::Frame(dc, inner, kHoverOrangeInner);
    // Softened corners: white at the outer corners, lighter orange inside.
    const POINT outer_corners[] = {{inside.left, inside.top},
                                   {inside.right - 1, inside.top},
                                   {inside.left, inside.bottom - 1},
                                   {inside.right - 1, inside.bottom - 1}};
    for (const POINT& corner : outer_corners) {
        SetPixelV(dc, corner.x, corner.y, kWhite);
    }
    const POINT inner_corners[] = {{inner.left, inner.top},
                                   {inner.right - 1, inner.top},
                                   {inner.left, inner.bottom - 1},
                                   {inner.right - 1, inner.bottom - 1}};
    for (const POINT& corner : inner_corners) {
        SetPixelV(dc, corner.x, corner.y, kCornerOrange);
    }
}

// A tick three pixels thick: three parallel strokes from the middle of the
// left side down to a point near the bottom, and up to the top right.
void DrawTick(HDC dc, const RECT& box, COLORREF colour) {
    ScopedSelection pen(dc, CreatePen(PS_SOLID, 1, colour), true);
    for (int stroke = 0; stroke < 3; ++stroke) {
        const POINT points[] = {{box.left + 3, box.top + 5 + stroke},
                                {box.left + 5, box.top + 7 + stroke},
                                {box.left + 10, box.top + 2 + stroke}};
        Polyline(dc, points, 3);
    }
}

}  // namespace

UINT CGuiCheckBox::HoverPeriod() const {
    return pressing_ ? kPressedPeriodMs : kHoverPeriodMs;
}

void CGuiCheckBox::OnPress() {
    state_at_press_ = checked_;
    StartHoverTimer(kPressedPeriodMs);
}

void CGuiCheckBox::OnReleased() {
    if (hot_) {
        StartHoverTimer(kHoverPeriodMs);
    }
}

void CGuiCheckBox::Draw(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    GuiDrawLayer::Fill(dc, item.rcItem, GuiDrawLayer::Face());
    const RECT box = MarkBox(Handle(), item.rcItem);
    GuiDrawLayer::Frame(dc, box, GuiDrawLayer::Selection());
    RECT inside = box;
    InflateRect(&inside, -1, -1);
    GuiDrawLayer::Fill(dc, inside, GuiDrawLayer::Highlight());
    if (hot_ && !disabled) {
        DrawHoverFrame(dc, inside);
    }
    // A disabled box still shows its state, greyed.
    if (checked_) {
        DrawTick(dc, box, disabled ? GetSysColor(COLOR_GRAYTEXT) : kTickTeal);
    }
    DrawButtonCaption(Handle(), dc, item.rcItem, box, disabled);
    if ((item.itemState & ODS_FOCUS) != 0) {
        DrawCaptionFocus(dc, item.rcItem, box);
    }
}

}  // namespace tarnik
