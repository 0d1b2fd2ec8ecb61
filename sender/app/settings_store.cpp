#include "sender/app/settings_store.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "sender/app/cut_plan_settings.h"
#include "sender/app/setting_conversions.h"
#include "sender/res/resource.h"

namespace tarnik {
namespace {

// Degrees per radian, as the angle limit has always been converted.
constexpr double kDegreesPerRadian = 57.2957763671875;

// Reads one key at a time into the same 50-character buffer.
class SettingReader {
  public:
    explicit SettingReader(ProfileFile& profile) : profile_(profile) {}

    // The key's text, or nullptr when the key is missing.
    const char* Text(const char* section, const char* key) {
        return profile_.ReadSetting(section, key, buffer_, sizeof buffer_) ? buffer_ : nullptr;
    }
    int32_t Int(const char* section, const char* key, int32_t fallback) {
        const char* text = Text(section, key);
        return text != nullptr ? TextToInt(text) : fallback;
    }
    // Any non-zero number counts as set.
    uint8_t Flag(const char* section, const char* key) { return Int(section, key, 0) != 0 ? 1 : 0; }
    double Double(const char* section, const char* key, double fallback) {
        const char* text = Text(section, key);
        return text != nullptr ? TextToDouble(text) : fallback;
    }
    float Float(const char* section, const char* key, float fallback) {
        const char* text = Text(section, key);
        return text != nullptr ? DoubleToFloat(TextToDouble(text)) : fallback;
    }

  private:
    ProfileFile& profile_;
    char buffer_[kSettingTextSize] = {};
};

void WriteInt(ProfileFile& profile, const char* section, const char* key, long long value) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld", value);
    profile.WriteSetting(section, key, text);
}

void WriteFixed(ProfileFile& profile, const char* section, const char* key, double value,
                int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    profile.WriteSetting(section, key, text);
}

void WriteFlag(ProfileFile& profile, const char* section, const char* key, long long value) {
    profile.WriteSetting(section, key, value != 0 ? "1" : "0");
}

void ShowUsbPort(SettingsView& view, uint8_t usb_port) {
    char text[32];
    std::snprintf(text, sizeof text, "USB:USB%03d", usb_port);
    view.ShowPortText(text);
}

// USB printer ports run from 0 to 19; anything else in the file means port 1.
uint8_t LoadUsbPort(SettingReader& read) {
    const char* text = read.Text("CutConfig", "USBPort");
    if (text == nullptr)
        return 1;
    const uint8_t port = TruncateToLowByte(TextToDouble(text));
    return port > 19 ? 1 : port;
}

void LoadPort(SettingReader& read, SettingsView& view, SenderSettings& settings) {
    settings.CurrentCom = static_cast<uint8_t>(read.Int("COM", "CurrentCom", 1));
    settings.BaudRate = read.Int("COM", "BaudRate", 9600);
    settings.WaitSecond = read.Int("AutoGET", "WaitSecond", 1);
    settings.PortType = read.Flag("CutConfig", "PortType");
    settings.USBPort = LoadUsbPort(read);
    if (settings.PortType == 1) {
        ShowUsbPort(view, settings.USBPort);
    } else {
        char text[32];
        std::snprintf(text, sizeof text, "COM:COM%d", settings.CurrentCom);
        view.ShowPortText(text);
    }
    view.SetStatusString(IDS_READY);
}

void LoadModel(SettingReader& read, SettingsView& view, SenderSettings& settings) {
    const char* text = read.Text("Model", "Mode");
    // The file counts models from 1; wrap rather than overflow on a bad value.
    settings.ModelIndex =
        text != nullptr ? static_cast<int32_t>(static_cast<int64_t>(TextToInt(text)) - 1) : 0;
    view.ShowModelText(settings.ModelIndex != 0 ? "MODEL: NVAS" : "MODEL: NVA");
}

// The export folder is always the temporary folder, whatever the file says:
// the drawing program's macro writes its export file there.
void LoadExportFolder(SettingReader& read, SettingsEnvironment& environment,
                      SenderSettings& settings) {
    const char* stored = read.Text("AutoGET", "ColExportPath");
    CopyText(settings.ColExportPath, sizeof settings.ColExportPath, stored ? stored : " ");
    if (!environment.TemporaryFolder(settings.ColExportPath, sizeof settings.ColExportPath)) {
        settings.ColExportPath[0] = '\0';
    }
    const char* name = read.Text("AutoGET", "ColExportFilename");
    CopyText(settings.ColExportFilename, sizeof settings.ColExportFilename, name ? name : " ");
}

void LoadCutting(SettingReader& read, SenderSettings& settings) {
    settings.DashedMode = read.Flag("CutConfig", "DashedMode");
    settings.CutImageMode = read.Flag("CutConfig", "CutImageMode");
    settings.CloseEnble = read.Flag("CutConfig", "CloseEnble");
    settings.SharpEnble = read.Flag("CutConfig", "SharpEnble");
    settings.ReducePointEnble = read.Flag("CutConfig", "ReducePointEnble");
    settings.CloseOffset = read.Float("CutConfig", "CloseOffset", 0.5f);
    settings.SharpOffset = read.Float("CutConfig", "SharpOffset", 0.3f);
    settings.ReducePoint = read.Float("CutConfig", "ReducePoint", 0.2f);
    settings.SolidLineLen = read.Float("CutConfig", "SolidLineLen", 0.0f);
    settings.JumpLineLen = read.Float("CutConfig", "JumpLineLen", 0.0f);
    settings.CanFeedPaper = read.Flag("FeedPaper", "CanFeedPaper");
    settings.XSTEPS = read.Float("FeedPaper", "XSTEPS", 0.0f);
    settings.YSTEPS = read.Float("FeedPaper", "YSTEPS", 0.0f);
    const char* max_degrees = read.Text("CutConfig", "MAXdeg");
    settings.MAXdeg =
        max_degrees != nullptr ? TextToDouble(max_degrees) / kDegreesPerRadian : 2.6179940700531006;
}

void LoadScale(SettingReader& read, SenderSettings& settings) {
    settings.XDesignSize = read.Float("XYInaccuracy", "XDesignSize", 100.0f);
    settings.XTrueSize = read.Float("XYInaccuracy", "XTrueSize", 100.0f);
    settings.YDesignSize = read.Float("XYInaccuracy", "YDesignSize", 100.0f);
    settings.YTrueSize = read.Float("XYInaccuracy", "YTrueSize", 100.0f);
    settings.XSizeRedeem = read.Float("XYInaccuracy", "XSizeRedeem", 1.0f);
    settings.YSizeRedeem = read.Float("XYInaccuracy", "YSizeRedeem", 1.0f);
}

}  // namespace

