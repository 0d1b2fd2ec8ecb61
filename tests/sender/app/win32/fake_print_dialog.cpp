// The contour-cut macro's print dialog for the GUI tests of tarnik.exe: it
// shows itself until tarnik.exe presses its print button or closes it, or
// until its time runs out, and writes what happened as one line to a file.
//
//   fake_print_dialog TITLE edit|comboex|none BUTTON REPORT_FILE [SECONDS]
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "tests/sender/app/win32/fake_print_dialog.h"

namespace {

constexpr UINT_PTR kGiveUpTimer = 1;

std::wstring ReportPath;

void Report(const std::string& line) {
    FILE* file = _wfopen(ReportPath.c_str(), L"ab");
    if (file != nullptr) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
    PostQuitMessage(0);
}

tarnik::testing::FakeField FieldOf(const wchar_t* name) {
    if (std::wcscmp(name, L"edit") == 0) {
        return tarnik::testing::FakeField::kEdit;
    }
    if (std::wcscmp(name, L"comboex") == 0) {
        return tarnik::testing::FakeField::kComboEx;
    }
    return tarnik::testing::FakeField::kNone;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 5) {
        std::fputs("usage: fake_print_dialog TITLE edit|comboex|none BUTTON REPORT [SECONDS]\n",
                   stderr);
        return 2;
    }
    ReportPath = argv[4];
    const UINT seconds = argc > 5 ? static_cast<UINT>(std::wcstoul(argv[5], nullptr, 10)) : 60;
    tarnik::testing::FakePrintDialog dialog{argv[1], FieldOf(argv[2]), argv[3], &Report};
    if (CreateFakePrintDialog(dialog) == nullptr) {
        return 1;
    }
    SetTimer(nullptr, kGiveUpTimer, seconds * 1000, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr) {
            Report("timeout");
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
