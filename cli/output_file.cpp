// Whole-file output through a temporary name and a rename.
#include "cli/output_file.h"

#include <cstdio>
#include <memory>

#include "cli/platform_files.h"

namespace tarnik::cli {
namespace {

struct FileCloser {
    void operator()(FILE* file) const {
        if (file != nullptr) {
            std::fclose(file);
        }
    }
};
using FileHandle = std::unique_ptr<FILE, FileCloser>;

// A new file beside path; tries a few names in case an earlier run was killed
// and left one behind.
FileHandle CreateTemporaryBeside(const std::string& path, std::string& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = path + ".part" + std::to_string(attempt);
        FileHandle file(CreateNewFile(temporary.c_str()));
        if (file) {
            return file;
        }
    }
    temporary.clear();
    return nullptr;
}

bool WriteAndClose(FileHandle file, const char* data, size_t size) {
    const bool written = size == 0 || std::fwrite(data, 1, size, file.get()) == size;
    const bool flushed = std::fflush(file.get()) == 0;
    const bool closed = std::fclose(file.release()) == 0;
    return written && flushed && closed;
}

}  // namespace

bool WriteFileWhole(const std::string& path, const char* data, size_t size) {
    std::string temporary;
    FileHandle file = CreateTemporaryBeside(path, temporary);
    if (!file) {
        return false;
    }
    if (!WriteAndClose(std::move(file), data, size) ||
        !ReplaceFileWith(temporary.c_str(), path.c_str())) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace tarnik::cli
