#include "tests/support/win32/window_probe.h"

#include <cstdio>
#include <cwchar>

namespace tarnik::testing {

void PrintUtf8(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    std::fputs(bytes.c_str(), stdout);
    std::fputs("\n", stdout);
}

std::wstring WindowText(HWND window) {
    wchar_t text[1024] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000,
                        nullptr);
    return text;
}

std::vector<HWND> DialogsCaptioned(const wchar_t* caption) {
    struct Search {
        const wchar_t* caption;
        std::vector<HWND> found;
    } search = {caption, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t kind[16] = {};
            wchar_t text[256] = {};
            GetClassNameW(window, kind, 16);
            GetWindowTextW(window, text, 256);
            if (std::wcscmp(kind, L"#32770") == 0 && std::wcscmp(text, s->caption) == 0) {
                s->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FirstDialogCaptioned(const wchar_t* caption) {
    const std::vector<HWND> dialogs = DialogsCaptioned(caption);
    return dialogs.empty() ? nullptr : dialogs.front();
}

std::wstring MessageBoxText(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t kind[16] = {};
        GetClassNameW(child, kind, 16);
        if (_wcsicmp(kind, L"Static") == 0) {
            std::wstring text = WindowText(child);
            if (!text.empty()) {
                return text;
            }
        }
    }
    return L"";
}

long long Number(const wchar_t* text) {
    return std::wcstoll(text, nullptr, 0);
}

DWORD WaitArgument(int argc, wchar_t** argv, int index, DWORD otherwise) {
    return argc > index ? static_cast<DWORD>(std::wcstoul(argv[index], nullptr, 10)) : otherwise;
}

int RunDriver(int (*run)(int argc, wchar_t** argv)) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const int status = argv != nullptr ? run(argc, argv) : 2;
    LocalFree(argv);
    std::fflush(stdout);
    return status;
}

}  // namespace tarnik::testing
