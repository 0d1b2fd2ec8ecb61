#include "sender/pipeline/win32/exclusive_open.h"

#include <windows.h>

namespace tarnik {

// Share mode 0: the open fails with a sharing violation while another
// handle to the file is open, so a file still being written is never read
// half-way.
bool OpenWithoutSharing(const char* path) {
    const HANDLE file =
        CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

}  // namespace tarnik