void LoadSettings(const SettingsSeams& seams, SenderSettings& settings) {
    SettingReader read(seams.profile);
    LoadPort(read, seams.view, settings);
    LoadModel(read, seams.view, settings);
    LoadExportFolder(read, seams.environment, settings);
    LoadCutting(read, settings);
    LoadScale(read, settings);
    settings.FlagColor = static_cast<uint8_t>(read.Int("ImageCut", "FlagColor", 0));
    LoadCutPlanSettings(seams.profile, settings.CutPlan);

    seams.environment.HandExportFolderToWatcher(settings.ColExportPath);
    char stale[2 * kSettingsPathSize + 2];
    // Without a temporary folder the path would point at the drive's root.
    if (settings.ColExportPath[0] != '\0' && ExportFilePath(settings, stale, sizeof stale)) {
        seams.environment.RemoveStaleExportFile(stale);
    }
}

namespace {

// Every write still goes through (one refused key must not cost the
// others), but a refusal is remembered: on Windows a standard user cannot
// write a file in the program folder, and the user must hear that the
// settings will be lost.
class FailedWriteTally : public ProfileFile {
  public:
    explicit FailedWriteTally(ProfileFile& profile) : profile_(profile) {}

    bool ReadSetting(const char* section, const char* key, char* buffer,
                     std::size_t size) override {
        return profile_.ReadSetting(section, key, buffer, size);
    }
    bool WriteSetting(const char* section, const char* key, const char* text) override {
        const bool written = profile_.WriteSetting(section, key, text);
        any_failed_ = any_failed_ || !written;
        return written;
    }
    bool AnyFailed() const { return any_failed_; }

