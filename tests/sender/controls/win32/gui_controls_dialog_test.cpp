// The custom-drawn controls in the job sender's real dialogs, run modally
// in the test program: each probe runs from a timer inside the dialog's own
// message loop, drives the controls as the mouse would (cursor placed, move
// and button messages sent) and reads pixels of the control's printed
// image.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "sender/app/win32/cfg_dlg.h"
#include "sender/app/win32/main_window.h"
#include "sender/app/win32/plt_file_cfg.h"
#include "sender/controls/gui_colours.h"
#include "sender/controls/win32/gui_combo_box_ext.h"
#include "sender/controls/win32/gui_draw_layer.h"
#include "sender/controls/win32/gui_radio_button.h"
#include "sender/res/resource.h"
#include "tests/sender/controls/win32/fake_notify_area.h"

namespace tarnik {
namespace {

std::function<void(HWND)> probe;
HWND probed_dialog = nullptr;

void CALLBACK RunProbe(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND dialog = GetActiveWindow();
    probe(dialog != nullptr ? dialog : probed_dialog);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

// Runs `dialog` with `check` called once it is up; the check's last act
// ends the dialog.
template <typename Dialog>
void RunWith(Dialog& dialog, std::function<void(HWND)> check) {
    probe = [&dialog, check](HWND) {
        check(dialog.Handle());
        dialog.EndDialog(IDCANCEL);
    };
    ASSERT_NE(SetTimer(nullptr, 0, 300, &RunProbe), 0u);
    dialog.DoModal(nullptr);
}

void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < ms) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        Sleep(1);
    }
}

// Dispatches messages until `control` has had its next tick of timer 1.
bool NextTick(HWND control) {
    const DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < 1000) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
            if (message.message == WM_TIMER && message.hwnd == control && message.wParam == 1) {
                return true;
            }
        }
        Sleep(1);
    }
    return false;
}

struct Image {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
    bool Holds(COLORREF colour, const RECT& area) const {
        for (int y = area.top; y < area.bottom && y < height; ++y) {
            for (int x = area.left; x < area.right && x < width; ++x) {
                if (At(x, y) == colour) {
                    return true;
                }
            }
        }
        return false;
    }
};

// The control as WM_PRINT draws it, or (`from_screen`) as it shows now.
Image Capture(HWND control, bool from_screen = false) {
    RECT frame = {};
    GetWindowRect(control, &frame);
    Image image;
    image.width = frame.right - frame.left;
    image.height = frame.bottom - frame.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, image.width, image.height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    if (from_screen) {
        HDC window = GetWindowDC(control);
        BitBlt(memory, 0, 0, image.width, image.height, window, 0, 0, SRCCOPY);
        ReleaseDC(control, window);
    } else {
        SendMessageA(control, WM_PRINT, reinterpret_cast<WPARAM>(memory),
                     PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
    }
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            image.pixels.push_back(GetPixel(memory, x, y));
        }
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return image;
}

void Hover(HWND control) {
    RECT frame = {};
    GetWindowRect(control, &frame);
    SetCursorPos((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
    const LPARAM at = MAKELPARAM((frame.right - frame.left) / 2, (frame.bottom - frame.top) / 2);
    SendMessageA(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), HTCLIENT);
    SendMessageA(control, WM_MOUSEMOVE, 0, at);
}

void LeaveFor(HWND dialog) {
    RECT frame = {};
    GetWindowRect(dialog, &frame);
    SetCursorPos(frame.right + 40, frame.bottom + 40);
}

// Live GDI objects of this process: the system's count where it keeps one,
// else every handle slot that names an object.
int GdiObjects() {
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted != 0) {
        return static_cast<int>(counted);
    }
    int live = 0;
    for (UINT_PTR slot = 1; slot < 0x10000; ++slot) {
        live += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0 ? 1 : 0;
    }
    return live;
}

// Hover, leave at the next tick and repaint, 1000 times over `controls`.
int GdiGrowthOverHoverCycles(HWND dialog, const std::vector<HWND>& controls) {
    const int before = GdiObjects();
    for (int cycle = 0; cycle < 1000; ++cycle) {
        for (HWND control : controls) {
            Hover(control);
            LeaveFor(dialog);
            SendMessageA(control, WM_TIMER, 1, 0);
            RedrawWindow(control, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME | RDW_ERASE);
        }
    }
    return GdiObjects() - before;
}

