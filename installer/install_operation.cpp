#include "installer/install_operation.h"

#include <optional>

#include "installer/version_table.h"

namespace tarnik::installer {
namespace {

constexpr const char* kVbaMissing = "VBA don't be installed!";
constexpr const char* kNoGmsPath = "Get GMS path faild!";
constexpr const char* kBadGmsPath = "bad gms path!";
constexpr const char* kIniError = "INI ERROR!";
constexpr const char* kNoExportFolder = "Get export settings path faild!";
constexpr const char* kBadFile = "file is bad,don't copy!";
constexpr const char* kSuccess = "Install success!";
constexpr const char* kSettingsFileName = "tarnik.ini";
constexpr const char* kUsersCannotSave =
    "Users without administrator rights cannot save settings: no write right on ";

// The project the system's macros live in, switched on for CorelDRAW 12
// and later; matched byte for byte.
constexpr const char* kMacroProject = "NvWorkTool";

// Dispatch identifiers of CorelDRAW's automation members.
namespace corel11 {
constexpr long kVbaAvailable = 0x6002005F;
constexpr long kPrepare = 0x60020002;
constexpr long kOpenCommands = 0x6002001F;
constexpr long kLoadCommandFile = 0x6002004F;
constexpr long kMacroSettings = 0x6002004E;
constexpr long kFinish = 0x60020011;
}  // namespace corel11
namespace suite {
constexpr long kBaseFolder = 0x6002006B;
constexpr long kVbaAvailable = 0x60020051;
constexpr long kLoadWorkspace = 0x60020045;
constexpr long kMacroSettings = 0x60020044;
constexpr long kProjects = 0x60020041;
constexpr long kCount = 0x60020001;
constexpr long kSwitchOn = 0x60020001;
constexpr long kFinish = 0x6002000E;
}  // namespace suite
constexpr long kGmsFolder = 0x60020000;
constexpr long kDefaultMember = 0;

constexpr const char* kExportSection = "CorelHPGLExport";
struct ExportOption {
    const char* key;
    const char* value;
};
// 800 plotter units per inch is the 31.496 units per millimetre the plot
// file reader assumes.
constexpr ExportOption kExportOptions[] = {
    {"DLG Plotter Units Per Inch", "800"},
    {"DLG Curve Resolution", "0"},
    {"DLG No PW or VS", "0"},
};

constexpr const char* kMacroFiles[] = {"nvcut.gms", "nvmirando.gms", "nvaddmark.gms"};

struct ProgramFile {
    const char* name;
    // An existing copy in the program folder is kept: it holds the settings
    // the job sender has saved since the first installation.
    bool keep_existing;
};
constexpr ProgramFile kProgramFiles[] = {
    {"tarnik.exe", false},
    {"Mirando.exe", false},
    {"tarnik.ini", true},
    {"Anglet.dll", false},
};

// CorelDRAW's folders come back with a trailing separator, but not always:
// names appended to a folder without one would land in its parent folder,
// prefixed with the folder's own name. An empty folder stays empty.
std::string WithSeparator(const std::string& folder) {
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/') {
        return folder;
    }
    return folder + '\\';
}

// One run of the install operation. Every Call* member answers false when
// CorelDRAW rejected the call, which ends the run.
class InstallRun {
  public:
    InstallRun(const VersionRow& row, const std::string& source, const InstallSeams& seams)
        : row_(row), source_(source), seams_(seams) {}

    InstallOutcome Run() {
        if (!seams_.automation.CreateApplication(row_.prog_id)) {
            return Stop(row_.missing_message);
        }
        const Step ended =
            row_.sequence == Sequence::kCorel11 ? Corel11Sequence() : SuiteSequence();
        if (ended) {
            return *ended;
        }
        if (!CopyMacros()) {
            return Stop(kBadGmsPath);
        }
        return CopyPrograms();
    }

  private:
    // A sequence that ends the run answers its outcome; nullopt goes on.
    using Step = std::optional<InstallOutcome>;
    static constexpr Step kGoOn = std::nullopt;

    Step Corel11Sequence() {
        Value vba;
        if (!Get(kApplication, corel11::kVbaAvailable, CallKind::kMethod, ValueType::kBool, vba)) {
            return InstallOutcome::kRejected;
        }
        if (!vba.flag) {
            return Stop(kVbaMissing);
        }
        // The object 0x6002001F answers is not used.
        if (!Put(kApplication, corel11::kPrepare, Value::Bool(true)) ||
            !Method(kApplication, corel11::kOpenCommands, Value::None()) ||
            !Method(kApplication, corel11::kLoadCommandFile, Value::String(SourcePath())) ||
            !ReadGmsFolder(corel11::kMacroSettings)) {
            return InstallOutcome::kRejected;
        }
        if (gms_folder_.empty()) {
            return Stop(kNoGmsPath);
        }
        if (!Method(kApplication, corel11::kFinish, Value::None())) {
            return InstallOutcome::kRejected;
        }
        return kGoOn;
    }

    Step SuiteSequence() {
        if (!WriteExportSettings()) {
            return InstallOutcome::kRejected;
        }
        Value vba;
        if (!Get(kApplication, suite::kVbaAvailable, CallKind::kMethod, ValueType::kBool, vba)) {
            return InstallOutcome::kRejected;
        }
        if (!vba.flag && row_.vba_rule == VbaRule::kWarn) {
            seams_.messages.Show(kVbaMissing, MessageStyle::kError);
        }
        if (!Method(kApplication, suite::kLoadWorkspace, Value::String(SourcePath())) ||
            !ReadGmsFolder(suite::kMacroSettings)) {
            return InstallOutcome::kRejected;
        }
        if (gms_folder_.empty()) {
            return Stop(kNoGmsPath);
        }
        if (!SwitchOnMacroProject() || !Method(kApplication, suite::kFinish, Value::None())) {
            return InstallOutcome::kRejected;
        }
        return kGoOn;
    }

