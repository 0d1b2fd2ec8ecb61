#include "ui/win32/wide_text.h"

#include "ui/win32/resources.h"

namespace tarnik::ui {

std::wstring LoadResourceStringWide(UINT id) {
    // With no buffer the call hands out the resource's own characters,
    // which are not terminated: the length says where the string ends.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(ResourceModule(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text != nullptr ? std::wstring(text, static_cast<size_t>(length))
                                         : std::wstring();
}

bool AppendSystemMenuItem(HWND window, UINT string_id, UINT command) {
    const std::wstring text = LoadResourceStringWide(string_id);
    HMENU system_menu = GetSystemMenu(window, FALSE);
    if (system_menu == nullptr || text.empty()) {
        return false;
    }
    AppendMenuW(system_menu, MF_SEPARATOR, 0, nullptr);
    return AppendMenuW(system_menu, MF_STRING, command, text.c_str()) != 0;
}

}  // namespace tarnik::ui
