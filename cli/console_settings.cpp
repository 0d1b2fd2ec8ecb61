// Loading the settings of a console run through the settings store.
#include "cli/console_settings.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "cli/platform_files.h"
#include "cli/settings_check.h"
#include "sender/app/profile_file.h"
#include "sender/app/settings_store.h"
#include "sender/pipeline/work_file.h"

namespace tarnik::cli {
namespace {

// The settings store as a console run meets it: the temporary folder is the
// run's private folder, and there is no export watcher or serial line.
class ConsoleSettingsEnvironment : public SettingsEnvironment {
  public:
    explicit ConsoleSettingsEnvironment(const std::string& temp_folder)
        : temp_folder_(temp_folder) {}

    bool TemporaryFolder(char* buffer, std::size_t size) override {
        if (temp_folder_.size() + 1 > size) {
            return false;
        }
        std::memcpy(buffer, temp_folder_.c_str(), temp_folder_.size() + 1);
        return true;
    }
    // The private folder was created empty by this run: nothing in it is
    // stale, and the export file name comes from the settings file, so it is
    // not trusted to name a file to delete.
    void RemoveStaleExportFile(const char*) override {}
    void HandExportFolderToWatcher(const char*) override {}
    void RestartExportWatcher() override {}
    void MarkLineUsable() override {}

  private:
    std::string temp_folder_;
};

// A settings file is a page of text; the check reads no more than this of
// whatever file it is given.
constexpr size_t kMaxCheckedBytes = 256 * 1024;

void CheckSettingsFile(const std::string& path, std::ostream& err) {
    struct Closer {
        void operator()(FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<FILE, Closer> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return;
    }
    std::string text(kMaxCheckedBytes, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), file.get()));
    CheckSettingsText(text, path, err);
}

}  // namespace

bool LoadCliSettings(const std::string& settings_path, const std::string& temp_folder,
                     SenderSettings& settings, std::ostream& err) {
    settings = SenderSettings{};
    std::string path = settings_path;
    if (path.empty()) {
        if (!CanOpenForReading(kDefaultSettingsFile)) {
            err << "tarnik-cli: no settings file (--settings FILE, or " << kDefaultSettingsFile
                << " in the current folder): running on the built-in defaults, model NVA with "
                   "every path rework off\n";
            return true;
        }
        path = kDefaultSettingsFile;
    }
    std::string full_path;
    if (!CanOpenForReading(path.c_str()) || !FullPath(path, full_path) ||
        full_path.size() >= sizeof(settings.SettingsPath)) {
        err << "tarnik-cli: cannot read the settings file " << path << "\n";
        return false;
    }
    std::snprintf(settings.SettingsPath, sizeof(settings.SettingsPath), "%s", full_path.c_str());
    CheckSettingsFile(path, err);
    std::unique_ptr<ProfileFile> profile = OpenProfileFile(settings.SettingsPath);
    if (!profile) {
        err << "tarnik-cli: cannot read the settings file " << path << "\n";
        return false;
    }
    QuietSettingsView view;
    ConsoleSettingsEnvironment environment(temp_folder);
    LoadSettings(SettingsSeams{*profile, view, environment}, settings);
    return true;
}

}  // namespace tarnik::cli
