#include "installer/win32/install_seams_win32.h"

#include "installer/win32/users_modify_right.h"
#include "ui/win32/resources.h"

namespace tarnik::ostrel {
namespace {

constexpr const char* kSetupTitle = "coreldraw setup";

}  // namespace

bool Win32InstallFiles::Copy(const char* from, const char* to) {
    return CopyFileA(from, to, FALSE) != 0;
}

bool Win32InstallFiles::Exists(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32InstallFiles::WriteSetting(const char* file, const char* section, const char* key,
                                     const char* value) {
    return WritePrivateProfileStringA(section, key, value, file) != 0;
}

void Win32InstallFiles::EnterFolder(const char* folder) {
    if (!SetCurrentDirectoryA(folder)) {
        CreateDirectoryA(folder, nullptr);
        SetCurrentDirectoryA(folder);
    }
}

bool Win32InstallFiles::LetUsersModify(const char* path) {
    NamedFileSecurity security;
    return ostrel::LetUsersModify(path, security);
}

void Win32InstallMessages::Show(const char* text, installer::MessageStyle style) {
    switch (style) {
        case installer::MessageStyle::kError:
            MessageBoxA(owner_, text, kSetupTitle, MB_OK | MB_ICONERROR);
            break;
        case installer::MessageStyle::kPlain:
            MessageBoxA(owner_, text, kSetupTitle, MB_OK);
            break;
        case installer::MessageStyle::kIniError:
            ui::AppMessageBox(owner_, text, MB_OK);
            break;
    }
}

}  // namespace tarnik::ostrel
