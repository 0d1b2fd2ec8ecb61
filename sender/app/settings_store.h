#pragma once
// Loading every setting of the job sender from "tarnik.ini" into
// SenderSettings, and writing them back after the settings dialog closes.
#include <cstddef>

#include "sender/app/profile_file.h"
#include "sender/settings/sender_settings.h"

namespace tarnik {

// What loading and saving show in the main window.
class SettingsView {
  public:
    virtual ~SettingsView() = default;
    virtual void ShowPortText(const char* text) = 0;
    virtual void ShowModelText(const char* text) = 0;
    // Status line to a string of the table, in the current language (the
    // block sender's call of the same name).
    virtual void SetStatusString(int string_id) = 0;
};

// A view for callers without a window (command-line tools).
class QuietSettingsView : public SettingsView {
  public:
    void ShowPortText(const char*) override {}
    void ShowModelText(const char*) override {}
    void SetStatusString(int) override {}
};

// The rest of the system as loading and saving reach it.
class SettingsEnvironment {
  public:
    virtual ~SettingsEnvironment() = default;
    // The system temporary folder with its trailing separator; false when it
    // cannot be had within `size` (terminator included).
    virtual bool TemporaryFolder(char* buffer, std::size_t size) = 0;
    // Deletes the export file left over from an earlier run, if it can be
    // opened for reading.
    virtual void RemoveStaleExportFile(const char* path) = 0;
    // Copies the export folder into the export watcher's WatchFolder.
    virtual void HandExportFolderToWatcher(const char* folder) = 0;
    // Restarts the export watcher on the folder last handed over.
    virtual void RestartExportWatcher() = 0;
    // Tells the line flag's owner that the line is usable: a settings change
    // may have fixed the serial line.
    virtual void MarkLineUsable() = 0;
};

// The system's temporary folder and file removal; the export watcher and the
// line flag belong to the main window, so they do nothing here and a main
// window overrides them.
class SystemSettingsEnvironment : public SettingsEnvironment {
  public:
    bool TemporaryFolder(char* buffer, std::size_t size) override;
    void RemoveStaleExportFile(const char* path) override;
    void HandExportFolderToWatcher(const char*) override {}
    void RestartExportWatcher() override {}
    void MarkLineUsable() override {}
};

// The system temporary folder with a trailing separator (GetTempPathA on
// Windows; $TMPDIR or /tmp on POSIX). Implemented once per platform.
bool SystemTemporaryFolder(char* buffer, std::size_t size);

// Opens `path` for reading and, when that succeeds, closes and deletes it.
// Returns whether a file was deleted.
bool RemoveReadableFile(const char* path);

// SettingsPath from the full path of the program file: its file name
// ("tarnik.exe") replaced by "tarnik.ini" after the last separator. False, with
// an empty result, when the path has no folder or does not fit.
bool ComputeSettingsPath(const char* module_path, char* settings_path, std::size_t size);

// "%s\\%s" of ColExportPath and ColExportFilename: where the drawing
// program's macro writes the export file. False when it does not fit.
bool ExportFilePath(const SenderSettings& settings, char* buffer, std::size_t size);

struct SettingsSeams {
    ProfileFile& profile;
    SettingsView& view;
    SettingsEnvironment& environment;
};

// Reads every key in the fixed order into `settings` (missing keys give their
// defaults), shows port, model and status texts, makes the temporary folder
// the export folder, hands it to the export watcher and removes a stale
// export file. SettingsPath is left as it is: compute it before opening the
// profile file.
void LoadSettings(const SettingsSeams& seams, SenderSettings& settings);

// After the settings dialog closes. With OK, `dialog_values` (everything but
// SettingsPath) become the settings and are written in the fixed order, the
// export folder goes to the watcher (restarted when `auto_mode` is 1) and the
// serial line is marked usable. OK or cancel, the two scale divisors of the
// dialog are then written. A refused write stops nothing (the settings stay
// in use until the program ends); false tells the caller that at least one
// write after OK was refused, so the user learns that the file does not
// hold the choice.
bool SaveSettings(const SettingsSeams& seams, const SenderSettings& dialog_values, bool dialog_ok,
                  int auto_mode, SenderSettings& settings);

}  // namespace tarnik
