// A test client that drives the real Mirando.exe from outside, as a user
// would: types into the offset edits, picks a port, ticks SaveToFile,
// presses buttons and the Enter key, and reads and answers message boxes.
// The dialog and its message boxes share the caption "Mirando": the dialog
// is the one with the instructions edit.
//   mirando_gui_driver COMMAND ARGS...   (exit status 0: done / found)
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/support/win32/window_probe.h"

namespace {

namespace probe = tarnik::testing;

constexpr int kInstructions = 1007;

// The main dialog (want_box false) or one of its message boxes, shown.
HWND Find(bool want_box) {
    for (HWND window : probe::DialogsCaptioned(L"Mirando")) {
        const bool is_box = GetDlgItem(window, kInstructions) == nullptr;
        if (IsWindowVisible(window) && is_box == want_box) {
            return window;
        }
    }
    return nullptr;
}

HWND FindMain() {
    return Find(false);
}
HWND FindBox() {
    return Find(true);
}

int Number(const wchar_t* text) {
    return static_cast<int>(probe::Number(text));
}

DWORD Wait(int argc, wchar_t** argv, int index) {
    return probe::WaitArgument(argc, argv, index, 0);
}

int Run(int argc, wchar_t** argv) {
    if (argc < 2) {
        return 2;
    }
    const std::wstring command = argv[1];
    if (command == L"main") {
        return probe::WaitFor(FindMain, Wait(argc, argv, 2)) != nullptr ? 0 : 1;
    }
    if (command == L"gone") {
        return probe::WaitGone(FindMain, Wait(argc, argv, 2)) ? 0 : 1;
    }
    if (command == L"box") {  // box WAIT: prints the text of the message box
        HWND box = probe::WaitFor(FindBox, Wait(argc, argv, 2));
        if (box == nullptr) {
            return 1;
        }
        probe::PrintUtf8(probe::MessageBoxText(box));
        return 0;
    }
    if (command == L"answer" && argc >= 3) {  // answer BUTTON_ID
        HWND box = FindBox();
        HWND button = box != nullptr ? GetDlgItem(box, Number(argv[2])) : nullptr;
        if (button == nullptr) {
            return 1;
        }
        PostMessageW(button, BM_CLICK, 0, 0);
        return probe::WaitGone(FindBox, 5000) ? 0 : 1;
    }
    HWND dialog = FindMain();
    if (dialog == nullptr) {
        std::puts("no main window");
        return 1;
    }
    if (command == L"topmost") {
        std::printf("%d\n", (GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0 ? 1 : 0);
        return 0;
    }
    if (command == L"sys" && argc >= 3) {  // sys COMMAND: a system menu command
        PostMessageW(dialog, WM_SYSCOMMAND, static_cast<WPARAM>(Number(argv[2])), 0);
        return 0;
    }
    if (command == L"rect") {  // the dialog's place on the screen: WxH+X+Y
        RECT frame = {};
        GetWindowRect(dialog, &frame);
        std::printf("%ldx%ld+%ld+%ld\n", frame.right - frame.left, frame.bottom - frame.top,
                    frame.left, frame.top);
        return 0;
    }
    if (argc < 3) {
        return 2;
    }
    HWND control = GetDlgItem(dialog, Number(argv[2]));
    if (control == nullptr) {
        return 1;
    }
    if (command == L"text") {
        probe::PrintUtf8(probe::WindowText(control));
    } else if (command == L"style") {
        std::printf("0x%lx\n", static_cast<unsigned long>(GetWindowLongW(control, GWL_STYLE)));
    } else if (command == L"check") {
        std::printf("%d\n", static_cast<int>(SendMessageW(control, BM_GETCHECK, 0, 0)));
    } else if (command == L"click") {
        PostMessageW(control, BM_CLICK, 0, 0);
    } else if (command == L"select" && argc >= 4) {
        SendMessageTimeoutW(control, CB_SETCURSEL, static_cast<WPARAM>(Number(argv[3])), 0,
                            SMTO_BLOCK, 2000, nullptr);
    } else if (command == L"list") {  // the number of entries, the first and the last
        const int count = static_cast<int>(SendMessageW(control, CB_GETCOUNT, 0, 0));
        wchar_t first[32] = {};
        wchar_t last[32] = {};
        if (count > 0) {
            SendMessageW(control, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
            SendMessageW(control, CB_GETLBTEXT, count - 1, reinterpret_cast<LPARAM>(last));
        }
        probe::PrintUtf8(std::to_wstring(count) + L" " + first + L" " + last);
    } else if (command == L"type" && argc >= 4) {
        // The focus goes to the edit (the one that had it loses it), its
        // text is selected, and the keys replace it one by one.
        PostMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        for (const wchar_t* key = argv[3]; *key != L'\0'; ++key) {
            PostMessageW(control, WM_CHAR, *key, 1);
        }
    } else if (command == L"enter") {  // the Enter key in the control
        PostMessageW(control, WM_KEYDOWN, VK_RETURN, 1);
        PostMessageW(control, WM_KEYUP, VK_RETURN, 0xC0000001);
    } else {
        return 2;
    }
    return 0;
}

}  // namespace

int main() {
    return probe::RunDriver(Run);
}
