#pragma once
// A stand-in for the contour-cut macro's print dialog: a dialog-class
// window with a given title, a file name field (a plain edit, an extended
// combo box with its edit, or none), a "Cancel" button and a print button
// with a given caption. It reports what reached it: "pressed TEXT" (the
// field's text when the print button was clicked) or "closed" (WM_CLOSE).
// Used in-process by the tests and as the program fake_print_dialog.exe.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tarnik::testing {

enum class FakeField { kNone, kEdit, kComboEx };

struct FakePrintDialog {
    std::wstring title;
    FakeField field = FakeField::kEdit;
    std::wstring button;
    std::function<void(const std::string&)> report;
    // Shown on the screen; a hidden one is found and driven all the same,
    // and its end does not wait on the display's focus change.
    bool visible = true;
    HWND edit = nullptr;  // the field's edit, once made
};

inline constexpr int kFakePrintButtonId = 1001;

inline std::string FakeDialogUtf8(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    bytes.resize(bytes.size() - 1);
    return bytes;
}

inline HWND FakeDialogChild(HWND parent, const wchar_t* window_class, const wchar_t* text,
                            DWORD style, int y, int id) {
    return CreateWindowExW(0, window_class, text, WS_CHILD | WS_VISIBLE | style, 10, y, 260, 24,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

// The field: an extended combo box makes its own combo box and, for a drop
// down, that combo box's edit.
inline void FakeDialogField(HWND dialog, FakePrintDialog& fake) {
    if (fake.field == FakeField::kEdit) {
        fake.edit = FakeDialogChild(dialog, L"Edit", L"", WS_BORDER, 10, 1000);
    } else if (fake.field == FakeField::kComboEx) {
        INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_USEREX_CLASSES};
        InitCommonControlsEx(&classes);
        HWND ex = CreateWindowExW(0, WC_COMBOBOXEXW, L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 10,
                                  10, 260, 200, dialog, reinterpret_cast<HMENU>(1000),
                                  GetModuleHandleW(nullptr), nullptr);
        fake.edit = reinterpret_cast<HWND>(SendMessageW(ex, CBEM_GETEDITCONTROL, 0, 0));
    }
}

inline std::wstring FakeDialogText(HWND window) {
    wchar_t text[512] = {};
    if (window != nullptr) {
        GetWindowTextW(window, text, 512);
    }
    return text;
}

inline INT_PTR CALLBACK FakePrintDialogProc(HWND dialog, UINT message, WPARAM w, LPARAM l) {
    auto* fake = reinterpret_cast<FakePrintDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            fake = reinterpret_cast<FakePrintDialog*>(l);
            SetWindowLongPtrW(dialog, DWLP_USER, l);
            SetWindowTextW(dialog, fake->title.c_str());
            FakeDialogField(dialog, *fake);
            FakeDialogChild(dialog, L"Button", L"Cancel", BS_PUSHBUTTON, 50, IDCANCEL);
            if (!fake->button.empty()) {
                FakeDialogChild(dialog, L"Button", fake->button.c_str(), BS_PUSHBUTTON, 90,
                                kFakePrintButtonId);
            }
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(w) == kFakePrintButtonId && HIWORD(w) == BN_CLICKED) {
                fake->report("pressed " + FakeDialogUtf8(FakeDialogText(fake->edit)));
                DestroyWindow(dialog);
            }
            return TRUE;
        case WM_CLOSE:
            fake->report("closed");
            DestroyWindow(dialog);
            return TRUE;
        default:
            return FALSE;
    }
}

// Makes the dialog on the calling thread, whose message loop then runs it.
// `fake` must outlive the window.
inline HWND CreateFakePrintDialog(FakePrintDialog& fake) {
    // An in-memory template with no items: style, extended style, item
    // count, position and size, then no menu, the default class, no title.
    alignas(DWORD) WORD words[32] = {};
    auto* head = reinterpret_cast<DLGTEMPLATE*>(words);
    head->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | (fake.visible ? WS_VISIBLE : 0);
    head->cx = 200;
    head->cy = 90;
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), head, nullptr,
                                      &FakePrintDialogProc, reinterpret_cast<LPARAM>(&fake));
}

}  // namespace tarnik::testing
