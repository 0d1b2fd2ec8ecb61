// The install operation against fakes of CorelDRAW, the file system and the
// message boxes: both automation sequences in order, the VBA rules, the GMS
// folder, the macro project walk, the export settings and the copies.
#include "installer/install_operation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "installer/version_table.h"
#include "tests/installer/install_fakes.h"

namespace tarnik::installer {
namespace {

using testing::FakeAutomation;
using testing::FakeFiles;
using testing::FakeMessages;
using Texts = std::vector<std::string>;

const std::string kSource = "D:\\setup";
const char* const kSuccess = "plain: Install success!";

// A source folder with every file the installer copies or loads.
struct Install {
    FakeAutomation corel;
    FakeFiles files;
    FakeMessages messages;

    Install() {
        for (const char* name : {"nvcut.gms", "nvmirando.gms", "nvaddmark.gms"}) {
            files.files.insert(kSource + "\\" + name);
        }
        for (const char* name : {"tarnik.exe", "Mirando.exe", "tarnik.ini", "Anglet.dll"}) {
            files.files.insert(kSource + "\\tarnik\\" + name);
        }
    }
    InstallOutcome Run(int index) {
        return RunInstall(index, kSource, InstallSeams{corel, files, messages});
    }
    Texts CopiedTo() const {
        Texts targets;
        for (const std::string& copy : files.copies) {
            targets.push_back(copy.substr(copy.find(" > ") + 3));
        }
        return targets;
    }
};

const Texts kAllTargets = {"C:\\gms\\nvcut.gms",
                           "C:\\gms\\nvmirando.gms",
                           "C:\\gms\\nvaddmark.gms",
                           "c:\\program files\\Tarnik\\tarnik.exe",
                           "c:\\program files\\Tarnik\\Mirando.exe",
                           "c:\\program files\\Tarnik\\tarnik.ini",
                           "c:\\program files\\Tarnik\\Anglet.dll"};

TEST(InstallOperation, CallOrderPerSequence) {
    struct Case {
        const char* label;
        int index;
        Texts calls;
    } cases[] = {
        {"CorelDRAW 11",
         0,
         {"app method 6002005F", "app put 60020002 true", "app method 6002001F",
          "app method 6002004F D:\\setup\\command.cwf", "app get 6002004E", "settings get 60020000",
          "app method 60020011"}},
        {"X4: export settings first, then the suite sequence",
         3,
         {"app get 6002006B", "app method 60020051", "app method 60020045 D:\\setup\\nvout.xslt",
          "app get 60020044", "settings get 60020000", "app get 60020041", "projects get 60020001",
          "projects get 0 1", "project1 get 0", "projects get 0 2", "project2 get 0",
          "project2 put 60020001 true", "app method 6002000E"}},
        {"X7 loads its workspace", 7, {}},
    };
    for (const Case& c : cases) {
        Install install;
        EXPECT_EQ(install.Run(c.index), InstallOutcome::kSucceeded) << c.label;
        EXPECT_EQ(install.corel.created, Texts{kVersionTable[c.index].prog_id}) << c.label;
        if (!c.calls.empty()) {
            EXPECT_EQ(install.corel.calls, c.calls) << c.label;
        } else {
            EXPECT_EQ(install.corel.calls.at(2), "app method 60020045 D:\\setup\\nvout.cdws");
        }
        EXPECT_EQ(install.CopiedTo(), kAllTargets) << c.label;
        EXPECT_EQ(install.files.folders,
                  (Texts{"c:\\program files\\", "c:\\program files\\Tarnik\\"}))
            << c.label;
        EXPECT_EQ(install.messages.shown, Texts{kSuccess}) << c.label;
    }
}

// The messages of each row's VBA rule are in EveryVersionRow.
TEST(InstallOperation, VbaUnavailableStopsCorelDraw11) {
    Install eleven;
    eleven.corel.vba = false;
    eleven.Run(0);
    EXPECT_EQ(eleven.corel.calls, Texts{"app method 6002005F"}) << "nothing after the answer";
    EXPECT_TRUE(eleven.files.copies.empty());
}

TEST(InstallOperation, GmsFolder) {
    struct Case {
        const char* label;
        int index;
        const char* folder;
        Texts messages;
        Texts first_targets;
        // The GMS path is read before it is judged, and nothing follows.
        const char* last_call_when_empty;
    } cases[] = {
        {"11, empty", 0, "", {"error: Get GMS path faild!"}, {}, "settings get 60020000"},
        {"X4, empty", 3, "", {"error: Get GMS path faild!"}, {}, "settings get 60020000"},
        {"without its separator (mended)",
         3,
         "C:\\gms",
         {kSuccess},
         {"C:\\gms\\nvcut.gms"},
         nullptr},
        {"with its separator",
         7,
         "C:\\Corel\\GMS\\",
         {kSuccess},
         {"C:\\Corel\\GMS\\nvcut.gms"},
         nullptr},
    };
    for (const Case& c : cases) {
        Install install;
        install.corel.gms_folder = c.folder;
        install.Run(c.index);
        EXPECT_EQ(install.messages.shown, c.messages) << c.label;
        const Texts targets = install.CopiedTo();
        EXPECT_EQ(Texts(targets.begin(), targets.begin() + std::min<size_t>(1, targets.size())),
                  c.first_targets)
            << c.label;
        if (c.last_call_when_empty != nullptr) {
            EXPECT_EQ(install.corel.calls.back(), c.last_call_when_empty) << c.label;
        }
    }
}

TEST(InstallOperation, MacroProjectWalk) {
    struct Case {
        const char* label;
        std::vector<std::string> projects;
        const char* switched_on;  // nullptr: none
    } cases[] = {
        {"only in letter case", {"nvworktool", "NVWORKTOOL"}, nullptr},
        {"a trailing blank", {"NvWorkTool "}, nullptr},
        {"the last of three",
         {"GlobalMacros", "Other", "NvWorkTool"},
         "project3 put 60020001 true"},
        {"the first of two equal ones", {"NvWorkTool", "NvWorkTool"}, "project1 put 60020001 true"},
        {"an empty collection", {}, nullptr},
    };
    for (const Case& c : cases) {
        Install install;
        install.corel.projects = c.projects;
        EXPECT_EQ(install.Run(3), InstallOutcome::kSucceeded) << c.label;
        Texts puts;
        for (const std::string& call : install.corel.calls) {
            if (call.find(" put ") != std::string::npos) {
                puts.push_back(call);
            }
        }
        EXPECT_EQ(puts, c.switched_on ? Texts{c.switched_on} : Texts{}) << c.label;
    }
}

// Each row's export settings file is in EveryVersionRow.
TEST(InstallOperation, ExportSettings) {
    struct BaseCase {
        const char* label;
        const char* base;
        Texts settings_files;
        Texts messages;
    } base_cases[] = {
        {"without its separator (mended)",
         "C:\\corel",
         Texts(3, "C:\\corel\\settings.ini"),
         {kSuccess}},
        {"empty: refused, the run goes on (mended)",
         "",
         {},
         {"error: Get export settings path faild!", kSuccess}},
    };
    for (const BaseCase& c : base_cases) {
        Install install;
        install.corel.base_folder = c.base;
        install.Run(7);
        Texts files;
        for (const std::string& setting : install.files.settings) {
            files.push_back(setting.substr(0, setting.find(" [")));
        }
        EXPECT_EQ(files, c.settings_files) << c.label;
        EXPECT_EQ(install.messages.shown, c.messages) << c.label;
    }
    Install refused;
    refused.files.unwritable.insert("C:\\corel\\CorelDRAW\\_default\\FiltMan.ini");
    EXPECT_EQ(refused.Run(3), InstallOutcome::kSucceeded) << "the run goes on";
    EXPECT_EQ(refused.messages.shown,
              (Texts{"ini: INI ERROR!", "ini: INI ERROR!", "ini: INI ERROR!", kSuccess}));
    EXPECT_EQ(refused.CopiedTo(), kAllTargets);
}

TEST(InstallOperation, FailedCopies) {
    const std::string program = "c:\\program files\\Tarnik\\";
    struct Case {
        const char* label;
        std::string missing_source;
        std::string message;
        size_t copied;
    } cases[] = {
        {"a macro file stops before the program copy", kSource + "\\nvmirando.gms",
         "error: bad gms path!", 1},
        {"Anglet.dll missing", kSource + "\\tarnik\\Anglet.dll", "error: file is bad,don't copy!",
         6},
        {"Mirando.exe missing", kSource + "\\tarnik\\Mirando.exe", "error: file is bad,don't copy!",
         4},
    };
    for (const Case& c : cases) {
        Install install;
        install.files.files.erase(c.missing_source);
        EXPECT_EQ(install.Run(3), InstallOutcome::kStopped) << c.label;
        EXPECT_EQ(install.messages.shown, Texts{c.message}) << c.label;
        EXPECT_EQ(install.CopiedTo(), Texts(kAllTargets.begin(), kAllTargets.begin() + c.copied))
            << c.label;
    }
    Install macro_failed;
    macro_failed.files.files.erase(kSource + "\\nvcut.gms");
    macro_failed.Run(3);
    EXPECT_TRUE(macro_failed.files.folders.empty()) << "the program folder is not made";
}

TEST(InstallOperation, SecondRunKeepsTheSavedSettings) {
    Install install;
    ASSERT_EQ(install.Run(3), InstallOutcome::kSucceeded);
    install.files.copies.clear();
    ASSERT_EQ(install.Run(3), InstallOutcome::kSucceeded);
    Texts expected = kAllTargets;
    expected.erase(expected.begin() + 5);  // tarnik.ini
    EXPECT_EQ(install.CopiedTo(), expected);

    // The kept settings do not stand in for a source without its tarnik.ini.
    install.files.files.erase(kSource + "\\tarnik\\tarnik.ini");
    install.files.copies.clear();
    install.messages.shown.clear();
    EXPECT_EQ(install.Run(3), InstallOutcome::kStopped);
    EXPECT_EQ(install.messages.shown, Texts{"error: file is bad,don't copy!"});
    EXPECT_EQ(install.CopiedTo(), Texts(kAllTargets.begin(), kAllTargets.begin() + 5));
}

// The settings file is made writable for every user after the copies, on a
// reinstall too; a refusal is said and the installation still succeeds.
TEST(InstallOperation, UsersMayChangeTheSettingsFile) {
    const std::string settings_file = "c:\\program files\\Tarnik\\tarnik.ini";
    const std::string refused =
        "error: Users without administrator rights cannot save settings: no write right on " +
        settings_file;
    struct Case {
        const char* label;
        bool settings_kept;  // a reinstall: the user's file is in the program folder
        bool locked;         // the system refuses the right
        std::string missing_source;
        InstallOutcome outcome;
        Texts shared;
        Texts shown;
    } cases[] = {
        {"first installation",
         false,
         false,
         "",
         InstallOutcome::kSucceeded,
         {settings_file},
         {kSuccess}},
        {"reinstall over the user's settings",
         true,
         false,
         "",
         InstallOutcome::kSucceeded,
         {settings_file},
         {kSuccess}},
        {"right refused", false, true, "", InstallOutcome::kSucceeded, {}, {refused, kSuccess}},
        {"a copy failed before",
         false,
         false,
         kSource + "\\tarnik\\Anglet.dll",
         InstallOutcome::kStopped,
         {},
         {"error: file is bad,don't copy!"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Install install;
        if (c.settings_kept) {
            install.files.files.insert(settings_file);
        }
        if (c.locked) {
            install.files.locked.insert(settings_file);
        }
        install.files.files.erase(c.missing_source);
        EXPECT_EQ(install.Run(3), c.outcome);
        EXPECT_EQ(install.files.shared, c.shared);
        EXPECT_EQ(install.messages.shown, c.shown);
    }
}

TEST(InstallOperation, StopsWithoutChanges) {
    struct Case {
        const char* label;
        int index;
        long reject;
        InstallOutcome outcome;
        Texts messages;
        size_t calls;
    } cases[] = {
        {"X3 not installed: only its ProgID",
         2,
         -1,
         InstallOutcome::kStopped,
         {"error: CorelDRAW X3 not be installed!"},
         0},
        {"X6.1 not installed",
         6,
         -1,
         InstallOutcome::kStopped,
         {"error: CorelDRAW X6(64bit)not be installed!"},
         0},
        {"no entry chosen",
         -1,
         -1,
         InstallOutcome::kNoVersion,
         {std::string("plain: ") + kNoVersionMessage},
         0},
        {"a rejected workspace load ends the run", 3, 0x60020045, InstallOutcome::kRejected, {}, 3},
        {"a rejected item of the project walk ends the run",
         3,
         0,
         InstallOutcome::kRejected,
         {},
         8},
    };
    for (const Case& c : cases) {
        Install install;
        install.corel.reject_dispid = c.reject;
        EXPECT_EQ(install.Run(c.index), c.outcome) << c.label;
        EXPECT_EQ(install.messages.shown, c.messages) << c.label;
        EXPECT_EQ(install.corel.calls.size(), c.calls) << c.label;
        EXPECT_TRUE(install.files.copies.empty()) << c.label;
        if (c.index >= 0) {
            EXPECT_EQ(install.corel.created, Texts{kVersionTable[c.index].prog_id}) << c.label;
        }
    }
}

// Every row of the version table through the install operation: its list
// text, the ProgID tried, the message when it is missing, the file loaded
// into CorelDRAW, the export settings file and what a "no VBA" answer does.
TEST(InstallOperation, EveryVersionRow) {
    const std::string vba = "error: VBA don't be installed!";
    const std::string ini12 = "C:\\corel\\CorelDRAW12\\_default\\FiltMan.ini";
    const std::string ini_x3 = "C:\\corel\\CorelDRAW\\_default\\FiltMan.ini";
    const std::string ini_x5 = "C:\\corel\\_default\\FiltMan.ini";
    const std::string ini_x7 = "C:\\corel\\settings.ini";
    struct Row {
        const char* list_text;
        const char* prog_id;
        const char* missing;
        const char* loaded;
        std::string settings_file;  // empty: not touched
        Texts without_vba;          // the messages when VBA is not available
    } rows[] = {
        {"Corel Graphics 11",
         "coreldraw.Application.11",
         "CorelDRAW 11 not be installed!",
         "app method 6002004F D:\\setup\\command.cwf",
         "",
         {vba}},
        {"Corel Graphics 12",
         "coreldraw.Application.12",
         "CorelDRAW 12 not be installed!",
         "app method 60020045 D:\\setup\\nvout.xslt",
         ini12,
         {vba, kSuccess}},
        {"CorelDRAW Graphics Suite X3",
         "coreldraw.Application.13",
         "CorelDRAW X3 not be installed!",
         "app method 60020045 D:\\setup\\nvout.xslt",
         ini_x3,
         {vba, kSuccess}},
        {"CorelDRAW Graphics Suite X4",
         "coreldraw.Application.14",
         "CorelDRAW X4 not be installed!",
         "app method 60020045 D:\\setup\\nvout.xslt",
         ini_x3,
         {vba, kSuccess}},
        {"CorelDRAW Graphics Suite X5",
         "coreldraw.Application.15",
         "CorelDRAW X5 not be installed!",
         "app method 60020045 D:\\setup\\nvout.xslt",
         ini_x5,
         {kSuccess}},
        {"CorelDRAW Graphics Suite X6",
         "coreldraw.Application.16",
         "CorelDRAW X6 not be installed!",
         "app method 60020045 D:\\setup\\nvout.xslt",
         ini_x5,
         {kSuccess}},
        {"CorelDRAW Graphics Suite X6.1",
         "coreldraw.Application.16.1",
         "CorelDRAW X6(64bit)not be installed!",
         "app method 60020045 D:\\setup\\nvout.xslt",
         ini_x5,
         {kSuccess}},
        {"CorelDRAW Graphics Suite X7",
         "coreldraw.Application.17",
         "CorelDRAW X7 not be installed!",
         "app method 60020045 D:\\setup\\nvout.cdws",
         ini_x7,
         {kSuccess}},
        {"CorelDRAW Graphics Suite X8",
         "coreldraw.Application.18",
         "CorelDRAW X8 not be installed!",
         "app method 60020045 D:\\setup\\nvoutX8.cdws",
         ini_x7,
         {kSuccess}},
        {"CorelDRAW Graphics Suite 2017",
         "coreldraw.Application.19",
         "CorelDRAW 2017 not be installed!",
         "app method 60020045 D:\\setup\\nvoutX8.cdws",
         ini_x7,
         {kSuccess}},
        {"CorelDRAW Graphics Suite 2018",
         "coreldraw.Application.20",
         "CorelDRAW 2018 not be installed!",
         "app method 60020045 D:\\setup\\nvoutX8.cdws",
         ini_x7,
         {kSuccess}},
        {"CorelDRAW Graphics Suite 2019",
         "coreldraw.Application.21",
         "CorelDRAW 2019 not be installed!",
         "app method 60020045 D:\\setup\\nvoutX8.cdws",
         ini_x7,
         {kSuccess}},
    };
    static_assert(std::size(rows) == kVersionCount);
    for (int index = 0; index < static_cast<int>(kVersionCount); ++index) {
        const Row& row = rows[index];
        EXPECT_EQ(FindVersion(row.list_text), index) << row.list_text;

        Install missing;
        missing.corel.installed = {};
        EXPECT_EQ(missing.Run(index), InstallOutcome::kStopped) << row.list_text;
        EXPECT_EQ(missing.corel.created, Texts{row.prog_id}) << row.list_text;
        EXPECT_EQ(missing.messages.shown, Texts{std::string("error: ") + row.missing})
            << row.list_text;

        Install no_vba;
        no_vba.corel.installed = {row.prog_id};
        no_vba.corel.vba = false;
        no_vba.Run(index);
        EXPECT_EQ(no_vba.messages.shown, row.without_vba) << row.list_text;

        Install install;
        install.corel.installed = {row.prog_id};
        EXPECT_EQ(install.Run(index), InstallOutcome::kSucceeded) << row.list_text;
        const Texts& calls = install.corel.calls;
        EXPECT_NE(std::find(calls.begin(), calls.end(), row.loaded), calls.end()) << row.list_text;
        Texts files;
        for (const std::string& setting : install.files.settings) {
            files.push_back(setting.substr(0, setting.find(" [")));
        }
        EXPECT_EQ(files, row.settings_file.empty() ? Texts{} : Texts(3, row.settings_file))
            << row.list_text;
    }
}

TEST(InstallOperation, VersionBoxText) {
    EXPECT_EQ(FindVersion("CorelDRAW Graphics Suite X4"), 3);
    EXPECT_EQ(FindVersion("CorelDRAW Graphics Suite 2019"), 11);
    EXPECT_EQ(FindVersion("corelDRAW Graphics Suite X4"), -1);
    EXPECT_EQ(FindVersion("CorelDRAW Graphics Suite X"), -1);
}

}  // namespace
}  // namespace tarnik::installer
