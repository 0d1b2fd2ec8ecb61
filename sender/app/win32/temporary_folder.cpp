#include <windows.h>

#include <algorithm>

#include "sender/app/settings_store.h"

namespace tarnik {

bool SystemTemporaryFolder(char* buffer, std::size_t size) {
    if (buffer == nullptr || size == 0)
        return false;
    buffer[0] = '\0';
    const DWORD capacity = static_cast<DWORD>(std::min<std::size_t>(size, MAX_PATH));
    // The result ends with a backslash; a length of capacity or more is the
    // size the folder would need, and the buffer holds nothing useful.
    const DWORD length = GetTempPathA(capacity, buffer);
    if (length == 0 || length >= capacity) {
        buffer[0] = '\0';
        return false;
    }
    return true;
}

// Defined with the platform's folder so the portable core never calls into
// the platform layer.
bool SystemSettingsEnvironment::TemporaryFolder(char* buffer, std::size_t size) {
    return SystemTemporaryFolder(buffer, size);
}

}  // namespace tarnik
