#pragma once
// The common open and save dialogs as the job sender uses them: a filter in
// the "Name|*.ext||" form, no default name, a path of up to MAX_PATH.
#include <windows.h>

#include <string>

namespace tarnik {

enum class FileNameDialog { Open, Save };

// Runs the dialog; true with the chosen path when the user confirmed.
bool ChooseFileName(HWND owner, FileNameDialog kind, const char* filter, DWORD flags,
                    std::string& chosen);

}  // namespace tarnik
