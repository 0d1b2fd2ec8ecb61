#include <cstdlib>
#include <cstring>

#include "sender/app/setting_conversions.h"
#include "sender/app/settings_store.h"

namespace tarnik {

bool SystemTemporaryFolder(char* buffer, std::size_t size) {
    if (buffer == nullptr || size == 0)
        return false;
    buffer[0] = '\0';
    const char* folder = std::getenv("TMPDIR");
    if (folder == nullptr || folder[0] == '\0')
        folder = "/tmp";
    const std::size_t length = std::strlen(folder);
    const bool needs_slash = folder[length - 1] != '/';
    if (length + (needs_slash ? 1 : 0) + 1 > size)
        return false;
    CopyText(buffer, size, folder);
    if (needs_slash)
        std::strcat(buffer, "/");
    return true;
}

// Defined with the platform's folder so the portable core never calls into
// the platform layer.
bool SystemSettingsEnvironment::TemporaryFolder(char* buffer, std::size_t size) {
    return SystemTemporaryFolder(buffer, size);
}

}  // namespace tarnik
