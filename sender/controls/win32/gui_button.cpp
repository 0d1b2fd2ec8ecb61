#include "sender/controls/win32/gui_button.h"

#include <commctrl.h>

#include <cstdint>

#include "sender/controls/win32/gui_draw_layer.h"
#include "sender/controls/win32/tooltip_tool.h"
#include "ui/win32/resources.h"

namespace tarnik {
namespace {

// Hot tracking period: the hot look ends within a tick of the cursor leaving.
constexpr UINT kHoverPeriodMs = 10;
// The icon's distance from the left edge.
constexpr int kIconLeft = 2;
constexpr int kFocusInset = 2;

ui::UniqueIcon LoadIconOfSize(int id, int size) {
    if (id == 0) {
        return nullptr;
    }
    return ui::UniqueIcon(static_cast<HICON>(LoadImageA(
        ui::ResourceModule(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_LOADMAP3DCOLORS)));
}

// The icon in light grey over the face: its inner lines stay visible,
// where the system's embossed look of a disabled icon is a flat silhouette
// for an icon that is a filled shape (the cancel button's disc).
void DrawGreyedIcon(HDC dc, HICON icon, int x, int y, int size) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const ui::UniqueMemoryDc memory_dc(CreateCompatibleDC(dc));
    const ui::UniqueBitmap bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (memory_dc == nullptr || bitmap == nullptr || bits == nullptr) {
        return;
    }
    HDC memory = memory_dc.get();
    {
        ScopedSelection selected(memory, bitmap.get());
        const COLORREF face = GuiDrawLayer::Face();
        GuiDrawLayer::Fill(memory, {0, 0, size, size}, face);
        DrawIconEx(memory, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
        GdiFlush();
        auto* pixel = static_cast<uint8_t*>(bits);
        for (int i = 0; i < size * size; ++i, pixel += 4) {
            const int grey = (pixel[2] * 30 + pixel[1] * 59 + pixel[0] * 11) / 100;
            // Half way from the pixel's grey to the face: light, as
            // disabled things look.
            pixel[0] = static_cast<uint8_t>((grey + GetBValue(face)) / 2);
            pixel[1] = static_cast<uint8_t>((grey + GetGValue(face)) / 2);
            pixel[2] = static_cast<uint8_t>((grey + GetRValue(face)) / 2);
        }
        BitBlt(dc, x, y, size, size, memory, 0, 0, SRCCOPY);
    }
}

}  // namespace

CGuiButton::~CGuiButton() {
    DestroyTooltip();
    Detach();
}

HICON CGuiButton::IconFor(bool pressed) const {
    const ui::UniqueIcon& look = pressed ? pressed_ : hot_ ? hot_icon_ : normal_;
    return look != nullptr ? look.get() : normal_.get();
}

void CGuiButton::DestroyTooltip() {
    if (tooltip_ != nullptr && IsWindow(tooltip_)) {
        DestroyWindow(tooltip_);
    }
    tooltip_ = nullptr;
}

bool CGuiButton::SetIcons(int normal, int hot, int pressed, int size) {
    icon_size_ = size;
    normal_ = LoadIconOfSize(normal, size);
    hot_icon_ = LoadIconOfSize(hot, size);
    pressed_ = LoadIconOfSize(pressed, size);
    if (Handle() != nullptr) {
        Redraw();
    }
    return normal_ != nullptr;
}

void CGuiButton::ShowIcon(bool shown) {
    icon_shown_ = shown;
    if (Handle() != nullptr) {
        Redraw();
    }
}

void CGuiButton::SetToolTipText(const wchar_t* text) {
    if (Handle() == nullptr || text == nullptr) {
        return;
    }
    tooltip_text_ = text;
    if (tooltip_ == nullptr) {
        tooltip_ =
            CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                            GetParent(Handle()), nullptr, GetModuleHandleW(nullptr), nullptr);
        if (tooltip_ == nullptr) {
            return;
        }
        tool_info_size_ =
            AddToolToTooltip(tooltip_, GetParent(Handle()), Handle(), tooltip_text_.data());
        // A tooltip without its tool would only take relayed moves for nothing.
        if (tool_info_size_ == 0) {
            DestroyTooltip();
            return;
        }
        SendMessageW(tooltip_, TTM_ACTIVATE, TRUE, 0);
        return;
    }
    TOOLINFOW info =
        ToolInfoFor(GetParent(Handle()), Handle(), tooltip_text_.data(), tool_info_size_);
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CGuiButton::RelayToTooltip(UINT message, WPARAM wparam, LPARAM lparam) const {
    if (tooltip_ == nullptr) {
        return;
    }
    MSG relayed = {Handle(), message, wparam, lparam, static_cast<DWORD>(GetMessageTime()), {}};
    relayed.pt.x = static_cast<short>(LOWORD(lparam));
    relayed.pt.y = static_cast<short>(HIWORD(lparam));
    SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void CGuiButton::OnTimerTick() {
    if (CursorInside()) {
        return;
    }
    hot_ = false;
    StopHoverTimer();
    Redraw();
}

LRESULT CGuiButton::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_MOUSEMOVE:
            RelayToTooltip(message, wparam, lparam);
            if (!hot_) {
                hot_ = true;
                Redraw();
                StartHoverTimer(kHoverPeriodMs);
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            RelayToTooltip(message, wparam, lparam);
            if (message == WM_LBUTTONUP) {
                hot_ = false;
            }
            break;
        case WM_TIMER:
            if (wparam == kHoverTimer) {
                OnTimerTick();
                return 0;
            }
            break;
        case WM_DESTROY:
            DestroyTooltip();
            break;
        case BM_GETIMAGE:
            // The standard question still has its answer.
            return wparam == IMAGE_ICON ? reinterpret_cast<LRESULT>(normal_.get()) : 0;
        default:
            break;
    }
    return OwnerDrawnButton::WindowProc(message, wparam, lparam);
}

void CGuiButton::Draw(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const RECT& area = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    GuiDrawLayer::Fill(dc, area, GuiDrawLayer::Face());

    HICON icon = IconFor(pressed);
    if (icon_shown_ && icon != nullptr) {
        const int y = area.top + (area.bottom - area.top - icon_size_) / 2;
        if (disabled) {
            DrawGreyedIcon(dc, icon, area.left + kIconLeft, y, icon_size_);
        } else {
            DrawIconEx(dc, area.left + kIconLeft, y, icon, icon_size_, icon_size_, 0, nullptr,
                       DI_NORMAL);
        }
    }

    // Flat: the border in the face colour of the moment, so that it still
    // melts into the face after a colour scheme change.
    if (pressed) {
        GuiDrawLayer::Frame3d(dc, area, GuiDrawLayer::Shadow(), GuiDrawLayer::Highlight());
    } else if (hot_ && !disabled) {
        GuiDrawLayer::Frame3d(dc, area, GuiDrawLayer::Highlight(), GuiDrawLayer::Shadow());
    } else {
        GuiDrawLayer::Frame(dc, area, GuiDrawLayer::Face());
    }

    if ((item.itemState & ODS_FOCUS) != 0) {
        RECT focus = area;
        InflateRect(&focus, -kFocusInset, -kFocusInset);
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace tarnik
