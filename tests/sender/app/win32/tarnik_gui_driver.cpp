// Drives the real tarnik.exe from outside, as the drawing program's macro
// and a user would: finds its windows by class and caption, posts and sends
// messages, reads and sets control texts, presses buttons. One command per
// run; texts are printed as UTF-8, so the test scripts compare them with
// the Chinese texts as written.
//
//   tarnik_gui_driver find [MS]             wait for the main window
//   tarnik_gui_driver gone [MS]             wait until no main window (and no dialog
//                                           captioned "Tarnik" in any case) is left
//   tarnik_gui_driver visible               1 when the main window is shown
//   tarnik_gui_driver send MSG W L          SendMessage to the main window, print the answer
//   tarnik_gui_driver post MSG W L          PostMessage to the main window
//   tarnik_gui_driver text ID               text of a main window control
//   tarnik_gui_driver state ID              "visible enabled checked" as three 0/1
//   tarnik_gui_driver click ID              press a main window button (posted)
//   tarnik_gui_driver focus ID              give a main window control the keyboard
//                                           focus as Tab would (WM_NEXTDLGCTL, posted)
//   tarnik_gui_driver key VK                a key press on the main window (posted
//                                           WM_KEYDOWN and WM_KEYUP, as the keyboard sends)
//   tarnik_gui_driver announce              the taskbar's "TaskbarCreated" (posted)
//   tarnik_gui_driver dialog TITLE [MS]     wait for a dialog with that caption
//   tarnik_gui_driver dtext TITLE ID        text of a control of that dialog
//   tarnik_gui_driver dset TITLE ID TEXT    set the text of a control of that dialog
//   tarnik_gui_driver dclick TITLE ID       press a button of that dialog (posted)
//   tarnik_gui_driver dstate TITLE ID       "visible enabled checked" of a dialog control
//   tarnik_gui_driver dlist TITLE ID        "count selected-index selected-text" of a combo box
//   tarnik_gui_driver dselect TITLE ID N    select entry N of a combo box
//   tarnik_gui_driver threads               thread count of the main window's process
//   tarnik_gui_driver handles               handle count of the main window's process
//   tarnik_gui_driver message TITLE [MS]    wait for a message box, print its text
//   tarnik_gui_driver menu [MS]             wait for a pop-up menu, then close it
//   tarnik_gui_driver temp                  print the temporary folder
//   tarnik_gui_driver acp                   print the ANSI code page programs get
//   tarnik_gui_driver hold PATH MS          open PATH shared with nobody for MS ms
//   tarnik_gui_driver windows               list the top-level windows (class, caption,
//                                           process), for a failed check's report
//   tarnik_gui_driver topmost TITLE         1 when the dialog is a topmost window
//   tarnik_gui_driver add-plotter NAME PORT install a printer NAME with the plotter's
//                                           driver name on PORT ("USB001"), raw data
#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>

#include <cstdio>
#include <string>
#include <vector>

#include "sender/transport/usb_printer.h"
#include "tests/support/win32/stand_in_printers.h"
#include "tests/support/win32/window_probe.h"

namespace {

namespace probe = tarnik::testing;

constexpr DWORD kDefaultWaitMs = 10000;

// The shown dialog of that caption before a hidden one, so that the
// commands on its controls and the wait for it mean the same window.
HWND FindDialog(const wchar_t* title) {
    const std::vector<HWND> dialogs = probe::DialogsCaptioned(title);
    for (HWND dialog : dialogs) {
        if (IsWindowVisible(dialog)) {
            return dialog;
        }
    }
    return dialogs.empty() ? nullptr : dialogs.front();
}

DWORD WaitArgument(int argc, wchar_t** argv, int index) {
    return probe::WaitArgument(argc, argv, index, kDefaultWaitMs);
}

int PrintState(HWND control) {
    if (control == nullptr) {
        std::puts("missing");
        return 1;
    }
    const LRESULT checked = SendMessageW(control, BM_GETCHECK, 0, 0);
    std::printf("%d %d %d\n", IsWindowVisible(control) ? 1 : 0, IsWindowEnabled(control) ? 1 : 0,
                checked == BST_CHECKED ? 1 : 0);
    return 0;
}

int PrintList(HWND combo) {
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    const LRESULT selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    std::wstring line = std::to_wstring(count) + L" " + std::to_wstring(selected);
    if (selected >= 0) {
        wchar_t text[256] = {};
        if (SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0) < 256) {
            SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(selected),
                         reinterpret_cast<LPARAM>(text));
        }
        line += L" ";
        line += text;
    }
    probe::PrintUtf8(line);
    return 0;
}

// Threads of the process that owns `window`: how the tests see that a
// restarted worker replaced the old one instead of adding to it.
int PrintThreadCount(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return 1;
    }
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == process) {
            ++count;
        }
    }
    CloseHandle(snapshot);
    std::printf("%d\n", count);
    return 0;
}

