#include "sender/controls/win32/text_progress_ctrl.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "sender/controls/win32/mem_dc.h"
#include "ui/win32/gdi_handles.h"

namespace tarnik {
namespace {

constexpr UINT_PTR kSubclassId = 1;

void Fill(HDC dc, const RECT& area, COLORREF colour) {
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
}

}  // namespace

CTextProgressCtrl::CTextProgressCtrl()
    : bar_(GetSysColor(COLOR_HIGHLIGHT)),
      background_(GetSysColor(COLOR_WINDOW)),
      text_on_background_(GetSysColor(COLOR_HIGHLIGHT)),
      text_on_bar_(GetSysColor(COLOR_WINDOW)) {}

CTextProgressCtrl::~CTextProgressCtrl() {
    Detach();
}

bool CTextProgressCtrl::Attach(HWND control) {
    Detach();
    if (control == nullptr || !SetWindowSubclass(control, &SubclassProcedure, kSubclassId,
                                                 reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    window_ = control;
    return true;
}

void CTextProgressCtrl::Detach() {
    if (window_ != nullptr) {
        RemoveWindowSubclass(window_, &SubclassProcedure, kSubclassId);
        window_ = nullptr;
    }
}

int CTextProgressCtrl::BarWidth() const {
    if (window_ == nullptr || !ProgressPaintable(range_)) {
        return 0;
    }
    RECT client = {};
    GetClientRect(window_, &client);
    return ProgressBarWidth(client.right - client.left, ProgressFraction(range_));
}

int CTextProgressCtrl::SetPos(int position) {
    if (window_ == nullptr) {
        return -1;
    }
    const int previous = range_.position;
    range_.position = position;
    const int width = BarWidth();
    if (width != last_bar_width_) {
        last_bar_width_ = width;
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    return previous;
}

void CTextProgressCtrl::Paint() {
    PAINTSTRUCT paint = {};
    HDC target = BeginPaint(window_, &paint);
    ++paint_count_;
    if (ProgressPaintable(range_)) {
        const double fraction = ProgressFraction(range_);
        RECT client = {};
        GetClientRect(window_, &client);
        RECT bar = client;
        bar.right = client.left + ProgressBarWidth(client.right - client.left, fraction);
        RECT rest = client;
        rest.left = bar.right;
        {
            CMemDC memory(target);
            HDC dc = memory.Get();
            Fill(dc, bar, bar_);
            Fill(dc, rest, background_);
            if (show_text_) {
                const std::string text = ProgressText(text_, fraction);
                SetBkMode(dc, TRANSPARENT);
                HGDIOBJ old_font = SelectObject(
                    dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window_, WM_GETFONT, 0, 0)));
                const RECT parts[2] = {bar, rest};
                const COLORREF colours[2] = {text_on_bar_, text_on_background_};
                for (int i = 0; i < 2; ++i) {
                    const ui::UniqueRegion clip(CreateRectRgnIndirect(&parts[i]));
                    SelectClipRgn(dc, clip.get());
                    SetTextColor(dc, colours[i]);
                    RECT area = client;
                    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area,
                              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
                    SelectClipRgn(dc, nullptr);
                }
                if (old_font != nullptr) {
                    SelectObject(dc, old_font);
                }
            }
        }
    }
    EndPaint(window_, &paint);
}

LRESULT CTextProgressCtrl::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE: {
            const LRESULT result = DefSubclassProc(window_, message, wparam, lparam);
            last_bar_width_ = -1;
            return result;
        }
        case WM_SETTEXT: {
            const LRESULT result = DefSubclassProc(window_, message, wparam, lparam);
            const std::string incoming = IncomingText(lparam);
            if (incoming != text_) {
                text_ = incoming;
                InvalidateRect(window_, nullptr, FALSE);
            }
            return result;
        }
        case WM_GETTEXT:
            return CopyTextOut(static_cast<size_t>(wparam), lparam);
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(IsWindowUnicode(window_) ? WideText().size()
                                                                 : text_.size());
        default:
            return DefSubclassProc(window_, message, wparam, lparam);
    }
}

// The progress control is a Unicode window: its text messages come as
// UTF-16 whoever sent them. The stored text is ANSI, as the window draws it.
std::string CTextProgressCtrl::IncomingText(LPARAM lparam) const {
    if (lparam == 0) {
        return {};
    }
    if (!IsWindowUnicode(window_)) {
        return reinterpret_cast<const char*>(lparam);
    }
    const auto* wide = reinterpret_cast<const wchar_t*>(lparam);
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return {};
    }
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.resize(static_cast<size_t>(size - 1));
    return text;
}

std::wstring CTextProgressCtrl::WideText() const {
    const int size = MultiByteToWideChar(CP_ACP, 0, text_.c_str(), -1, nullptr, 0);
    if (size <= 1) {
        return {};
    }
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text_.c_str(), -1, wide.data(), size);
    wide.resize(static_cast<size_t>(size - 1));
    return wide;
}

// Copies the stored text into the caller's buffer of `size` characters,
// cut to fit; returns the characters copied.
LRESULT CTextProgressCtrl::CopyTextOut(size_t size, LPARAM lparam) const {
    if (lparam == 0 || size == 0) {
        return 0;
    }
    if (IsWindowUnicode(window_)) {
        const std::wstring wide = WideText();
        auto* buffer = reinterpret_cast<wchar_t*>(lparam);
        const size_t count = std::min(size - 1, wide.size());
        std::wmemcpy(buffer, wide.data(), count);
        buffer[count] = L'\0';
        return static_cast<LRESULT>(count);
    }
    auto* buffer = reinterpret_cast<char*>(lparam);
    const size_t count = std::min(size - 1, text_.size());
    std::memcpy(buffer, text_.data(), count);
    buffer[count] = '\0';
    return static_cast<LRESULT>(count);
}

LRESULT CALLBACK CTextProgressCtrl::SubclassProcedure(HWND window, UINT message, WPARAM wparam,
                                                      LPARAM lparam, UINT_PTR, DWORD_PTR self) {
    auto* control = reinterpret_cast<CTextProgressCtrl*>(self);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &SubclassProcedure, kSubclassId);
        control->window_ = nullptr;
        return DefSubclassProc(window, message, wparam, lparam);
    }
    return control->Handle(message, wparam, lparam);
}

}  // namespace tarnik
