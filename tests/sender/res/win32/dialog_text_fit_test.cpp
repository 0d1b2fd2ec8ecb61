// The settings dialog's labels in both languages, measured in the dialog's
// own font: each text fits its control on one line, and leaves a gap
// before the control beside it. A clipped or wrapped label ("USB printer
// por") is found here before a user sees it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "sender/res/resource.h"

namespace tarnik {
namespace {

// Pixels a check box spends before its text: the box and the gap after it.
const int kCheckBoxOverhead = GetSystemMetrics(SM_CXMENUCHECK) + 6;
// A group box's caption starts after the frame's corner and ends before it.
constexpr int kGroupCaptionOverhead = 16;
// A label's text stays clear of the control to its right by 4 dialog
// units, so that a font a little wider than the one measured here still
// leaves them apart.
constexpr int kLabelGapUnits = 4;

std::wstring Text(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

bool Visible(HWND window) {
    return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

std::string Utf8(const std::wstring& text) {
    char bytes[512] = {};
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

RECT RectIn(HWND dialog, HWND control) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

enum class Kind { Other, Label, CheckBox, GroupBox };

Kind KindOf(HWND control) {
    wchar_t name[32] = {};
    GetClassNameW(control, name, 32);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    if (_wcsicmp(name, L"Static") == 0) {
        return Kind::Label;
    }
    if (_wcsicmp(name, L"Button") == 0) {
        const LONG type = style & BS_TYPEMASK;
        if (type == BS_GROUPBOX) {
            return Kind::GroupBox;
        }
        if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX) {
            return Kind::CheckBox;
        }
    }
    return Kind::Other;
}

// Every visible label of the dialog that does not fit: its text, the width
// it needs and the width it has.
std::vector<std::string> Misfits(HWND dialog) {
    std::vector<std::string> misfits;
    RECT gap = {0, 0, kLabelGapUnits, 0};
    MapDialogRect(dialog, &gap);
    HDC dc = GetDC(dialog);
    HGDIOBJ old_font =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    std::vector<HWND> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (Visible(child)) {
            controls.push_back(child);
        }
    }
    for (HWND control : controls) {
        const Kind kind = KindOf(control);
        const std::wstring text = Text(control);
        if (kind == Kind::Other || text.empty()) {
            continue;
        }
        RECT needed = {};
        DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE);
        const RECT rect = RectIn(dialog, control);
        const int overhead = kind == Kind::CheckBox   ? kCheckBoxOverhead
                             : kind == Kind::GroupBox ? kGroupCaptionOverhead
                                                      : 0;
        const int text_end = rect.left + overhead + needed.right;
        const int has = rect.right - rect.left - overhead;
        if (needed.right > has || (kind == Kind::Label && needed.bottom > rect.bottom - rect.top)) {
            misfits.push_back(Utf8(text) + ": needs " + std::to_string(needed.right) + " px, has " +
                              std::to_string(has));
            continue;
        }
        if (kind == Kind::GroupBox) {
            continue;
        }
        // The nearest control to the right on the same row.
        for (HWND other : controls) {
            const RECT next = RectIn(dialog, other);
            const bool same_row = next.top < rect.bottom && next.bottom > rect.top;
            if (other != control && KindOf(other) != Kind::GroupBox && same_row &&
                next.left >= rect.left + 1 && next.left < text_end + gap.right) {
                misfits.push_back(Utf8(text) + ": ends " + std::to_string(text_end) +
                                  " px, next control at " + std::to_string(next.left));
            }
        }
    }
    SelectObject(dc, old_font);
    ReleaseDC(dialog, dc);
    return misfits;
}

INT_PTR CALLBACK Quiet(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// The English resource library beside the test program's build folder.
HMODULE LoadEnglishLibrary() {
    std::string path = "Z:" TARNIK_ANGLET_DLL;
    for (char& c : path) {
        c = c == '/' ? '\\' : c;
    }
    return LoadLibraryA(path.c_str());
}

TEST(SettingsDialogLayout, EveryLabelFitsInBothLanguages) {
    HMODULE english = LoadEnglishLibrary();
    ASSERT_NE(english, nullptr);
    const struct {
        const char* label;
        HMODULE resources;
    } cases[] = {
        {"Chinese", GetModuleHandleW(nullptr)},
        {"English", english},
    };
    // The settings dialog, and the file settings dialog with its cut order.
    const int dialogs[] = {IDD_CFG_DIALOG, IDD_PLTFILECFG};
    for (const auto& c : cases) {
        for (const int id : dialogs) {
            SCOPED_TRACE(::testing::Message() << c.label << ", dialog " << id);
            HWND dialog = CreateDialogParamW(c.resources, MAKEINTRESOURCEW(id), nullptr, &Quiet, 0);
            ASSERT_NE(dialog, nullptr);
            if (id == IDD_PLTFILECFG) {
                // The line time as a job of ten hours would show it.
                wchar_t line[128] = {};
                LoadStringW(c.resources, IDS_LINE_TIME, line, 128);
                std::wstring shown = line;
                shown.replace(shown.find(L"%s"), 2, L"10:00:00");
                SetDlgItemTextW(dialog, IDC_LINE_TIME, shown.c_str());
            }
            EXPECT_EQ(Misfits(dialog), std::vector<std::string>{});
            DestroyWindow(dialog);
        }
    }
    FreeLibrary(english);
}

}  // namespace
}  // namespace tarnik
