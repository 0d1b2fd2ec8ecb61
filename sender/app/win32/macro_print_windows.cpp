#include "sender/app/win32/macro_print_windows.h"

#include <vector>

#include "sender/app/line_fault_handler.h"
#include "sender/app/main_window_controller.h"
#include "sender/res/resource.h"
#include "ui/win32/dialog.h"

namespace tarnik {
namespace {

HWND Handle(MacroWindow window) {
    return reinterpret_cast<HWND>(window);
}

MacroWindow Ref(HWND window) {
    return reinterpret_cast<MacroWindow>(window);
}

}  // namespace

MacroWindow Win32MacroPrintWindows::FindDialog(const char* title) {
    return Ref(FindWindowA(MAKEINTATOM(ui::kDialogClassAtom), title));
}

void Win32MacroPrintWindows::CloseDialog(MacroWindow window) {
    SendMessageA(Handle(window), WM_CLOSE, 0, 0);
}

std::string Win32MacroPrintWindows::WindowTitle(MacroWindow window, std::size_t max_chars) {
    std::vector<char> title(max_chars + 1, '\0');
    const int length = GetWindowTextA(Handle(window), title.data(), static_cast<int>(title.size()));
    return std::string(title.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

MacroWindow Win32MacroPrintWindows::FindChild(MacroWindow parent, const char* window_class,
                                              const char* caption) {
    return Ref(FindWindowExA(Handle(parent), nullptr, window_class, caption));
}

void Win32MacroPrintWindows::SetText(MacroWindow window, const char* text) {
    SendMessageA(Handle(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// Notification messages return at once: the button's process presses it in
// its own time, and a print that it starts cannot hold this window.
void Win32MacroPrintWindows::PressButton(MacroWindow button) {
    SendNotifyMessageA(Handle(button), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 0));
    SendNotifyMessageA(Handle(button), WM_LBUTTONUP, 0, MAKELPARAM(0, 0));
}

void Win32MacroPrintWindows::ShowMessage(const char* text) {
    MessageBoxA(owner_, text, kCaptionMacro, MB_OK | MB_ICONEXCLAMATION);
}

bool Win32MacroPrintWindows::FileExists(const char* path) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

void Win32MacroPrintWindows::RemoveFile(const char* path) {
    DeleteFileA(path);
}

void Win32MacroPrintWindows::Sleep(uint32_t ms) {
    ::Sleep(ms);
}

}  // namespace tarnik
