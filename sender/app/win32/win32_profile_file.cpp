// The settings file through the Windows profile API itself.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "sender/app/profile_file.h"

namespace tarnik {
namespace {

class Win32ProfileFile : public ProfileFile {
  public:
    explicit Win32ProfileFile(const char* path) : path_(path) {}

    bool ReadSetting(const char* section, const char* key, char* buffer,
                     std::size_t size) override {
        if (buffer == nullptr || size == 0)
            return false;
        buffer[0] = '\0';
        // A null section or key would list names instead of reading a value.
        if (section == nullptr || key == nullptr)
            return false;
        const DWORD capacity = static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD));
        // The default " " cannot come back for a present key unless its value
        // is a blank, which is how presence is told.
        GetPrivateProfileStringA(section, key, " ", buffer, capacity, path_.c_str());
        return std::strcmp(buffer, " ") != 0;
    }

    bool WriteSetting(const char* section, const char* key, const char* text) override {
        // A null text or key would delete entries; this interface only stores.
        if (section == nullptr || key == nullptr || text == nullptr)
            return false;
        return WritePrivateProfileStringA(section, key, text, path_.c_str()) != FALSE;
    }

  private:
    std::string path_;
};

}  // namespace

std::unique_ptr<ProfileFile> OpenProfileFile(const char* ini_path) {
    return std::make_unique<Win32ProfileFile>(ini_path != nullptr ? ini_path : "");
}

}  // namespace tarnik
