// Windows file operations of the console build of the command-line tool.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "cli/platform_files.h"

namespace tarnik::cli {

bool CreatePrivateFolder(std::string& path) {
    char temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof(temp), temp);
    if (length == 0 || length >= sizeof(temp)) {
        return false;
    }
    std::string base(temp, length);
    if (!base.empty() && base.back() != '\\' && base.back() != '/') {
        base += '\\';
    }
    // CreateDirectoryA fails on an existing name, so a folder that is created
    // here is new and ours; try a few names built from the process id and the
    // tick count.
    const DWORD process = GetCurrentProcessId();
    const DWORD start = GetTickCount();
    for (DWORD attempt = 0; attempt < 1000; ++attempt) {
        char name[64];
        std::snprintf(name, sizeof(name), "tarnik-%lu-%lu", static_cast<unsigned long>(process),
                      static_cast<unsigned long>(start + attempt));
        std::string candidate = base + name;
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path = candidate;
            return true;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            return false;
        }
    }
    return false;
}

bool FullPath(const std::string& path, std::string& full) {
    const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return false;
    }
    std::string buffer(needed, '\0');
    const DWORD length = GetFullPathNameA(path.c_str(), needed, buffer.data(), nullptr);
    if (length == 0 || length >= needed) {
        return false;
    }
    buffer.resize(length);
    full = buffer;
    return true;
}

char NativePathSeparator() {
    return '\\';
}

FILE* CreateNewFile(const char* path) {
    HANDLE handle =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY | _O_WRONLY);
    if (fd < 0) {
        CloseHandle(handle);
        DeleteFileA(path);
        return nullptr;
    }
    FILE* file = _fdopen(fd, "wb");
    if (file == nullptr) {
        _close(fd);
        DeleteFileA(path);
    }
    return file;
}

FILE* OpenInPlaceTarget(const char* path, bool& in_place) {
    in_place = false;
    // Opening an existing file for writing without truncating it changes
    // nothing; only a device or a pipe (not a disk file) is kept open.
    HANDLE handle = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    if (GetFileType(handle) == FILE_TYPE_DISK) {
        CloseHandle(handle);
        return nullptr;
    }
    in_place = true;
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY | _O_WRONLY);
    if (fd < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    FILE* file = _fdopen(fd, "wb");
    if (file == nullptr) {
        _close(fd);
    }
    return file;
}

bool LinkFile(const char* from, const char* to) {
    return CreateHardLinkA(to, from, nullptr) != 0;
}

bool ReplaceFileWith(const char* from, const char* to) {
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING) != 0;
}

}  // namespace tarnik::cli
