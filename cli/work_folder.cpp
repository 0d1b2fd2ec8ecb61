// The private work folder: created by the platform layer, removed here.
#include "cli/work_folder.h"

#include <filesystem>
#include <system_error>

#include "cli/platform_files.h"

namespace tarnik::cli {

WorkFolder::~WorkFolder() {
    if (path_.empty()) {
        return;
    }
    // remove_all does not follow links inside the folder, so removing the
    // folder never reaches files outside it.
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(path_), ignored);
}

bool WorkFolder::Create() {
    if (!path_.empty()) {
        return true;
    }
    std::string created;
    if (!CreatePrivateFolder(created)) {
        return false;
    }
    path_ = created;
    return true;
}

std::string WorkFolder::PathWithSeparator() const {
    return path_ + NativePathSeparator();
}

std::string WorkFolder::File(const char* name) const {
    return PathWithSeparator() + name;
}

}  // namespace tarnik::cli
