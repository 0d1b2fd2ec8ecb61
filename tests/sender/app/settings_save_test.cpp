// Saving the settings after the settings dialog: the order and format of the
// writes, OK against cancel, and round trips through the real profile file.
#include <gtest/gtest.h>

#include <algorithm>

#include "sender/app/settings_store.h"
#include "settings_fakes.h"
#include "support/test_files.h"

namespace tarnik {
namespace {

using testing::CallLog;
using testing::ReadWholeFile;
using testing::RecordingEnvironment;
using testing::RecordingProfile;
using testing::RecordingView;
using testing::ScratchFolder;
using testing::WindowCalls;
using testing::WriteWholeFile;

constexpr const char* kTemp = "C:\\Temp\\";

SenderSettings DialogValues() {
    SenderSettings values;
    values.SettingsPath[0] = '\0';
    values.XDesignSize = 100.1234f;
    values.XTrueSize = 99.5f;
    values.YDesignSize = 250.0f;
    values.YTrueSize = 250.0006f;
    values.FlagColor = 2;
    values.ModelIndex = 1;
    std::snprintf(values.ColExportPath, sizeof values.ColExportPath, "%s", kTemp);
    std::snprintf(values.ColExportFilename, sizeof values.ColExportFilename, "corel.plt");
    values.CloseOffset = 0.456f;
    values.SharpOffset = 0.3f;
    values.ReducePoint = 0.2f;
    values.SolidLineLen = 12.0f;
    values.JumpLineLen = 3.004f;
    values.XSTEPS = 12.34f;
    values.YSTEPS = 0.06f;
    values.CloseEnble = 1;
    values.DashedMode = 1;
    values.CanFeedPaper = 1;
    values.PortType = 1;
    values.USBPort = 3;
    values.CurrentCom = 4;
    values.WaitSecond = 5;
    values.XSizeRedeem = 1.0005f;
    values.YSizeRedeem = 0.998f;
    return values;
}

struct Saved {
    SenderSettings settings;
    CallLog log;
};

Saved Save(const SenderSettings& values, bool ok, int auto_mode) {
    Saved result;
    std::snprintf(result.settings.SettingsPath, sizeof result.settings.SettingsPath,
                  "C:\\Tarnik\\tarnik.ini");
    RecordingProfile profile(result.log);
    RecordingView view(result.log);
    RecordingEnvironment environment(result.log, kTemp);
    SaveSettings(SettingsSeams{profile, view, environment}, values, ok, auto_mode, result.settings);
    return result;
}

TEST(SaveSettings, OkWritesEveryKeyInOrderAndFormat) {
    const Saved saved = Save(DialogValues(), true, 1);
    const CallLog expected = {
        "write XYInaccuracy/XDesignSize=100.123",
        "write XYInaccuracy/XTrueSize=99.500",
        "write XYInaccuracy/YDesignSize=250.000",
        "write XYInaccuracy/YTrueSize=250.001",
        "write ImageCut/FlagColor=2",
        "write Model/Mode=2",
        "model MODEL: NVAS",
        std::string("write AutoGET/ColExportPath=") + kTemp,
        "write AutoGET/ColExportFilename=corel.plt",
        std::string("watch ") + kTemp,
        "restart watcher",
        "write CutConfig/CloseOffset=0.46",
        "write CutConfig/SharpOffset=0.30",
        "write CutConfig/ReducePoint=0.20",
        "write CutConfig/SolidLineLen=12.00",
        "write CutConfig/JumpLineLen=3.00",
        "write FeedPaper/XSTEPS=12.3",
        "write FeedPaper/YSTEPS=0.1",
        "write CutConfig/CloseEnble=1",
        "write CutConfig/SharpEnble=0",
        "write CutConfig/ReducePointEnble=0",
        "write CutConfig/CutImageMode=0",
        "write CutConfig/DashedMode=1",
        "write FeedPaper/CanFeedPaper=1",
        "write CutConfig/PortType=1",
        "write AutoGET/WaitSecond=5",
        "line usable",
        "status 108",
        "write CutConfig/USBPort=3",
        "port USB:USB003",
        "write XYInaccuracy/XSizeRedeem=1.000500",
        "write XYInaccuracy/YSizeRedeem=0.998000",
    };
    EXPECT_EQ(saved.log, expected);
    EXPECT_STREQ(saved.settings.SettingsPath, "C:\\Tarnik\\tarnik.ini");
    EXPECT_EQ(saved.settings.ModelIndex, 1);
    EXPECT_EQ(saved.settings.USBPort, 3);
}

TEST(SaveSettings, SerialPortWritesCurrentComAndNotUsbPort) {
    SenderSettings values = DialogValues();
    values.PortType = 0;
    const Saved saved = Save(values, true, 0);
    ASSERT_GE(saved.log.size(), 4u);
    const CallLog tail(saved.log.end() - 4, saved.log.end());
    const CallLog expected = {"port COM: COM4", "write COM/CurrentCom=4",
                              "write XYInaccuracy/XSizeRedeem=1.000500",
                              "write XYInaccuracy/YSizeRedeem=0.998000"};
    EXPECT_EQ(tail, expected);
    for (const std::string& call : saved.log) {
        EXPECT_EQ(call.find("USBPort"), std::string::npos) << call;
        EXPECT_NE(call, "restart watcher");  // only in automatic mode
    }
}

TEST(SaveSettings, ModelTextFollowsKnownIndexesOnly) {
    const struct {
        int index;
        const char* mode;
        const char* text;  // nullptr: the text stays as it was
    } cases[] = {{0, "write Model/Mode=1", "model MODEL: NVA"},
                 {1, "write Model/Mode=2", "model MODEL: NVAS"},
                 {-1, "write Model/Mode=0", nullptr},
                 {2147483647, "write Model/Mode=2147483648", nullptr}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.index);
        SenderSettings values = DialogValues();
        values.ModelIndex = test.index;
        const Saved saved = Save(values, true, 0);
        ASSERT_GE(saved.log.size(), 7u);
        EXPECT_EQ(saved.log[5], test.mode);
        EXPECT_EQ(saved.log[6],
                  test.text ? test.text : std::string("write AutoGET/ColExportPath=") + kTemp);
    }
}

TEST(SaveSettings, CancelWritesOnlyTheDivisors) {
    const Saved saved = Save(DialogValues(), false, 1);
    const CallLog expected = {"write XYInaccuracy/XSizeRedeem=1.000500",
                              "write XYInaccuracy/YSizeRedeem=0.998000"};
    EXPECT_EQ(saved.log, expected);
    EXPECT_EQ(saved.settings.CloseOffset, SenderSettings{}.CloseOffset);
    EXPECT_EQ(saved.settings.XSizeRedeem, 1.0005f);
}

// A settings file the user may not write (on Windows, a standard user's
// program folder): the named keys are refused, the others stored.
class RefusingProfile : public RecordingProfile {
  public:
    RefusingProfile(CallLog& log, std::vector<std::string> refused)
        : RecordingProfile(log), refused_(std::move(refused)) {}
    bool WriteSetting(const char* section, const char* key, const char* text) override {
        const bool stored = RecordingProfile::WriteSetting(section, key, text);
        const std::string name = std::string(section) + "/" + key;
        const bool refuse = refused_.size() == 1 && refused_[0] == "*";
        return stored && !refuse &&
               std::find(refused_.begin(), refused_.end(), name) == refused_.end();
    }