LRESULT Checked(HWND dialog, int id) {
    return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0);
}

TEST(GuiControlsInDialogs, MainWindow) {
    testing::FakeNotifyArea area;
    area.taskbar_up = true;
    CTestDlg window(area);
    RunWith(window, [](HWND dialog) {
        HWND option = GetDlgItem(dialog, IDC_OPTION);
        const Image flat = Capture(option);
        EXPECT_EQ(flat.At(0, 0), GuiDrawLayer::Face()) << "flat border";
        EXPECT_EQ(flat.At(flat.width / 2, 1), GuiDrawLayer::Face()) << "face";
        Hover(option);
        const Image hot = Capture(option);
        EXPECT_EQ(hot.At(0, 0), GuiDrawLayer::Highlight()) << "raised: light top left";
        EXPECT_EQ(hot.At(hot.width - 1, hot.height - 1), GuiDrawLayer::Shadow());
        LeaveFor(dialog);
        ASSERT_TRUE(NextTick(option));
        EXPECT_EQ(Capture(option).At(0, 0), GuiDrawLayer::Face()) << "hot ends at the next tick";

        // A second radio group after the window's own: each group on its own.
        HWND other_a = CreateWindowExA(0, "Button", "a", WS_CHILD | WS_GROUP | BS_AUTORADIOBUTTON,
                                       0, 0, 20, 14, dialog, nullptr, nullptr, nullptr);
        HWND other_b = CreateWindowExA(0, "Button", "b", WS_CHILD | BS_AUTORADIOBUTTON, 0, 20, 20,
                                       14, dialog, nullptr, nullptr, nullptr);
        CGuiRadioButton radio_a;
        CGuiRadioButton radio_b;
        radio_a.Attach(other_a);
        radio_b.Attach(other_b);
        radio_a.SetChecked(true);
        struct Step {
            const char* label;
            HWND clicked;
            LRESULT auto_mode, file_mode, a, b;
        };
        const Step steps[] = {
            {"file mode clears auto mode only", GetDlgItem(dialog, IDC_FILE_MODE), 0, 1, 1, 0},
            {"auto mode clears file mode only", GetDlgItem(dialog, IDC_AUTO_MODE), 1, 0, 1, 0},
            {"the other group's b clears its a only", other_b, 1, 0, 0, 1},
        };
        EXPECT_EQ(Checked(dialog, IDC_AUTO_MODE), BST_CHECKED) << "selected at start";
        for (const Step& step : steps) {
            SCOPED_TRACE(step.label);
            SendMessageA(step.clicked, BM_CLICK, 0, 0);
            EXPECT_EQ(Checked(dialog, IDC_AUTO_MODE), step.auto_mode);
            EXPECT_EQ(Checked(dialog, IDC_FILE_MODE), step.file_mode);
            EXPECT_EQ(SendMessageA(other_a, BM_GETCHECK, 0, 0), step.a);
            EXPECT_EQ(SendMessageA(other_b, BM_GETCHECK, 0, 0), step.b);
        }
        EXPECT_EQ(GetWindowTextLengthA(GetDlgItem(dialog, IDC_MAIN_GROUP)), 0);
        EXPECT_LE(GdiGrowthOverHoverCycles(dialog, {option, GetDlgItem(dialog, IDC_AUTO_MODE)}), 0)
            << "GDI objects over 1000 hover and repaint cycles";
    });
}

