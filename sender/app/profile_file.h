#pragma once
// The settings file "tarnik.ini" as a Windows profile file: one key read or
// written at a time, section and key names matched without regard to case.
#include <cstddef>
#include <memory>

namespace tarnik {

// Size of the buffer every setting is read into, terminator included: text
// values longer than 49 characters are cut there.
constexpr std::size_t kSettingTextSize = 50;

class ProfileFile {
  public:
    virtual ~ProfileFile() = default;

    // Copies the value of `key` in `section` into `buffer` (at most size - 1
    // characters and a terminator), or the default " " when the key is
    // missing. Returns whether the key was present; a present key whose value
    // reads as exactly " " counts as missing, as the profile API cannot tell
    // the two apart.
    virtual bool ReadSetting(const char* section, const char* key, char* buffer,
                             std::size_t size) = 0;

    // Stores `text` under `key` in `section`, adding the section or key when
    // missing. Returns whether the file now holds the value.
    virtual bool WriteSetting(const char* section, const char* key, const char* text) = 0;
};

// The profile file at `ini_path` (the file need not exist yet: reads then give
// defaults and the first write creates it). Implemented once per platform.
std::unique_ptr<ProfileFile> OpenProfileFile(const char* ini_path);

}  // namespace tarnik
