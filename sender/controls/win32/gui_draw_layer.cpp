#include "sender/controls/win32/gui_draw_layer.h"

#include "sender/controls/gui_colours.h"
#include "sender/res/resource.h"
#include "ui/win32/resources.h"

namespace tarnik {
namespace {

constexpr COLORREF kTransparentMagenta = RGB(255, 0, 255);

}  // namespace

COLORREF GuiDrawLayer::Face() {
    return GetSysColor(COLOR_BTNFACE);
}

COLORREF GuiDrawLayer::Shadow() {
    return GetSysColor(COLOR_BTNSHADOW);
}

COLORREF GuiDrawLayer::Highlight() {
    return GetSysColor(COLOR_BTNHIGHLIGHT);
}

COLORREF GuiDrawLayer::Selection() {
    return GetSysColor(COLOR_HIGHLIGHT);
}

COLORREF GuiDrawLayer::LiftedHighlight() {
    return tarnik::LiftedHighlight(Selection());
}

COLORREF GuiDrawLayer::PaleHighlight() {
    return tarnik::PaleHighlight(Selection());
}

COLORREF GuiDrawLayer::SoftHighlight() {
    return tarnik::SoftHighlight(Selection());
}

COLORREF GuiDrawLayer::FaceTint() {
    return tarnik::FaceTint(Face());
}

void GuiDrawLayer::Fill(HDC dc, const RECT& area, COLORREF colour) {
    const COLORREF previous = SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
    SetBkColor(dc, previous);
}

void GuiDrawLayer::Frame3d(HDC dc, const RECT& area, COLORREF top_left, COLORREF bottom_right) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    Fill(dc, {area.left, area.top, area.right - 1, area.top + 1}, top_left);
    Fill(dc, {area.left, area.top, area.left + 1, area.bottom - 1}, top_left);
    Fill(dc, {area.left + width - 1, area.top, area.right, area.bottom}, bottom_right);
    Fill(dc, {area.left, area.top + height - 1, area.right, area.bottom}, bottom_right);
}

void GuiDrawLayer::Frame(HDC dc, const RECT& area, COLORREF colour) {
    Frame3d(dc, area, colour, colour);
}

ArrowImages::~ArrowImages() {
    if (images_ != nullptr) {
        ImageList_Destroy(images_);
    }
}

bool ArrowImages::Load() {
    if (images_ != nullptr) {
        return true;
    }
    // Both languages' resources carry the arrows, as they carry the icons.
    images_ =
        ImageList_LoadImageA(ui::ResourceModule(), MAKEINTRESOURCEA(IDB_DROPDOWN_ARROWS), kWidth, 1,
                             kTransparentMagenta, IMAGE_BITMAP, LR_CREATEDIBSECTION);
    int width = 0;
    if (images_ != nullptr) {
        ImageList_GetIconSize(images_, &width, &height_);
    }
    return images_ != nullptr;
}

void ArrowImages::Draw(HDC dc, int index, int x, int y) const {
    if (images_ != nullptr) {
        ImageList_Draw(images_, index, dc, x, y, ILD_TRANSPARENT);
    }
}

}  // namespace tarnik
