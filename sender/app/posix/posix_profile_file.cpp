// Our own profile file for POSIX systems, with the same reading and
// rewriting rules as the Windows profile API (see profile_text.h), so a
// "tarnik.ini" edited here and there ends up with the same bytes.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>

#include "sender/app/posix/atomic_file.h"
#include "sender/app/profile_file.h"
#include "sender/app/profile_text.h"

namespace tarnik {
namespace {

// The file's bytes; an empty text for a missing file, nothing when the file
// exists but cannot be read (a write must then not replace it).
std::optional<std::string> ReadProfileBytes(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        if (error)
            return std::nullopt;
        return std::string();
    }
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return bytes;
}

class PosixProfileFile : public ProfileFile {
  public:
    explicit PosixProfileFile(const char* path) : path_(path) {}

    bool ReadSetting(const char* section, const char* key, char* buffer,
                     std::size_t size) override {
        if (buffer == nullptr || size == 0)
            return false;
        buffer[0] = '\0';
        if (section == nullptr || key == nullptr)
            return false;
        const std::optional<std::string> bytes = ReadProfileBytes(path_);
        const ProfileText text = ProfileText::Parse(bytes.value_or(std::string()));
        const std::string* value = text.Find(section, key);
        CopyProfileValue(value != nullptr ? std::string_view(*value) : " ", buffer, size);
        return std::strcmp(buffer, " ") != 0;
    }

    bool WriteSetting(const char* section, const char* key, const char* text) override {
        if (section == nullptr || key == nullptr || text == nullptr)
            return false;
        const std::optional<std::string> bytes = ReadProfileBytes(path_);
        if (!bytes)
            return false;
        ProfileText profile = ProfileText::Parse(*bytes);
        if (!profile.Set(section, key, text))
            return true;
        return ReplaceFileAtomically(path_, profile.Render());
    }

  private:
    std::string path_;
};

}  // namespace

std::unique_ptr<ProfileFile> OpenProfileFile(const char* ini_path) {
    return std::make_unique<PosixProfileFile>(ini_path != nullptr ? ini_path : "");
}

}  // namespace tarnik