    // The three export options in CorelDRAW's filter settings file; a key
    // that cannot be written is reported and the run goes on.
    bool WriteExportSettings() {
        Value base;
        if (!Get(kApplication, suite::kBaseFolder, CallKind::kPropertyGet, ValueType::kString,
                 base)) {
            return false;
        }
        // Without a folder the relative path would name a file in the
        // current directory (the Windows folder when started from a shortcut).
        if (base.text.empty()) {
            seams_.messages.Show(kNoExportFolder, MessageStyle::kError);
            return true;
        }
        const std::string file = WithSeparator(base.text) + row_.export_settings_path;
        for (const ExportOption& option : kExportOptions) {
            if (!seams_.files.WriteSetting(file.c_str(), kExportSection, option.key,
                                           option.value)) {
                seams_.messages.Show(kIniError, MessageStyle::kIniError);
            }
        }
        return true;
    }

    bool ReadGmsFolder(long macro_settings_dispid) {
        Value settings;
        Value folder;
        if (!Get(kApplication, macro_settings_dispid, CallKind::kPropertyGet, ValueType::kObject,
                 settings) ||
            !Get(settings.object, kGmsFolder, CallKind::kPropertyGet, ValueType::kString, folder)) {
            return false;
        }
        gms_folder_ = WithSeparator(folder.text);
        return true;
    }

    // The collection counts its projects from 1, so the walk runs from 1 up
    // to and including the count: the last project is reachable.
    bool SwitchOnMacroProject() {
        Value projects;
        Value count;
        if (!Get(kApplication, suite::kProjects, CallKind::kPropertyGet, ValueType::kObject,
                 projects) ||
            !Get(projects.object, suite::kCount, CallKind::kPropertyGet, ValueType::kInt, count)) {
            return false;
        }
        for (int item = 1; item <= count.number; ++item) {
            Value project;
            Value name;
            if (!seams_.automation.Call(projects.object, kDefaultMember, CallKind::kPropertyGet,
                                        Value::Int(item), ValueType::kObject, project) ||
                !Get(project.object, kDefaultMember, CallKind::kPropertyGet, ValueType::kString,
                     name)) {
                return false;
            }
            if (name.text == kMacroProject) {
                return Put(project.object, suite::kSwitchOn, Value::Bool(true));
            }
        }
        return true;
    }

    bool CopyMacros() {
        for (const char* name : kMacroFiles) {
            const std::string from = source_ + "\\" + name;
            const std::string to = gms_folder_ + name;
            if (!seams_.files.Copy(from.c_str(), to.c_str())) {
                return false;
            }
        }
        return true;
    }

    InstallOutcome CopyPrograms() {
        seams_.files.EnterFolder(kProgramFilesFolder);
        seams_.files.EnterFolder(kProgramFolder);
        for (const ProgramFile& file : kProgramFiles) {
            const std::string from = source_ + "\\tarnik\\" + file.name;
            const std::string to = std::string(kProgramFolder) + file.name;
            // The kept copy is no proof of a whole source: a source without
            // the file is as bad here as anywhere.
            if (file.keep_existing && seams_.files.Exists(to.c_str())) {
                if (!seams_.files.Exists(from.c_str())) {
                    return Stop(kBadFile);
                }
                continue;
            }
            if (!seams_.files.Copy(from.c_str(), to.c_str())) {
                return Stop(kBadFile);
            }
        }
        LetUsersSaveSettings();
        seams_.messages.Show(kSuccess, MessageStyle::kPlain);
        return InstallOutcome::kSucceeded;
    }

    // The job sender, run by a standard user, saves its settings into the
    // settings file in the program folder. Done on every run: a file kept
    // from an earlier installation may lack the right. Without it the
    // programs still work, so the run goes on after saying so.
    void LetUsersSaveSettings() {
        const std::string settings_file = std::string(kProgramFolder) + kSettingsFileName;
        if (!seams_.files.LetUsersModify(settings_file.c_str())) {
            const std::string text = kUsersCannotSave + settings_file;
            seams_.messages.Show(text.c_str(), MessageStyle::kError);
        }
    }

    std::string SourcePath() const { return source_ + "\\" + row_.loaded_file; }

    InstallOutcome Stop(const char* message) {
        seams_.messages.Show(message, MessageStyle::kError);
        return InstallOutcome::kStopped;
    }

    bool Get(ObjectId object, long dispid, CallKind kind, ValueType expected, Value& result) {
        return seams_.automation.Call(object, dispid, kind, Value::None(), expected, result);
    }
    bool Put(ObjectId object, long dispid, const Value& value) {
        Value unused;
        return seams_.automation.Call(object, dispid, CallKind::kPropertyPut, value,
                                      ValueType::kNone, unused);
    }
    bool Method(ObjectId object, long dispid, const Value& argument) {
        Value unused;
        return seams_.automation.Call(object, dispid, CallKind::kMethod, argument, ValueType::kNone,
                                      unused);
    }

    const VersionRow& row_;
    const std::string& source_;
    const InstallSeams& seams_;
    std::string gms_folder_;
};

}  // namespace

InstallOutcome RunInstall(int version_index, const std::string& source_folder,
                          const InstallSeams& seams) {
    const VersionRow* row = VersionAt(version_index);
    if (row == nullptr) {
        seams.messages.Show(kNoVersionMessage, MessageStyle::kPlain);
        return InstallOutcome::kNoVersion;
    }
    return InstallRun(*row, source_folder, seams).Run();
}

}  // namespace tarnik::installer
