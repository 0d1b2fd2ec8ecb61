#pragma once
// Texts that may hold Chinese, kept as UTF-8 in the programs and shown
// through the UTF-16 calls. The ANSI calls would turn every character
// outside the current code page into "?": on an English Windows (code page
// 1252) every Chinese text of the string table and of the dialogs.
#include <windows.h>

#include <string>

namespace tarnik::ui {

std::wstring Utf16FromUtf8(const std::string& text);
std::string Utf8FromUtf16(const std::wstring& text);

// A string of the table in the current resource module (LoadStringW), as
// UTF-8; empty when the id is not there.
std::string LoadResourceStringUtf8(UINT id);

// The application's message box (caption ApplicationName()) for a UTF-8
// text, shown with MessageBoxW.
int AppMessageBoxUtf8(HWND owner, const std::string& text, UINT type);

// SetWindowTextW of a UTF-8 text.
void SetWindowTextUtf8(HWND window, const std::string& text);

}  // namespace tarnik::ui
