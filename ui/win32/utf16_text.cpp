#include "ui/win32/utf16_text.h"

#include "ui/win32/resources.h"

namespace tarnik::ui {

std::wstring Utf16FromUtf8(const std::string& text) {
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(needed > 0 ? needed : 0), L'\0');
    if (needed > 0) {
        MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), needed);
    }
    return wide;
}

std::string Utf8FromUtf16(const std::wstring& text) {
    const int length = static_cast<int>(text.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(needed > 0 ? needed : 0), '\0');
    if (needed > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, bytes.data(), needed, nullptr,
                            nullptr);
    }
    return bytes;
}

std::string LoadResourceStringUtf8(UINT id) {
    // With a zero size LoadStringW hands out a pointer to the resource's own
    // text, which is not terminated: the count says where it ends.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(ResourceModule(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) {
        return {};
    }
    return Utf8FromUtf16(std::wstring(text, static_cast<size_t>(length)));
}

int AppMessageBoxUtf8(HWND owner, const std::string& text, UINT type) {
    const std::wstring caption = Utf16FromUtf8(ApplicationName());
    return MessageBoxW(owner, Utf16FromUtf8(text).c_str(), caption.c_str(), type);
}

void SetWindowTextUtf8(HWND window, const std::string& text) {
    SetWindowTextW(window, Utf16FromUtf8(text).c_str());
}

}  // namespace tarnik::ui
