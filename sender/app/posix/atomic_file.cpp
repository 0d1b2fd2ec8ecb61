#include "sender/app/posix/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace tarnik {
namespace {

// The file that really gets replaced: the target of a symbolic link, so the
// link itself survives the rename.
std::string ResolveTarget(const std::string& path) {
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) != nullptr)
        return resolved;
    return path;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Makes the rename itself durable; a failure here loses nothing already
// written, so it is not reported.
void SyncFolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

bool FillTemporary(int fd, const std::string& target, std::string_view bytes) {
    struct stat old_file {};
    const mode_t mode = stat(target.c_str(), &old_file) == 0 ? (old_file.st_mode & 07777) : 0644;
    return fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && fsync(fd) == 0;
}

}  // namespace

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string target = ResolveTarget(path);
    std::vector<char> temporary(target.begin(), target.end());
    const std::string_view suffix = ".XXXXXX";
    temporary.insert(temporary.end(), suffix.begin(), suffix.end());
    temporary.push_back('\0');
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return false;
    const bool filled = FillTemporary(fd, target, bytes);
    const bool closed = close(fd) == 0;
    if (!filled || !closed || std::rename(temporary.data(), target.c_str()) != 0) {
        unlink(temporary.data());
        return false;
    }
    SyncFolderOf(target);
    return true;
}

}  // namespace tarnik