  private:
    ProfileFile& profile_;
    bool any_failed_ = false;
};

void SaveModel(const SettingsSeams& seams, const SenderSettings& settings) {
    WriteInt(seams.profile, "ImageCut", "FlagColor", settings.FlagColor);
    WriteInt(seams.profile, "Model", "Mode", static_cast<long long>(settings.ModelIndex) + 1);
    // Only the two known models have a text; anything else keeps the old one.
    if (settings.ModelIndex == 0)
        seams.view.ShowModelText("MODEL: NVA");
    if (settings.ModelIndex == 1)
        seams.view.ShowModelText("MODEL: NVAS");
}

void SaveExportFolder(const SettingsSeams& seams, const SenderSettings& settings, int auto_mode) {
    seams.profile.WriteSetting("AutoGET", "ColExportPath", settings.ColExportPath);
    seams.profile.WriteSetting("AutoGET", "ColExportFilename", settings.ColExportFilename);
    seams.environment.HandExportFolderToWatcher(settings.ColExportPath);
    if (auto_mode == 1)
        seams.environment.RestartExportWatcher();
}

void SaveCutting(ProfileFile& profile, const SenderSettings& settings) {
    WriteFixed(profile, "CutConfig", "CloseOffset", settings.CloseOffset, 2);
    WriteFixed(profile, "CutConfig", "SharpOffset", settings.SharpOffset, 2);
    WriteFixed(profile, "CutConfig", "ReducePoint", settings.ReducePoint, 2);
    WriteFixed(profile, "CutConfig", "SolidLineLen", settings.SolidLineLen, 2);
    WriteFixed(profile, "CutConfig", "JumpLineLen", settings.JumpLineLen, 2);
    WriteFixed(profile, "FeedPaper", "XSTEPS", settings.XSTEPS, 1);
    WriteFixed(profile, "FeedPaper", "YSTEPS", settings.YSTEPS, 1);
    WriteFlag(profile, "CutConfig", "CloseEnble", settings.CloseEnble);
    WriteFlag(profile, "CutConfig", "SharpEnble", settings.SharpEnble);
    WriteFlag(profile, "CutConfig", "ReducePointEnble", settings.ReducePointEnble);
    WriteFlag(profile, "CutConfig", "CutImageMode", settings.CutImageMode);
    WriteFlag(profile, "CutConfig", "DashedMode", settings.DashedMode);
    WriteFlag(profile, "FeedPaper", "CanFeedPaper", settings.CanFeedPaper);
    WriteFlag(profile, "CutConfig", "PortType", settings.PortType);
}

// Only the port in use is written: the other keeps what the file had.
void SavePort(const SettingsSeams& seams, const SenderSettings& settings) {
    if (settings.PortType == 1) {
        WriteInt(seams.profile, "CutConfig", "USBPort", settings.USBPort);
        ShowUsbPort(seams.view, settings.USBPort);
    } else {
        char text[32];
        std::snprintf(text, sizeof text, "COM: COM%d", settings.CurrentCom);
        seams.view.ShowPortText(text);
        WriteInt(seams.profile, "COM", "CurrentCom", settings.CurrentCom);
    }
}

void SaveDialogValues(const SettingsSeams& seams, const SenderSettings& dialog_values,
                      int auto_mode, SenderSettings& settings) {
    // The dialog edits settings, not where the file lives.
    char settings_path[kSettingsPathSize];
    CopyText(settings_path, sizeof settings_path, settings.SettingsPath);
    settings = dialog_values;
    CopyText(settings.SettingsPath, sizeof settings.SettingsPath, settings_path);

    WriteFixed(seams.profile, "XYInaccuracy", "XDesignSize", settings.XDesignSize, 3);
    WriteFixed(seams.profile, "XYInaccuracy", "XTrueSize", settings.XTrueSize, 3);
    WriteFixed(seams.profile, "XYInaccuracy", "YDesignSize", settings.YDesignSize, 3);
    WriteFixed(seams.profile, "XYInaccuracy", "YTrueSize", settings.YTrueSize, 3);
    SaveModel(seams, settings);
    SaveExportFolder(seams, settings, auto_mode);
    SaveCutting(seams.profile, settings);
    WriteInt(seams.profile, "AutoGET", "WaitSecond", settings.WaitSecond);
    seams.environment.MarkLineUsable();
    seams.view.SetStatusString(IDS_READY);
    SavePort(seams, settings);
}

}  // namespace

bool SaveSettings(const SettingsSeams& seams, const SenderSettings& dialog_values, bool dialog_ok,
                  int auto_mode, SenderSettings& settings) {
    FailedWriteTally tally(seams.profile);
    const SettingsSeams tallied{tally, seams.view, seams.environment};
    if (dialog_ok)
        SaveDialogValues(tallied, dialog_values, auto_mode, settings);
    // The dialog shows the divisors without changing them; they are written
    // back even after a cancel, so a file without them gets them.
    settings.XSizeRedeem = dialog_values.XSizeRedeem;
    settings.YSizeRedeem = dialog_values.YSizeRedeem;
    WriteFixed(tally, "XYInaccuracy", "XSizeRedeem", settings.XSizeRedeem, 6);
    WriteFixed(tally, "XYInaccuracy", "YSizeRedeem", settings.YSizeRedeem, 6);
    // After a cancel nothing the user chose is lost: the divisors are only
    // completed, so a refusal then is no news.
    return !(dialog_ok && tally.AnyFailed());
}

}  // namespace tarnik
