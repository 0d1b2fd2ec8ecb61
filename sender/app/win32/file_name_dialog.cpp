#include "sender/app/win32/file_name_dialog.h"

#include <commdlg.h>

#include <array>

namespace tarnik {

bool ChooseFileName(HWND owner, FileNameDialog kind, const char* filter, DWORD flags,
                    std::string& chosen) {
    // The dialog takes its filter as zero-separated pairs.
    std::string filters = filter != nullptr ? filter : "";
    for (char& c : filters) {
        if (c == '|') {
            c = '\0';
        }
    }
    std::array<char, MAX_PATH + 1> path = {};
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = MAX_PATH;
    dialog.Flags = OFN_EXPLORER | flags;
    const BOOL confirmed =
        kind == FileNameDialog::Save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    if (!confirmed) {
        return false;
    }
    chosen = path.data();
    return true;
}

}  // namespace tarnik
