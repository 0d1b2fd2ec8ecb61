#pragma once
// Texts that may hold Chinese, kept in UTF-16 from the resource to the
// screen. Through the ANSI calls they would pass the system's ANSI code
// page, which holds no Chinese outside code page 936: on an English
// Windows "关于 Mirando(&A)..." would read "?? Mirando(&A)...".
#include <windows.h>

#include <string>

namespace tarnik::ui {

// A string of the table in the current resource module; empty when the id
// is not there.
std::wstring LoadResourceStringWide(UINT id);

// Appends a separator and the string `string_id` as item `command` to the
// window's system menu. Nothing is appended when the string is empty; false
// then, or when the menu refused the item.
bool AppendSystemMenuItem(HWND window, UINT string_id, UINT command);

}  // namespace tarnik::ui
