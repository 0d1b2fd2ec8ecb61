// Loading the settings: the order of reads, defaults for missing keys, every
// conversion, and what the main window and the export watcher get.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "sender/app/settings_store.h"
#include "settings_fakes.h"

namespace tarnik {
namespace {

using testing::CallLog;
using testing::RecordingEnvironment;
using testing::RecordingProfile;
using testing::RecordingView;
using testing::WindowCalls;

constexpr const char* kTemp = "C:\\Users\\cutter\\Temp\\";

struct Loaded {
    SenderSettings settings;
    CallLog log;
};

Loaded Load(std::map<std::string, std::string> values, const char* temporary_folder = kTemp) {
    Loaded result;
    RecordingProfile profile(result.log, std::move(values));
    RecordingView view(result.log);
    RecordingEnvironment environment(result.log, temporary_folder);
    LoadSettings(SettingsSeams{profile, view, environment}, result.settings);
    return result;
}

TEST(LoadSettings, EmptyFileReadsEveryKeyInOrderAndGivesDefaults) {
    const Loaded loaded = Load({});
    const CallLog expected = {
        "read COM/CurrentCom",
        "read COM/BaudRate",
        "read AutoGET/WaitSecond",
        "read CutConfig/PortType",
        "read CutConfig/USBPort",
        "port COM:COM1",
        "status 108",
        "read Model/Mode",
        "model MODEL: NVA",
        "read AutoGET/ColExportPath",
        "read AutoGET/ColExportFilename",
        "read CutConfig/DashedMode",
        "read CutConfig/CutImageMode",
        "read CutConfig/CloseEnble",
        "read CutConfig/SharpEnble",
        "read CutConfig/ReducePointEnble",
        "read CutConfig/CloseOffset",
        "read CutConfig/SharpOffset",
        "read CutConfig/ReducePoint",
        "read CutConfig/SolidLineLen",
        "read CutConfig/JumpLineLen",
        "read FeedPaper/CanFeedPaper",
        "read FeedPaper/XSTEPS",
        "read FeedPaper/YSTEPS",
        "read CutConfig/MAXdeg",
        "read XYInaccuracy/XDesignSize",
        "read XYInaccuracy/XTrueSize",
        "read XYInaccuracy/YDesignSize",
        "read XYInaccuracy/YTrueSize",
        "read XYInaccuracy/XSizeRedeem",
        "read XYInaccuracy/YSizeRedeem",
        "read ImageCut/FlagColor",
        "read CutPlan/Order",
        "read CutPlan/PanelLength",
        std::string("watch ") + kTemp,
        std::string("remove ") + kTemp + "\\ ",
    };
    EXPECT_EQ(loaded.log, expected);

    const SenderSettings& s = loaded.settings;
    EXPECT_EQ(s.CurrentCom, 1);
    EXPECT_EQ(s.BaudRate, 9600);
    EXPECT_EQ(s.WaitSecond, 1);
    EXPECT_EQ(s.PortType, 0);
    EXPECT_EQ(s.USBPort, 1);
    EXPECT_EQ(s.ModelIndex, 0);
    EXPECT_STREQ(s.ColExportPath, kTemp);
    EXPECT_STREQ(s.ColExportFilename, " ");
    EXPECT_FLOAT_EQ(s.CloseOffset, 0.5f);
    EXPECT_FLOAT_EQ(s.SharpOffset, 0.3f);
    EXPECT_FLOAT_EQ(s.ReducePoint, 0.2f);
    EXPECT_DOUBLE_EQ(s.MAXdeg, 2.6179940700531006);
    EXPECT_EQ(s.XDesignSize, 100.0f);
    EXPECT_EQ(s.YTrueSize, 100.0f);
    EXPECT_EQ(s.XSizeRedeem, 1.0f);
    EXPECT_EQ(s.YSizeRedeem, 1.0f);
    EXPECT_EQ(s.FlagColor, 0);
}

// One stored text and the number it must load as.
struct ConversionCase {
    const char* label;
    const char* key;  // "Section/Key"
    const char* text;
    std::function<double(const SenderSettings&)> field;
    double expected;
};

TEST(LoadSettings, ConvertsEveryKindOfValue) {
    const ConversionCase cases[] = {
        {"USB port above 19 becomes 1", "CutConfig/USBPort", "20",
         [](const SenderSettings& s) { return s.USBPort; }, 1},
        {"USB port truncated toward zero", "CutConfig/USBPort", "3.9",
         [](const SenderSettings& s) { return s.USBPort; }, 3},
        {"USB port keeps its low 8 bits", "CutConfig/USBPort", "261",
         [](const SenderSettings& s) { return s.USBPort; }, 5},
        {"negative USB port wraps above 19", "CutConfig/USBPort", "-1",
         [](const SenderSettings& s) { return s.USBPort; }, 1},
        {"USB port beyond 32 bits", "CutConfig/USBPort", "1e30",
         [](const SenderSettings& s) { return s.USBPort; }, 0},
        {"COM port keeps its low 8 bits", "COM/CurrentCom", "258",
         [](const SenderSettings& s) { return s.CurrentCom; }, 2},
        {"baud rate", "COM/BaudRate", "38400", [](const SenderSettings& s) { return s.BaudRate; },
         38400},
        {"integer stops at the first other character", "AutoGET/WaitSecond", " 12abc",
         [](const SenderSettings& s) { return s.WaitSecond; }, 12},
        {"integer beyond 32 bits stops at the end of the range", "AutoGET/WaitSecond",
         "99999999999", [](const SenderSettings& s) { return s.WaitSecond; }, 2147483647},
        {"present but empty number is 0, not the default", "AutoGET/WaitSecond", "",
         [](const SenderSettings& s) { return s.WaitSecond; }, 0},
        {"non-numeric text is 0", "CutConfig/CloseOffset", "abc",
         [](const SenderSettings& s) { return s.CloseOffset; }, 0},
        {"present but empty length is 0, not the default", "CutConfig/SharpOffset", "",
         [](const SenderSettings& s) { return s.SharpOffset; }, 0},
        {"decimal with exponent", "FeedPaper/XSTEPS", "1.5e1",
         [](const SenderSettings& s) { return s.XSTEPS; }, 15},
        {"hexadecimal is not a number", "FeedPaper/YSTEPS", "0x10",
         [](const SenderSettings& s) { return s.YSTEPS; }, 0},
        {"any non-zero port type is 1", "CutConfig/PortType", "5",
         [](const SenderSettings& s) { return s.PortType; }, 1},
        {"negative flag is set", "CutConfig/DashedMode", "-3",
         [](const SenderSettings& s) { return s.DashedMode; }, 1},
        {"flag 0.9 reads as integer 0", "CutConfig/CloseEnble", "0.9",
         [](const SenderSettings& s) { return s.CloseEnble; }, 0},
        {"mode 2 is the HPGL model", "Model/Mode", "2",
         [](const SenderSettings& s) { return s.ModelIndex; }, 1},
        {"mode 0 gives index -1", "Model/Mode", "0",
         [](const SenderSettings& s) { return s.ModelIndex; }, -1},
        {"angle limit in degrees held in radians", "CutConfig/MAXdeg", "90",
         [](const SenderSettings& s) { return s.MAXdeg; }, 90 / 57.2957763671875},
        {"float beyond its range is infinite", "XYInaccuracy/XSizeRedeem", "1e300",
         [](const SenderSettings& s) { return s.XSizeRedeem; }, HUGE_VAL},
        {"mark colour keeps its low 8 bits", "ImageCut/FlagColor", "257",
         [](const SenderSettings& s) { return s.FlagColor; }, 1},
    };
    for (const ConversionCase& test : cases) {
        SCOPED_TRACE(test.label);
        const Loaded loaded = Load({{test.key, test.text}});
        EXPECT_DOUBLE_EQ(test.field(loaded.settings), test.expected);
    }
}

TEST(LoadSettings, PortAndModelTexts) {
    struct TextCase {
        const char* label;
        std::map<std::string, std::string> values;
        CallLog expected;
    };
    const TextCase cases[] = {
        {"USB port 0 shows three digits",
         {{"CutConfig/PortType", "1"}, {"CutConfig/USBPort", "0"}},
         {"port USB:USB000", "status 108", "model MODEL: NVA"}},
        {"serial port",
         {{"COM/CurrentCom", "12"}, {"CutConfig/USBPort", "7"}, {"Model/Mode", "2"}},
         {"port COM:COM12", "status 108", "model MODEL: NVAS"}},
        {"mode 0 also shows the HPGL model",
         {{"Model/Mode", "0"}},
         {"port COM:COM1", "status 108", "model MODEL: NVAS"}},
    };
    for (const TextCase& test : cases) {
        SCOPED_TRACE(test.label);
        CallLog calls = WindowCalls(Load(test.values).log);
        calls.resize(3);
        EXPECT_EQ(calls, test.expected);
    }
}

TEST(LoadSettings, StoredExportFolderIsReplacedByTheTemporaryFolder) {
    const Loaded loaded =
        Load({{"AutoGET/ColExportPath", "D:\\cuts\\"}, {"AutoGET/ColExportFilename", "corel.plt"}});
    EXPECT_STREQ(loaded.settings.ColExportPath, kTemp);
    EXPECT_STREQ(loaded.settings.ColExportFilename, "corel.plt");
    const CallLog calls = WindowCalls(loaded.log);
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[3], std::string("watch ") + kTemp);
    EXPECT_EQ(calls[4], std::string("remove ") + kTemp + "\\corel.plt");
}

TEST(LoadSettings, LongTemporaryFolderFitsTheExportFolder) {
    const std::string long_folder = "C:\\" + std::string(200, 'd') + "\\";
    const Loaded loaded =
        Load({{"AutoGET/ColExportFilename", std::string(60, 'n')}}, long_folder.c_str());
    EXPECT_EQ(loaded.settings.ColExportPath, long_folder);
    EXPECT_EQ(std::string(loaded.settings.ColExportFilename), std::string(49, 'n'));
}

TEST(LoadSettings, WithoutTemporaryFolderNothingIsDeleted) {
    const Loaded loaded = Load({{"AutoGET/ColExportFilename", "corel.plt"}}, "");
    EXPECT_STREQ(loaded.settings.ColExportPath, "");
    for (const std::string& call : loaded.log) EXPECT_NE(call.rfind("remove", 0), 0u) << call;
}

TEST(SettingsPath, IsBesideTheProgramFile) {
    struct PathCase {
        const char* label;
        std::string module;
        bool ok;
        std::string expected;
    };
    const std::string deep = "C:\\" + std::string(245, 'p') + "\\tarnik.exe";  // 260 chars
    const PathCase cases[] = {
        {"program folder", "c:\\program files\\Tarnik\\tarnik.exe", true,
         "c:\\program files\\Tarnik\\tarnik.ini"},
        {"renamed program file", "D:\\Tools\\TARNIK2.EXE", true, "D:\\Tools\\tarnik.ini"},
        {"longest module path", deep, true, deep.substr(0, deep.size() - 10) + "tarnik.ini"},
        {"POSIX program", "/usr/local/bin/tarnik", true, "/usr/local/bin/tarnik.ini"},
        {"no folder", "tarnik.exe", false, ""},
    };
    for (const PathCase& test : cases) {
        SCOPED_TRACE(test.label);
        char path[kSettingsPathSize] = "x";
        EXPECT_EQ(ComputeSettingsPath(test.module.c_str(), path, sizeof path), test.ok);
        EXPECT_EQ(std::string(path), test.expected);
    }
    char small[12];
    EXPECT_FALSE(ComputeSettingsPath("C:\\a\\tarnik.exe", small, sizeof small));
}

}  // namespace
}  // namespace tarnik
