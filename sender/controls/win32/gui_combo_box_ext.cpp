#include "sender/controls/win32/gui_combo_box_ext.h"

#include <commctrl.h>

#include <vector>

#include "sender/controls/combo_completion.h"

namespace tarnik {
namespace {

constexpr UINT kHoverPeriodMs = 10;
constexpr UINT_PTR kEditSubclassId = 0x6776;
// The arrow's place in the drop-down strip: 2 pixels in, 2 more at rest.
constexpr int kArrowInset = 2;
constexpr int kRestingArrowShift = 2;

std::string ListEntry(HWND combo, int index) {
    const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    // The length may count more than the text has (a Unicode box counts
    // for the worst case): only what was copied is the entry.
    const LRESULT copied = SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

}  // namespace

void CGuiComboBoxExt::OnAttach() {
    thumb_width_ = GetSystemMetrics(SM_CXHTHUMB);
    arrows_.Load();
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(Handle(), &info) && info.hwndItem != nullptr && info.hwndItem != Handle()) {
        edit_ = info.hwndItem;
        SetWindowSubclass(edit_, &EditProcedure, kEditSubclassId,
                          reinterpret_cast<DWORD_PTR>(this));
    }
}

void CGuiComboBoxExt::OnDetach() {
    if (edit_ != nullptr) {
        RemoveWindowSubclass(edit_, &EditProcedure, kEditSubclassId);
        edit_ = nullptr;
    }
}

int CGuiComboBoxExt::AddString(const char* text) {
    return static_cast<int>(SendMessageA(Handle(), CB_INSERTSTRING, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(text)));
}

CGuiComboBoxExt::Look CGuiComboBoxExt::RestingLook() const {
    return SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0 ? Look::kPressed : Look::kNormal;
}

void CGuiComboBoxExt::DrawFrame(HDC dc, Look look) const {
    RECT area = {};
    GetClientRect(Handle(), &area);
    const COLORREF face = GuiDrawLayer::Face();
    const COLORREF lifted = GuiDrawLayer::LiftedHighlight();
    GuiDrawLayer::Frame(dc, area, face);
    RECT ring = area;
    InflateRect(&ring, -1, -1);
    GuiDrawLayer::Frame(dc, ring, look == Look::kNormal ? face : lifted);

    RECT strip = {area.right - 2 - thumb_width_, area.top + 2, area.right - 2, area.bottom - 2};
    GuiDrawLayer::Frame(dc, strip, lifted);
    RECT inside = strip;
    InflateRect(&inside, -1, -1);
    if (look == Look::kHot) {
        GuiDrawLayer::Fill(dc, inside, GuiDrawLayer::PaleHighlight());
    } else if (look == Look::kPressed) {
        GuiDrawLayer::Fill(dc, inside, GuiDrawLayer::SoftHighlight());
    } else {
        GuiDrawLayer::Frame(dc, inside, GuiDrawLayer::Highlight());
        InflateRect(&inside, -1, -1);
        GuiDrawLayer::Fill(dc, inside, face);
    }
    // Image 1 is the greyed arrow of a disabled box.
    const int image = IsWindowEnabled(Handle()) ? 0 : 1;
    const int x = strip.left + kArrowInset + (look == Look::kNormal ? kRestingArrowShift : 0);
    const int y = area.top + (area.bottom - area.top - arrows_.Height()) / 2;
    arrows_.Draw(dc, image, x, y);
}

void CGuiComboBoxExt::DrawFrameNow(Look look) const {
    HDC dc = GetDC(Handle());
    if (dc != nullptr) {
        DrawFrame(dc, look);
        ReleaseDC(Handle(), dc);
    }
}

void CGuiComboBoxExt::OnTimerTick() {
    if (dropped_ && SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0) == 0) {
        dropped_ = false;  // the list closed: the cursor decides again
    }
    if (dropped_ || CursorInside()) {
        return;
    }
    hot_ = false;
    StopHoverTimer();
    DrawFrameNow(Look::kNormal);
}