TEST(GuiControlsInDialogs, SettingsDialog) {
    CCfgdlg settings;
    SenderSettings values;
    values.CloseEnble = 1;
    values.SharpEnble = 0;
    values.CurrentCom = 3;
    settings.SetValues(values);
    RunWith(settings, [](HWND dialog) {
        EXPECT_EQ(Checked(dialog, IDC_CFG_CLOSE_ENABLE), BST_CHECKED) << "flag set by the exchange";
        EXPECT_EQ(Checked(dialog, IDC_CFG_SHARP_ENABLE), BST_UNCHECKED);
        HWND close = GetDlgItem(dialog, IDC_CFG_CLOSE_ENABLE);
        const Image checked = Capture(close);
        const int box_top = (checked.height - 13) / 2;
        EXPECT_TRUE(checked.Holds(kTickTeal, {0, box_top, 13, box_top + 13})) << "teal tick";
        EXPECT_EQ(checked.At(1, box_top + 6), GuiDrawLayer::Highlight()) << "box at rest";
        Hover(close);
        EXPECT_EQ(Capture(close).At(1, box_top + 6), kHoverOrangeOuter) << "orange hover frame";
        LeaveFor(dialog);
        ASSERT_TRUE(NextTick(close));
        EXPECT_EQ(Capture(close).At(1, box_top + 6), GuiDrawLayer::Highlight()) << "hover ends";

        // The port list dropped by a press, then the mouse leaves.
        HWND port = GetDlgItem(dialog, IDC_CFG_PORT);
        Hover(port);
        SendMessageA(port, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(port, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        LeaveFor(dialog);
        ASSERT_TRUE(NextTick(port));
        ASSERT_TRUE(NextTick(port));
        const Image dropped = Capture(port, true);
        EXPECT_NE(SendMessageA(port, CB_GETDROPPEDSTATE, 0, 0), 0);
        EXPECT_EQ(dropped.At(1, dropped.height / 2), LiftedHighlight(GuiDrawLayer::Selection()))
            << "pressed ring while dropped";
        SendMessageA(port, CB_SHOWDROPDOWN, FALSE, 0);
        Pump(50);

        for (const int id : {IDC_CFG_PORT_GROUP, IDC_CFG_CUT_GROUP}) {
            SCOPED_TRACE(id);
            HWND group = GetDlgItem(dialog, id);
            EXPECT_EQ(GetWindowTextLengthA(group), 0) << "the caption is the control's drawing";
            const Image image = Capture(group);
            EXPECT_TRUE(image.Holds(GuiDrawLayer::LiftedHighlight(), {6, 0, image.width / 2, 12}))
                << "caption drawn";
            EXPECT_EQ(image.At(image.width - 2, image.height / 2), GuiDrawLayer::Shadow())
                << "frame";
        }
        EXPECT_LE(
            GdiGrowthOverHoverCycles(dialog, {close, port, GetDlgItem(dialog, IDC_CFG_PORT_GROUP),
                                              GetDlgItem(dialog, IDC_CFG_CLOSE_OFFSET)}),
            0)
            << "GDI objects over 1000 hover and repaint cycles";
    });
}

struct Input {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
};
const LPARAM kInside = MAKELPARAM(5, 5);
const LPARAM kOutside = MAKELPARAM(-30, -30);
// Key-down with the repeat bit: the key was already down.
constexpr LPARAM kRepeat = 0x40000001;
constexpr LPARAM kKeyUp = static_cast<LPARAM>(0xC0000001u);

// The check box as mouse and keyboard reach it, and how it draws its
// disabled and focused states.
TEST(GuiControlsInDialogs, CheckBoxClicksKeysAndStates) {
    CCfgdlg settings;
    RunWith(settings, [](HWND dialog) {
        HWND close = GetDlgItem(dialog, IDC_CFG_CLOSE_ENABLE);
        const struct {
            const char* label;
            std::vector<Input> inputs;
            bool toggles;
        } cases[] = {
            {"released inside: toggles",
             {{WM_LBUTTONDOWN, MK_LBUTTON, kInside}, {WM_LBUTTONUP, 0, kInside}},
             true},
            {"released outside: stays",
             {{WM_LBUTTONDOWN, MK_LBUTTON, kInside}, {WM_LBUTTONUP, 0, kOutside}},
             false},
            {"released without a press: stays", {{WM_LBUTTONUP, 0, kInside}}, false},
            {"Space: toggles", {{WM_KEYDOWN, VK_SPACE, 1}, {WM_KEYUP, VK_SPACE, kKeyUp}}, true},
            {"Space held down: toggles once",
             {{WM_KEYDOWN, VK_SPACE, 1},
              {WM_KEYDOWN, VK_SPACE, kRepeat},
              {WM_KEYDOWN, VK_SPACE, kRepeat},
              {WM_KEYUP, VK_SPACE, kKeyUp}},
             true},
            {"another key: stays", {{WM_KEYDOWN, 'A', 1}, {WM_KEYUP, 'A', kKeyUp}}, false},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.label);
            const LRESULT before = Checked(dialog, IDC_CFG_CLOSE_ENABLE);
            for (const Input& input : c.inputs) {
                SendMessageA(close, input.message, input.wparam, input.lparam);
            }
            const LRESULT expected =
                c.toggles ? (before == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED) : before;
            EXPECT_EQ(Checked(dialog, IDC_CFG_CLOSE_ENABLE), expected);
        }

        LeaveFor(dialog);
        SendMessageA(close, BM_SETCHECK, BST_CHECKED, 0);
        SetFocus(GetDlgItem(dialog, IDC_CFG_SHARP_ENABLE));
        const Image resting = Capture(close);
        const int box_top = (resting.height - 13) / 2;
        const RECT box = {0, box_top, 13, box_top + 13};
        SetFocus(close);
        const Image focused = Capture(close);
        EXPECT_TRUE(resting.pixels != focused.pixels) << "a focus frame is drawn";
        EXPECT_TRUE(focused.Holds(kTickTeal, box)) << "focused: teal tick";
        EnableWindow(close, FALSE);
        const Image disabled = Capture(close);
        EXPECT_FALSE(disabled.Holds(kTickTeal, box)) << "disabled: no teal";
        EXPECT_TRUE(disabled.Holds(GetSysColor(COLOR_GRAYTEXT), box)) << "disabled: grey tick";
        EnableWindow(close, TRUE);
    });
}

// The icon button sinks while pressed and stays flat when disabled; the
// combo box with an edit takes Enter as "add this text".
TEST(GuiControlsInDialogs, PressedButtonAndComboEnter) {
    testing::FakeNotifyArea area;
    area.taskbar_up = true;
    CTestDlg window(area);
    RunWith(window, [](HWND dialog) {
        HWND option = GetDlgItem(dialog, IDC_OPTION);
        Hover(option);
        SendMessageA(option, WM_LBUTTONDOWN, MK_LBUTTON, kInside);
        const Image pressed = Capture(option);
        EXPECT_EQ(pressed.At(0, 0), GuiDrawLayer::Shadow()) << "pressed: dark top left";
        EXPECT_EQ(pressed.At(pressed.width - 1, pressed.height - 1), GuiDrawLayer::Highlight())
            << "pressed: light bottom right";
        // Released outside: no click, so no settings dialog.
        SendMessageA(option, WM_LBUTTONUP, 0, kOutside);
        EXPECT_EQ(Capture(option).At(0, 0) == GuiDrawLayer::Shadow(), false) << "up again";
        EnableWindow(option, FALSE);
        Hover(option);
        EXPECT_EQ(Capture(option).At(0, 0), GuiDrawLayer::Face()) << "disabled: never raised";
        EnableWindow(option, TRUE);
        LeaveFor(dialog);

        constexpr int kComboId = 4242;
        HWND box =
            CreateWindowExA(0, "ComboBox", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 0, 0, 80, 120,
                            dialog, reinterpret_cast<HMENU>(kComboId), nullptr, nullptr);
        CGuiComboBoxExt combo;
        ASSERT_TRUE(combo.Attach(box));
        combo.AddString("COM3");
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetComboBoxInfo(box, &info));
        const struct {
            const char* label;
            const char* typed;
            LRESULT entries;
        } cases[] = {
            {"a new port is added", "COM7", 2},
            {"an entry is not added twice", "COM7", 2},
            {"an empty edit adds nothing", "", 2},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.label);
            SetWindowTextA(info.hwndItem, c.typed);
            SendMessageA(info.hwndItem, WM_KEYDOWN, VK_RETURN, 1);
            EXPECT_EQ(SendMessageA(box, CB_GETCOUNT, 0, 0), c.entries);
        }
        EXPECT_EQ(SendMessageA(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>("COM7")),
                  1);
        combo.Detach();
        DestroyWindow(box);
    });
}

TEST(GuiControlsInDialogs, FileSettingsDialog) {
    Cpltfilecfg file_settings;
    RunWith(file_settings, [](HWND dialog) {
        for (const int id : {IDC_FILE_SIZE_GROUP, IDC_MARGIN_GROUP}) {
            SCOPED_TRACE(id);
            HWND group = GetDlgItem(dialog, id);
            EXPECT_EQ(GetWindowTextLengthA(group), 0);
            const Image image = Capture(group);
            EXPECT_TRUE(image.Holds(GuiDrawLayer::LiftedHighlight(), {6, 0, image.width, 12}));
        }
    });
}

}  // namespace
}  // namespace tarnik
