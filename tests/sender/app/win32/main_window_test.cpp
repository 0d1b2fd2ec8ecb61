// The real main window run modally in the test program, with a notification
// area whose add fails as it does at logon before the taskbar is up; and
// its system menu, which another process cannot read under Wine.
#include "sender/app/win32/main_window.h"

#include <gtest/gtest.h>

#include <string>

#include "sender/res/resource.h"
#include "tests/sender/controls/win32/fake_notify_area.h"
#include "ui/win32/resources.h"

namespace tarnik {
namespace {

std::string ControlText(HWND dialog, int id) {
    char text[128] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// What the window showed while it ran, noted by a timer of the dialog's
// own message loop; it ends the window through its Exit button.
struct Probe {
    CTestDlg* window = nullptr;
    testing::FakeNotifyArea* area = nullptr;
    std::string model_text;
    std::string status_text;
    bool option_icon = false;
    bool close_greyed = false;
    std::size_t calls_before_announcement = 0;
};
Probe probe;

void CALLBACK LookAndEnd(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND window = probe.window->Handle();
    probe.model_text = ControlText(window, IDC_MODEL_TEXT);
    probe.status_text = ControlText(window, IDC_STATUS_TEXT);
    probe.option_icon = SendDlgItemMessageA(window, IDC_OPTION, BM_GETIMAGE, IMAGE_ICON, 0) != 0;
    // Another process cannot read this window's menus under Wine.
    const UINT close = GetMenuState(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND);
    probe.close_greyed = close != 0xFFFFFFFFu && (close & MF_GRAYED) != 0;
    probe.calls_before_announcement = probe.area->calls.size();
    probe.area->taskbar_up = true;
    SendMessageA(window, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    PostMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
}

// A taskbar that is not up yet must cost the icon only until it announces
// itself: the settings, texts and buttons are set up all the same.
TEST(MainWindow, StartsInFullWhenTheIconCannotBeAdded) {
    testing::FakeNotifyArea area;
    CTestDlg window(area);
    probe = Probe{};
    probe.window = &window;
    probe.area = &area;
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, &LookAndEnd);
    ASSERT_NE(timer, 0u);
    EXPECT_EQ(window.DoModal(nullptr), IDOK);

    EXPECT_EQ(probe.model_text, "MODEL: NVA");
    EXPECT_EQ(probe.status_text, ui::LoadResourceString(IDS_READY));
    EXPECT_TRUE(probe.option_icon);
    EXPECT_TRUE(probe.close_greyed) << "the Close the window ignores looks disabled";
    ASSERT_GE(area.calls.size(), 2u);
    EXPECT_EQ(probe.calls_before_announcement, 1u) << area.calls[0];
    // Added again, with the program's icon set while there was no taskbar.
    EXPECT_EQ(area.calls[1], "add icon " + ui::LoadResourceString(IDS_TRAY_TIP));
    EXPECT_EQ(area.calls.back(), "delete icon " + ui::LoadResourceString(IDS_TRAY_TIP));
}

// The colours the window answers for a control, as its painting asks for
// them, and whether a second asking got the same brush (a brush per
// message would run the program out of GDI objects in a long session).
struct Colouring {
    COLORREF text = 0;
    COLORREF background = 0;
    COLORREF brush = 0;
    bool brush_kept = false;
};
Colouring ColouringOf(HWND window, int id, UINT message) {
    HWND control = GetDlgItem(window, id);
    HDC dc = CreateCompatibleDC(nullptr);
    const auto ask = [&] {
        return reinterpret_cast<HBRUSH>(SendMessageA(window, message, reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(control)));
    };
    Colouring colouring;
    HBRUSH brush = ask();
    LOGBRUSH brush_info = {};
    if (brush != nullptr && GetObjectA(brush, sizeof brush_info, &brush_info) != 0) {
        colouring.brush = brush_info.lbColor;
    }
    colouring.text = GetTextColor(dc);
    colouring.background = GetBkColor(dc);
    colouring.brush_kept = brush != nullptr && ask() == brush;
    DeleteDC(dc);
    return colouring;
}

struct ColourProbe {
    CTestDlg* window = nullptr;
    Colouring status;
    Colouring lamp;
};
ColourProbe colour_probe;

void CALLBACK ColoursAndEnd(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND window = colour_probe.window->Handle();
    colour_probe.status = ColouringOf(window, IDC_STATUS_TEXT, WM_CTLCOLORSTATIC);
    // The lamp is a read-only edit: it asks as a static control does.
    colour_probe.lamp = ColouringOf(window, IDC_SIGNAL_LAMP, WM_CTLCOLORSTATIC);
    PostMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
}

// Idle, with no line status from the contour-cut link: dark blue on the
// dialog face grey, and the lamp white on black.
TEST(MainWindow, ColoursTheStatusLineAndTheLamp) {
    testing::FakeNotifyArea area;
    area.taskbar_up = true;
    CTestDlg window(area);
    colour_probe = ColourProbe{};
    colour_probe.window = &window;
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, &ColoursAndEnd);
    ASSERT_NE(timer, 0u);
    EXPECT_EQ(window.DoModal(nullptr), IDOK);

    struct Case {
        const char* label;
        const Colouring& shown;
        COLORREF text;
        COLORREF background;
    };
    const Case cases[] = {
        {"status line while idle", colour_probe.status, RGB(0x11, 0x11, 0xC8),
         RGB(0xD4, 0xD0, 0xC8)},
        {"lamp without line status", colour_probe.lamp, RGB(0xFF, 0xFF, 0xFF), RGB(0, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(c.shown.text, c.text);
        EXPECT_EQ(c.shown.background, c.background);
        EXPECT_EQ(c.shown.brush, c.background) << "the brush paints what the text stands on";
        EXPECT_TRUE(c.shown.brush_kept);
    }
}

}  // namespace
}  // namespace tarnik