std::string CGuiComboBoxExt::EditText() const {
    const int length = GetWindowTextLengthA(edit_);
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    // As for the list entries: only what was copied is the text.
    const int copied = GetWindowTextA(edit_, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void CGuiComboBoxExt::CompleteTypedText() {
    const DWORD selection = static_cast<DWORD>(SendMessageA(Handle(), CB_GETEDITSEL, 0, 0));
    const std::string typed = EditText();
    std::vector<std::string> entries;
    const int count = static_cast<int>(SendMessageA(Handle(), CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        entries.push_back(ListEntry(Handle(), i));
    }
    const Completion completion = CompleteFromList(
        typed, {static_cast<int>(LOWORD(selection)), static_cast<int>(HIWORD(selection))}, entries);
    if (completion.entry < 0) {
        return;  // the typed text and its caret stay as they are
    }
    completing_ = true;
    SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(completion.entry), 0);
    SendMessageA(Handle(), CB_SETEDITSEL, 0,
                 MAKELPARAM(completion.selection.start, completion.selection.end));
    completing_ = false;
}

void CGuiComboBoxExt::CommitEditText() {
    const std::string text = EditText();
    // An entry already in the list is not added twice.
    if (!text.empty() && SendMessageA(Handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(text.c_str())) == CB_ERR) {
        AddString(text.c_str());
    }
    SendMessageA(GetParent(Handle()), WM_COMMAND, static_cast<WPARAM>(GetDlgCtrlID(Handle())), 0);
}

LRESULT CGuiComboBoxExt::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_SETCURSOR:
            if (!hot_ && !dropped_ && CursorInside()) {
                hot_ = true;
                DrawFrameNow(Look::kHot);
                StartHoverTimer(kHoverPeriodMs);
            }
            break;
        case WM_LBUTTONDOWN: {
            hot_ = true;
            dropped_ = true;
            const LRESULT answer = Default(message, wparam, lparam);
            DrawFrameNow(Look::kPressed);
            StartHoverTimer(kHoverPeriodMs);
            return answer;
        }
        case WM_SETFOCUS: {
            const LRESULT answer = Default(message, wparam, lparam);
            DrawFrameNow(Look::kPressed);
            return answer;
        }
        case WM_KILLFOCUS: {
            const LRESULT answer = Default(message, wparam, lparam);
            hot_ = false;
            dropped_ = false;
            DrawFrameNow(Look::kNormal);
            return answer;
        }
        case WM_PAINT: {
            const LRESULT answer = Default(message, wparam, lparam);
            DrawFrameNow(RestingLook());
            return answer;
        }
        case WM_PRINTCLIENT: {
            const LRESULT answer = Default(message, wparam, lparam);
            DrawFrame(reinterpret_cast<HDC>(wparam), RestingLook());
            return answer;
        }
        case WM_TIMER:
            if (wparam == kHoverTimer) {
                OnTimerTick();
                return 0;
            }
            break;
        case WM_COMMAND:
            if (edit_ != nullptr && reinterpret_cast<HWND>(lparam) == edit_ &&
                HIWORD(wparam) == EN_UPDATE) {
                const LRESULT answer = Default(message, wparam, lparam);
                if (!completing_ && !skip_completion_) {
                    CompleteTypedText();
                }
                skip_completion_ = false;
                return answer;
            }
            break;
        default:
            break;
    }
    return Default(message, wparam, lparam);
}

LRESULT CGuiComboBoxExt::EditProc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_GETDLGCODE: {
            const LRESULT code = DefSubclassProc(edit, message, wparam, lparam);
            const auto* key = reinterpret_cast<const MSG*>(lparam);
            if (key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_RETURN) {
                return code | DLGC_WANTALLKEYS;
            }
            return code;
        }
        case WM_KEYDOWN:
            if (wparam == VK_RETURN) {
                CommitEditText();
                return 0;
            }
            if (wparam == VK_BACK || wparam == VK_DELETE) {
                skip_completion_ = true;
            }
            break;
        case WM_CHAR:
            if (wparam == '\r') {
                return 0;  // taken by the key-down
            }
            if (wparam == '\b') {
                skip_completion_ = true;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(edit, &EditProcedure, kEditSubclassId);
            edit_ = nullptr;
            break;
        default:
            break;
    }
    return DefSubclassProc(edit, message, wparam, lparam);
}

LRESULT CALLBACK CGuiComboBoxExt::EditProcedure(HWND edit, UINT message, WPARAM wparam,
                                                LPARAM lparam, UINT_PTR, DWORD_PTR self) {
    return reinterpret_cast<CGuiComboBoxExt*>(self)->EditProc(edit, message, wparam, lparam);
}

}  // namespace tarnik
