#pragma once
// The install operation's file system and message boxes on Windows.
#include <windows.h>

#include "installer/install_seams.h"

namespace tarnik::ostrel {

class Win32InstallFiles : public installer::InstallFiles {
  public:
    bool Copy(const char* from, const char* to) override;
    bool Exists(const char* path) override;
    bool WriteSetting(const char* file, const char* section, const char* key,
                      const char* value) override;
    void EnterFolder(const char* folder) override;
    bool LetUsersModify(const char* path) override;
};

class Win32InstallMessages : public installer::InstallMessages {
  public:
    explicit Win32InstallMessages(HWND owner) : owner_(owner) {}
    void Show(const char* text, installer::MessageStyle style) override;

  private:
    HWND owner_;
};

}  // namespace tarnik::ostrel
