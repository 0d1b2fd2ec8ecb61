// Where the settings file and the export file are, and the stale export
// file's removal.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "sender/app/setting_conversions.h"
#include "sender/app/settings_store.h"

namespace tarnik {

bool ComputeSettingsPath(const char* module_path, char* settings_path, std::size_t size) {
    if (settings_path == nullptr || size == 0)
        return false;
    settings_path[0] = '\0';
    if (module_path == nullptr)
        return false;
    // The program file sits beside its settings file; cutting at the last
    // separator (rather than a fixed "\\tarnik.exe") also copes with a
    // renamed program file.
    const char* separator = std::strrchr(module_path, '\\');
    const char* slash = std::strrchr(module_path, '/');
    if (separator == nullptr || (slash != nullptr && slash > separator))
        separator = slash;
    if (separator == nullptr)
        return false;
    const std::size_t folder_length = static_cast<std::size_t>(separator - module_path) + 1;
    static constexpr char kFileName[] = "tarnik.ini";
    if (folder_length + sizeof kFileName > size)
        return false;
    std::memcpy(settings_path, module_path, folder_length);
    std::memcpy(settings_path + folder_length, kFileName, sizeof kFileName);
    return true;
}

bool ExportFilePath(const SenderSettings& settings, char* buffer, std::size_t size) {
    if (buffer == nullptr || size == 0)
        return false;
    const int length =
        std::snprintf(buffer, size, "%s\\%s", settings.ColExportPath, settings.ColExportFilename);
    // A cut path would name some other file.
    if (length < 0 || static_cast<std::size_t>(length) >= size) {
        buffer[0] = '\0';
        return false;
    }
    return true;
}

bool RemoveReadableFile(const char* path) {
    if (path == nullptr)
        return false;
    // Only a file: a folder opens for reading on some systems but must stay.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    {
        const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path, "rb"),
                                                                   &std::fclose);
        if (!file)
            return false;
    }
    return std::remove(path) == 0;
}

void SystemSettingsEnvironment::RemoveStaleExportFile(const char* path) {
    RemoveReadableFile(path);
}

}  // namespace tarnik