  private:
    std::vector<std::string> refused_;
};

TEST(SaveSettings, ReportsARefusedWriteAndStillTriesEveryKey) {
    const struct {
        const char* label;
        std::vector<std::string> refused;  // "*": every key
        bool ok;
        bool saved;
    } cases[] = {
        {"every write taken", {}, true, true},
        {"file not writable at all", {"*"}, true, false},
        {"one key among many refused", {"CutConfig/PortType"}, true, false},
        {"the last write refused", {"XYInaccuracy/YSizeRedeem"}, true, false},
        {"cancel, a divisor refused: nothing chosen is lost", {"*"}, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const Saved everything = Save(DialogValues(), c.ok, 0);
        Saved result;
        RefusingProfile profile(result.log, c.refused);
        RecordingView view(result.log);
        RecordingEnvironment environment(result.log, kTemp);
        EXPECT_EQ(SaveSettings(SettingsSeams{profile, view, environment}, DialogValues(), c.ok, 0,
                               result.settings),
                  c.saved);
        EXPECT_EQ(result.log, everything.log);
    }
}

// Round trips through the platform's own profile file.
class SettingsFile : public ::testing::Test {
  protected:
    void Load(const std::string& bytes) {
        WriteWholeFile(Path(), bytes);
        Reload();
    }
    void Reload() {
        CallLog log;
        RecordingView view(log);
        RecordingEnvironment environment(log, kTemp);
        const std::unique_ptr<ProfileFile> profile = OpenProfileFile(Path().c_str());
        settings_ = SenderSettings{};
        LoadSettings(SettingsSeams{*profile, view, environment}, settings_);
    }
    void Save(const SenderSettings& values, bool ok) {
        CallLog log;
        RecordingView view(log);
        RecordingEnvironment environment(log, kTemp);
        const std::unique_ptr<ProfileFile> profile = OpenProfileFile(Path().c_str());
        SaveSettings(SettingsSeams{*profile, view, environment}, values, ok, 0, settings_);
    }
    std::string Path() const { return folder_.File("tarnik.ini"); }
    std::string File() const { return ReadWholeFile(Path()); }

    ScratchFolder folder_;
    SenderSettings settings_;
};

TEST_F(SettingsFile, MissingScaleSectionGivesDefaultsAndCancelWritesThem) {
    const std::string before = "[COM]\r\nCurrentCom=2\r\n[CutConfig]\r\nCloseOffset=0.70\r\n";
    Load(before);
    EXPECT_EQ(settings_.XSizeRedeem, 1.0f);
    EXPECT_EQ(settings_.YSizeRedeem, 1.0f);
    EXPECT_EQ(settings_.XDesignSize, 100.0f);
    EXPECT_EQ(settings_.XTrueSize, 100.0f);
    EXPECT_EQ(settings_.YDesignSize, 100.0f);
    EXPECT_EQ(settings_.YTrueSize, 100.0f);
    Save(settings_, false);
    EXPECT_EQ(File(),
              before + "[XYInaccuracy]\r\nXSizeRedeem=1.000000\r\nYSizeRedeem=1.000000\r\n");
}

TEST_F(SettingsFile, OnlyThePortInUseIsWritten) {
    const std::string before = "[COM]\r\nCurrentCom=2\r\n[CutConfig]\r\nUSBPort=7\r\n";
    for (const int port_type : {0, 1}) {
        SCOPED_TRACE(port_type);
        Load(before);
        SenderSettings values = settings_;
        values.PortType = port_type;
        values.CurrentCom = 9;
        values.USBPort = 4;
        Save(values, true);
        const std::string after = File();
        EXPECT_NE(after.find(port_type == 1 ? "CurrentCom=2\r\n" : "CurrentCom=9\r\n"),
                  std::string::npos);
        EXPECT_NE(after.find(port_type == 1 ? "USBPort=4\r\n" : "USBPort=7\r\n"),
                  std::string::npos);
    }
}

TEST_F(SettingsFile, StoredExportFolderGivesWayToTheTemporaryFolder) {
    Load("[AutoGET]\r\nColExportPath=D:\\elsewhere\\\r\nColExportFilename=corel.plt\r\n");
    EXPECT_STREQ(settings_.ColExportPath, kTemp);
    Save(settings_, true);
    EXPECT_NE(File().find(std::string("ColExportPath=") + kTemp + "\r\n"), std::string::npos);
}

TEST_F(SettingsFile, SavedSettingsLoadBackUnchanged) {
    Load("");
    SenderSettings values = DialogValues();
    values.CloseOffset = 0.45f;
    values.XSTEPS = 12.5f;
    values.YTrueSize = 250.125f;
    Save(values, true);
    const SenderSettings saved = settings_;
    Reload();
    EXPECT_EQ(settings_.CloseOffset, saved.CloseOffset);
    EXPECT_EQ(settings_.XSTEPS, saved.XSTEPS);
    EXPECT_EQ(settings_.YTrueSize, saved.YTrueSize);
    EXPECT_EQ(settings_.XSizeRedeem, saved.XSizeRedeem);
    EXPECT_EQ(settings_.ModelIndex, saved.ModelIndex);
    EXPECT_EQ(settings_.PortType, saved.PortType);
    EXPECT_EQ(settings_.USBPort, saved.USBPort);
    EXPECT_EQ(settings_.WaitSecond, saved.WaitSecond);
    EXPECT_EQ(settings_.FlagColor, saved.FlagColor);
    EXPECT_EQ(settings_.DashedMode, saved.DashedMode);
    EXPECT_STREQ(settings_.ColExportFilename, saved.ColExportFilename);
}

TEST(StaleExportFile, OnlyAReadableFileIsRemoved) {
    ScratchFolder folder;
    const std::string file = folder.File("corel.plt");
    WriteWholeFile(file, "IN;PU0,0;");
    EXPECT_TRUE(RemoveReadableFile(file.c_str()));
    EXPECT_FALSE(testing::FileExists(file));
    EXPECT_FALSE(RemoveReadableFile(file.c_str()));
    const std::string sub = folder.File("sub");
    std::filesystem::create_directory(sub);
    EXPECT_FALSE(RemoveReadableFile(sub.c_str()));
    EXPECT_TRUE(testing::FileExists(sub));
}

TEST(StaleExportFile, PathJoinsFolderAndNameWithABackslash) {
    SenderSettings settings;
    std::snprintf(settings.ColExportPath, sizeof settings.ColExportPath, "C:\\Temp\\");
    std::snprintf(settings.ColExportFilename, sizeof settings.ColExportFilename, "corel.plt");
    char path[kSettingsPathSize];
    ASSERT_TRUE(ExportFilePath(settings, path, sizeof path));
    EXPECT_STREQ(path, "C:\\Temp\\\\corel.plt");
    char small[10];
    EXPECT_FALSE(ExportFilePath(settings, small, sizeof small));
    EXPECT_STREQ(small, "");
}

}  // namespace
}  // namespace tarnik