// The handles a process holds, from the system's handle table: Wine's
// GetProcessHandleCount answers 0 for every process.
ULONG CountHandlesOf(DWORD process) {
    struct HandleEntry {
        ULONG owner;
        BYTE type;
        BYTE flags;
        USHORT value;
        PVOID object;
        ULONG access;
    };
    struct HandleTable {
        ULONG count;
        HandleEntry entries[1];
    };
    using QuerySystem = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QuerySystem>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (query == nullptr) {
        return 0;
    }
    constexpr ULONG kSystemHandleInformation = 16;
    std::string table(1 << 20, '\0');
    ULONG needed = 0;
    while (query(kSystemHandleInformation, table.data(), static_cast<ULONG>(table.size()),
                 &needed) != 0) {
        if (table.size() >= (64u << 20)) {
            return 0;
        }
        table.resize(table.size() * 2);
    }
    const auto* handles = reinterpret_cast<const HandleTable*>(table.data());
    ULONG count = 0;
    for (ULONG i = 0; i < handles->count; ++i) {
        count += handles->entries[i].owner == process ? 1 : 0;
    }
    return count;
}

int PrintHandleCount(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    DWORD count = 0;
    HANDLE handle = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, process);
    if (handle != nullptr) {
        GetProcessHandleCount(handle, &count);
        CloseHandle(handle);
    }
    if (count == 0) {
        count = CountHandlesOf(process);
    }
    if (count == 0) {
        return 1;
    }
    std::printf("%lu\n", static_cast<unsigned long>(count));
    return 0;
}

int ListWindows() {
    EnumWindows(
        [](HWND window, LPARAM) -> BOOL {
            wchar_t kind[64] = {};
            GetClassNameW(window, kind, 64);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            std::wstring line = kind;
            line += L" [";
            wchar_t caption[256] = {};
            GetWindowTextW(window, caption, 256);
            line += caption;
            line += L"] process " + std::to_wstring(process);
            line += IsWindowVisible(window) ? L" visible" : L" hidden";
            probe::PrintUtf8(line);
            return TRUE;
        },
        0);
    return 0;
}

HWND MainWindow() {
    return FindDialog(L"Tarnik");
}

// The spooler's printer names and ports are ASCII in these tests.
std::string Ansi(const wchar_t* text) {
    char bytes[256] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, bytes, sizeof bytes - 1, nullptr, nullptr);
    return bytes;
}

// The plotter as a printer of the spooler: the driver name the job sender
// looks for, raw data through.
int AddPlotterPrinter(const wchar_t* name, const wchar_t* port) {
    if (!probe::AddStandInDriver(tarnik::kPlotterDriverName)) {
        return 1;
    }
    return probe::AddRawPrinter(Ansi(name).c_str(), Ansi(port).c_str(),
                                tarnik::kPlotterDriverName) ||
                   GetLastError() == ERROR_PRINTER_ALREADY_EXISTS
               ? 0
               : 1;
}

