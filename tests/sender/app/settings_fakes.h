#pragma once
// Recording fakes of the settings store's seams. All three write into one
// call log, so a test sees the order of reads, writes and window updates.
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "sender/app/profile_file.h"
#include "sender/app/setting_conversions.h"
#include "sender/app/settings_store.h"

namespace tarnik::testing {

using CallLog = std::vector<std::string>;

// Keys are "Section/Key"; names are compared as given (the store always
// spells them the same way).
class RecordingProfile : public ProfileFile {
  public:
    explicit RecordingProfile(CallLog& log, std::map<std::string, std::string> values = {})
        : log_(log), values_(std::move(values)) {}

    bool ReadSetting(const char* section, const char* key, char* buffer,
                     std::size_t size) override {
        const std::string name = std::string(section) + "/" + key;
        log_.push_back("read " + name);
        const auto found = values_.find(name);
        CopyText(buffer, size, found != values_.end() ? found->second.c_str() : " ");
        return std::strcmp(buffer, " ") != 0;
    }
    bool WriteSetting(const char* section, const char* key, const char* text) override {
        const std::string name = std::string(section) + "/" + key;
        log_.push_back("write " + name + "=" + text);
        values_[name] = text;
        return true;
    }

  private:
    CallLog& log_;
    std::map<std::string, std::string> values_;
};

class RecordingView : public SettingsView {
  public:
    explicit RecordingView(CallLog& log) : log_(log) {}
    void ShowPortText(const char* text) override { log_.push_back(std::string("port ") + text); }
    void ShowModelText(const char* text) override { log_.push_back(std::string("model ") + text); }
    void SetStatusString(int id) override { log_.push_back("status " + std::to_string(id)); }

  private:
    CallLog& log_;
};

class RecordingEnvironment : public SettingsEnvironment {
  public:
    RecordingEnvironment(CallLog& log, std::string temporary_folder)
        : log_(log), temporary_folder_(std::move(temporary_folder)) {}

    bool TemporaryFolder(char* buffer, std::size_t size) override {
        if (temporary_folder_.empty() || temporary_folder_.size() >= size)
            return false;
        CopyText(buffer, size, temporary_folder_.c_str());
        return true;
    }
    void RemoveStaleExportFile(const char* path) override {
        log_.push_back(std::string("remove ") + path);
    }
    void HandExportFolderToWatcher(const char* folder) override {
        log_.push_back(std::string("watch ") + folder);
    }
    void RestartExportWatcher() override { log_.push_back("restart watcher"); }
    void MarkLineUsable() override { log_.push_back("line usable"); }

  private:
    CallLog& log_;
    std::string temporary_folder_;
};

// Only the calls that are not profile reads or writes.
inline CallLog WindowCalls(const CallLog& log) {
    CallLog calls;
    for (const std::string& call : log) {
        if (call.rfind("read ", 0) != 0 && call.rfind("write ", 0) != 0)
            calls.push_back(call);
    }
    return calls;
}

}  // namespace tarnik::testing
