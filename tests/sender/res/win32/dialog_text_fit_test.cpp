// The settings dialog's labels in both languages, measured in the dialog's
// own font: each text fits its control on one line, and leaves a gap
// before the control beside it. A clipped or wrapped label ("USB printer
// por") is found here before a user sees it.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "sender/controls/win32/gui_draw_layer.h"
#include "sender/controls/win32/gui_group_box.h"
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

// The entries of the file settings dialog's drop-down lists that do not
// fit the closed list (its width less the drop-down button).
std::vector<std::string> ListMisfits(HWND dialog, HMODULE resources) {
    const struct {
        int list;
        int strings[3];
    } lists[] = {
        {IDC_CUT_ORDER, {IDS_ORDER_DRAWN, IDS_ORDER_INSIDE, IDS_ORDER_SHORTEST}},
        {IDC_ROTATE, {IDS_ROTATE_NONE, IDS_ROTATE_QUARTER, IDS_ROTATE_AUTO}},
        {IDC_WEED_DIRECTION, {IDS_WEED_BOTH, IDS_WEED_ACROSS, IDS_WEED_ALONG}},
    };
    std::vector<std::string> misfits;
    HDC dc = GetDC(dialog);
    HGDIOBJ old_font =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    for (const auto& l : lists) {
        const RECT rect = RectIn(dialog, GetDlgItem(dialog, l.list));
        const int has = rect.right - rect.left - GetSystemMetrics(SM_CXVSCROLL) - 6;
        for (const int id : l.strings) {
            wchar_t text[128] = {};
            LoadStringW(resources, id, text, 128);
            RECT needed = {};
            DrawTextW(dc, text, -1, &needed, DT_CALCRECT | DT_SINGLELINE);
            if (needed.right > has) {
                misfits.push_back(Utf8(text) + ": needs " + std::to_string(needed.right) +
                                  " px, has " + std::to_string(has));
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
    // The settings dialog, and the file settings dialog with its cut order
    // and media controls, its lists' entries too.
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
                EXPECT_EQ(ListMisfits(dialog, c.resources), std::vector<std::string>{});
            }
            EXPECT_EQ(Misfits(dialog), std::vector<std::string>{});
            DestroyWindow(dialog);
        }
    }
    FreeLibrary(english);
}

// One pixel row of the control as WM_PRINT draws it.
std::vector<COLORREF> PrintedRow(HWND control, int y) {
    RECT frame = {};
    GetWindowRect(control, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    SendMessageW(control, WM_PRINT, reinterpret_cast<WPARAM>(memory),
                 PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
    std::vector<COLORREF> row;
    for (int x = 0; x < width; ++x) {
        row.push_back(GetPixel(memory, x, y));
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return row;
}

// Width of `text` in the group box's caption font (11-pixel Verdana).
int CaptionWidth(const std::wstring& text) {
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             VARIABLE_PITCH | FF_SWISS, L"Verdana");
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

struct Language {
    const char* label;
    HMODULE resources;
};

// Both dialogs with custom-drawn group boxes, made with the ANSI call as a
// program's ANSI windows are: there a Chinese caption's length comes back
// counted in bytes. Each caption leaves a gap in the frame line as wide as
// the caption itself (and its margins of 2 pixels a side), in both
// languages; the English Port box shows the longest port name whole.
TEST(DialogLayout, GroupCaptionGapsAndThePortBoxInBothLanguages) {
    HMODULE english = LoadEnglishLibrary();
    ASSERT_NE(english, nullptr);
    const Language languages[] = {{"Chinese", GetModuleHandleW(nullptr)}, {"English", english}};
    const struct {
        int dialog;
        std::vector<int> groups;
    } dialogs[] = {
        {IDD_CFG_DIALOG,
         {IDC_CFG_PORT_GROUP, IDC_CFG_CUT_GROUP, IDC_CFG_CONTOUR_GROUP, IDC_CFG_DASHED_GROUP}},
        {IDD_PLTFILECFG, {IDC_FILE_SIZE_GROUP, IDC_MARGIN_GROUP}},
    };
    // The frame line: one pixel inside the control, 6 below its top.
    constexpr int kFrameRow = 7;
    constexpr int kCaptionMargins = 4;
    for (const Language& language : languages) {
        for (const auto& d : dialogs) {
            SCOPED_TRACE(std::string(language.label) + " dialog " + std::to_string(d.dialog));
            HWND dialog = CreateDialogParamA(language.resources, MAKEINTRESOURCEA(d.dialog),
                                             nullptr, &Quiet, 0);
            ASSERT_NE(dialog, nullptr);
            for (const int id : d.groups) {
                SCOPED_TRACE(id);
                HWND control = GetDlgItem(dialog, id);
                const std::wstring caption = Text(control);
                ASSERT_FALSE(caption.empty());
                CGuiGroupBox group;
                ASSERT_TRUE(group.Attach(control));
                EXPECT_EQ(group.Caption(), caption);
                const std::vector<COLORREF> row = PrintedRow(control, kFrameRow);
                int gap = 0;
                for (const COLORREF pixel : row) {
                    gap += pixel != GuiDrawLayer::Shadow() ? 1 : 0;
                }
                // Less the corners' two pixels and the ends of the row.
                gap -= 2 * 3;
                EXPECT_NEAR(gap, CaptionWidth(caption) + kCaptionMargins, 1) << Utf8(caption);
            }
            if (d.dialog == IDD_CFG_DIALOG) {
                HWND port = GetDlgItem(dialog, IDC_CFG_PORT);
                SendMessageW(port, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"COM254"));
                COMBOBOXINFO info = {};
                info.cbSize = sizeof info;
                ASSERT_TRUE(GetComboBoxInfo(port, &info));
                HDC dc = GetDC(port);
                HGDIOBJ previous = SelectObject(
                    dc, reinterpret_cast<HGDIOBJ>(SendMessageW(port, WM_GETFONT, 0, 0)));
                RECT needed = {};
                DrawTextW(dc, L"COM254", -1, &needed, DT_CALCRECT | DT_SINGLELINE);
                SelectObject(dc, previous);
                ReleaseDC(port, dc);
                // The text starts 2 pixels into the item, keeps a pixel of
                // the selection's inset on either side, and must end before
                // the custom-drawn arrow strip, which covers the last
                // SM_CXHTHUMB pixels inside the 2-pixel frame (at 44 dialog
                // units the English box had 43 pixels for 43 of text, and
                // showed "COM25").
                RECT client = {};
                GetClientRect(port, &client);
                const int strip = client.right - 2 - GetSystemMetrics(SM_CXHTHUMB);
                const int room = std::min<int>(info.rcItem.right, strip) - info.rcItem.left - 2;
                EXPECT_LE(needed.right + 2, room) << "COM254 in the Port box";
            }
            DestroyWindow(dialog);
        }
    }
    FreeLibrary(english);
}

}  // namespace
}  // namespace tarnik