int Run(int argc, wchar_t** argv) {
    if (argc < 2) {
        return 2;
    }
    const std::wstring command = argv[1];
    if (command == L"find") {
        HWND window = probe::WaitFor(MainWindow, WaitArgument(argc, argv, 2));
        return window != nullptr ? 0 : 1;
    }
    if (command == L"gone") {
        // Also as the program's single-instance check sees it: any dialog
        // captioned "Tarnik" in any case, message boxes included.
        const auto any_instance = [] {
            HWND main = MainWindow();
            return main != nullptr ? main : FindWindowW(L"#32770", L"Tarnik");
        };
        return probe::WaitGone(any_instance, WaitArgument(argc, argv, 2)) ? 0 : 1;
    }
    if (command == L"add-plotter" && argc >= 4) {
        return AddPlotterPrinter(argv[2], argv[3]);
    }
    if (command == L"windows") {
        return ListWindows();
    }
    if (command == L"hold" && argc >= 4) {
        // Shared with nobody: every other open of the file, a profile
        // write's included, is refused while the driver holds it.
        HANDLE file = CreateFileW(argv[2], GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return 1;
        }
        std::puts("held");
        std::fflush(stdout);
        Sleep(static_cast<DWORD>(_wtoi(argv[3])));
        CloseHandle(file);
        return 0;
    }
    if (command == L"acp") {
        // The ANSI code page programs started now get (936 under the
        // tests' Chinese locale, 1252 under an English one).
        std::printf("%u\n", GetACP());
        return 0;
    }
    if (command == L"temp") {
        char folder[MAX_PATH + 1] = {};
        GetTempPathA(MAX_PATH, folder);
        std::puts(folder);
        return 0;
    }
    if (command == L"menu") {
        HWND menu = probe::WaitFor([] { return FindWindowW(L"#32768", nullptr); },
                                   WaitArgument(argc, argv, 2));
        if (menu == nullptr || !IsWindowVisible(menu)) {
            return 1;
        }
        // Closing the menu: a cancel-mode message to its owner ends the
        // menu's loop as a click elsewhere would.
        PostMessageW(MainWindow(), WM_CANCELMODE, 0, 0);
        return 0;
    }
    if (command == L"dialog" || command == L"message") {
        if (argc < 3) {
            return 2;
        }
        // Only a shown dialog counts: a dialog is found by its caption
        // while its initialisation still runs, and a click posted then may
        // come before its buttons are set up.
        const wchar_t* title = argv[2];
        const auto shown = [title]() -> HWND {
            HWND found = FindDialog(title);
            return found != nullptr && IsWindowVisible(found) ? found : nullptr;
        };
        HWND dialog = probe::WaitFor(shown, WaitArgument(argc, argv, 3));
        if (dialog == nullptr) {
            return 1;
        }
        if (command == L"message") {
            probe::PrintUtf8(probe::MessageBoxText(dialog));
        }
        return 0;
    }
    if (command == L"topmost" && argc >= 3) {
        HWND dialog = FindDialog(argv[2]);
        if (dialog == nullptr) {
            return 1;
        }
        std::printf("%d\n", (GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0 ? 1 : 0);
        return 0;
    }
    if (command == L"dtext" || command == L"dset" || command == L"dclick" || command == L"dstate" ||
        command == L"dlist" || command == L"dselect") {
        if (argc < 4) {
            return 2;
        }
        HWND dialog = FindDialog(argv[2]);
        HWND control = dialog != nullptr
                           ? GetDlgItem(dialog, static_cast<int>(probe::Number(argv[3])))
                           : nullptr;
        if (control == nullptr) {
            return 1;
        }
        if (command == L"dtext") {
            probe::PrintUtf8(probe::WindowText(control));
        } else if (command == L"dset" && argc >= 5) {
            SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]),
                                SMTO_BLOCK, 5000, nullptr);
        } else if (command == L"dclick") {
            PostMessageW(control, BM_CLICK, 0, 0);
        } else if (command == L"dlist") {
            return PrintList(control);
        } else if (command == L"dselect" && argc >= 5) {
            SendMessageTimeoutW(control, CB_SETCURSEL, static_cast<WPARAM>(probe::Number(argv[4])),
                                0, SMTO_BLOCK, 5000, nullptr);
        } else {
            return PrintState(control);
        }
        return 0;
    }

    HWND main_window = MainWindow();
    if (main_window == nullptr) {
        std::puts("no main window");
        return 1;
    }
    if (command == L"threads") {
        return PrintThreadCount(main_window);
    }
    if (command == L"handles") {
        return PrintHandleCount(main_window);
    }
    if (command == L"announce") {
        const UINT taskbar_created = RegisterWindowMessageW(L"TaskbarCreated");
        return PostMessageW(main_window, taskbar_created, 0, 0) ? 0 : 1;
    }
    if (command == L"visible") {
        std::printf("%d\n", IsWindowVisible(main_window) ? 1 : 0);
        return 0;
    }
    if ((command == L"send" || command == L"post") && argc >= 5) {
        const UINT message = static_cast<UINT>(probe::Number(argv[2]));
        const WPARAM wparam = static_cast<WPARAM>(probe::Number(argv[3]));
        const LPARAM lparam = static_cast<LPARAM>(probe::Number(argv[4]));
        if (command == L"post") {
            return PostMessageW(main_window, message, wparam, lparam) ? 0 : 1;
        }
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutW(main_window, message, wparam, lparam, SMTO_BLOCK, 5000, &answer)) {
            return 1;
        }
        std::printf("%lld\n", static_cast<long long>(answer));
        return 0;
    }
    if (argc < 3) {
        return 2;
    }
    HWND control = GetDlgItem(main_window, static_cast<int>(probe::Number(argv[2])));
    if (command == L"text") {
        if (control == nullptr) {
            return 1;
        }
        probe::PrintUtf8(probe::WindowText(control));
        return 0;
    }
    if (command == L"state") {
        return PrintState(control);
    }
    if (command == L"click") {
        return control != nullptr && PostMessageW(control, BM_CLICK, 0, 0) ? 0 : 1;
    }
    if (command == L"focus") {
        return control != nullptr && PostMessageW(main_window, WM_NEXTDLGCTL,
                                                  reinterpret_cast<WPARAM>(control), TRUE)
                   ? 0
                   : 1;
    }
    if (command == L"key") {
        // The dialog's message loop sees the key as typed on the window.
        const WPARAM key = static_cast<WPARAM>(probe::Number(argv[2]));
        return PostMessageW(main_window, WM_KEYDOWN, key, 1) &&
                       PostMessageW(main_window, WM_KEYUP, key, 0xC0000001)
                   ? 0
                   : 1;
    }
    return 2;
}

}  // namespace

int main() {
    return probe::RunDriver(Run);
}
