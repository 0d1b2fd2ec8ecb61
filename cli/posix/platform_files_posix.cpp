// POSIX file operations of the command-line tool.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/platform_files.h"

namespace tarnik::cli {

bool CreatePrivateFolder(std::string& path) {
    const char* base = std::getenv("TMPDIR");
    if (base == nullptr || base[0] == '\0') {
        base = "/tmp";
    }
    std::string pattern = base;
    while (pattern.size() > 1 && pattern.back() == '/') {
        pattern.pop_back();
    }
    pattern += "/tarnik-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    // mkdtemp creates the folder with mode 0700 and fails rather than reuse
    // an existing name.
    if (mkdtemp(name.data()) == nullptr) {
        return false;
    }
    path = name.data();
    return true;
}

bool FullPath(const std::string& path, std::string& full) {
    if (path.starts_with('/')) {
        full = path;
        return true;
    }
    std::vector<char> folder(4096);
    if (getcwd(folder.data(), folder.size()) == nullptr) {
        return false;
    }
    full = std::string(folder.data()) + "/" + path;
    return true;
}

char NativePathSeparator() {
    return '/';
}

FILE* CreateNewFile(const char* path) {
    const int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        return nullptr;
    }
    FILE* file = fdopen(fd, "wb");
    if (file == nullptr) {
        close(fd);
        unlink(path);
    }
    return file;
}

FILE* OpenInPlaceTarget(const char* path, bool& in_place) {
    struct stat info {};
    in_place = stat(path, &info) == 0 && !S_ISREG(info.st_mode);
    if (!in_place) {
        return nullptr;
    }
    // A pipe blocks here until it has a reader, as a shell's redirection does.
    const int fd = open(path, O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    // Replaced by a regular file since the look: not written through.
    if (fstat(fd, &info) != 0 || S_ISREG(info.st_mode)) {
        close(fd);
        return nullptr;
    }
    FILE* file = fdopen(fd, "wb");
    if (file == nullptr) {
        close(fd);
    }
    return file;
}

bool LinkFile(const char* from, const char* to) {
    return linkat(AT_FDCWD, from, AT_FDCWD, to, AT_SYMLINK_FOLLOW) == 0;
}

bool ReplaceFileWith(const char* from, const char* to) {
    return std::rename(from, to) == 0;
}

}  // namespace tarnik::cli
