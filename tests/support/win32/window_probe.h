#pragma once
// Looking at another program's windows from outside, for the test drivers
// that work the real programs as a user would: the program's dialogs by
// caption, its message boxes and their text, control texts read with the
// wide messages (the ANSI ones read another process's combo box as one
// letter) and printed as UTF-8, so that the scripts compare them with the
// Chinese texts as written.
#include <windows.h>

#include <string>
#include <vector>

namespace tarnik::testing {

inline constexpr DWORD kProbePollMs = 50;

void PrintUtf8(const std::wstring& text);
std::wstring WindowText(HWND window);

// The top-level dialogs (class "#32770") whose caption is exactly
// `caption`, shown or not: FindWindow compares captions without regard to
// case, and a message box captioned "tarnik" is not the window "Tarnik".
std::vector<HWND> DialogsCaptioned(const wchar_t* caption);
HWND FirstDialogCaptioned(const wchar_t* caption);

// A message box's text: its first static control with text (id 0xFFFF).
std::wstring MessageBoxText(HWND box);

// What `find` returns once it is a window, or null after `wait_ms`.
template <typename Find>
HWND WaitFor(Find find, DWORD wait_ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        HWND window = find();
        if (window != nullptr || GetTickCount() - start >= wait_ms) {
            return window;
        }
        Sleep(kProbePollMs);
    }
}

// True once `find` finds nothing, false if it still does after `wait_ms`.
template <typename Find>
bool WaitGone(Find find, DWORD wait_ms) {
    const DWORD start = GetTickCount();
    while (find() != nullptr) {
        if (GetTickCount() - start >= wait_ms) {
            return false;
        }
        Sleep(kProbePollMs);
    }
    return true;
}

// A number of the command line as C writes it (decimal, 0x hexadecimal).
long long Number(const wchar_t* text);
// Milliseconds given as argv[index], or `otherwise` when there are fewer.
DWORD WaitArgument(int argc, wchar_t** argv, int index, DWORD otherwise);

// A driver's main: `run` gets the wide command line; its result is the
// exit status (0 done or found, 1 not, 2 a command it does not know).
int RunDriver(int (*run)(int argc, wchar_t** argv));

}  // namespace tarnik::testing
