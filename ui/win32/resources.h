#pragma once
// Where the programs' resources come from: the program file itself, or a
// resource library chosen at start-up (an English translation). Every
// resource lookup of the framework and of the programs goes through
// ResourceModule(), so one call at start-up switches the whole language.
#include <windows.h>

#include <string>

namespace tarnik::ui {

HINSTANCE ResourceModule();
// Null returns to the program file's own resources.
void SetResourceModule(HINSTANCE module);

// A string of the table in the current resource module, as ANSI bytes of the
// current code page; empty when the id is not there.
std::string LoadResourceString(UINT id);

// The program file name without folder and extension ("tarnik" for
// tarnik.exe): the caption of the application's message boxes.
std::string ApplicationName();

// The application's message box: caption ApplicationName(), `type` as for
// MessageBoxA. The owner may be null.
int AppMessageBox(HWND owner, const char* text, UINT type);

}  // namespace tarnik::ui
