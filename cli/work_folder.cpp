// The private work folder: created by the platform layer, removed here.
#include "cli/work_folder.h"

#include <filesystem>
#include <system_error>

#include "cli/interrupt.h"
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
    KeepOnSignal(path_);
}

bool WorkFolder::Create() {
    if (!path_.empty()) {
        return true;
    }
    // A signal that ends the tool removes the folder, from its creation on.
    HoldEndingSignals hold;
    std::string created;
    if (!CreatePrivateFolder(created)) {
        return false;
    }
    path_ = created;
    RemoveOnSignal(path_);
    return true;
}

std::string WorkFolder::PathWithSeparator() const {
    return path_ + NativePathSeparator();
}

std::string WorkFolder::File(const char* name) const {
    return PathWithSeparator() + name;
}

}  // namespace tarnik::cli
