// What tarnik-cli tells the user: warnings about the settings file, the
// answer to a file of the wrong kind, and the summary line after a job.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_test_helpers.h"
#include "cli/job_summary.h"
#include "cli/settings_check.h"
#include "sender/app/settings_fakes.h"
#include "sender/app/settings_store.h"
#include "sender/settings/sender_settings.h"
#include "support/test_files.h"

namespace tarnik::testing {
namespace {

constexpr char kSquare[] = "IN;SP1;PU0,0;PD3150,0;PD3150,3150;PD0,3150;PD0,0;PU0,0;";

TEST(CliSettingsWarnings, NameFileLineAndWhatIsWrong) {
    const struct {
        const char* label;
        const char* ini;
        const char* warning;  // a piece of the warning; null: no warning at all
    } cases[] = {
        {"a decimal comma", "[CutConfig]\nSharpEnble=1\nSharpOffset=0,30\n",
         "s.ini:3: warning: SharpOffset=0,30 does not read whole as a number"},
        {"a fraction where a whole number belongs", "[Model]\r\nMode=1.5\r\n",
         "s.ini:2: warning: Mode=1.5 does not read whole as a whole number"},
        {"an empty number", "[CutConfig]\nCloseOffset=\n", "CloseOffset= does not read whole"},
        {"a misspelt key", "[CutConfig]\nSharpEnable=1\n",
         "s.ini:2: warning: unknown key SharpEnable in [CutConfig]"},
        {"an unknown section", "[Model]\nMode=1\n[Cutconfg]\nSharpEnble=1\n",
         "s.ini:3: warning: unknown section [Cutconfg]"},
        {"a key before any section", "Mode=2\n[Model]\nMode=1\n", "s.ini:1: warning: Mode"},
        {"a drawing given as settings", "<svg xmlns=\"http://www.w3.org/2000/svg\"/>\n",
         "s.ini is not a settings file"},
        {"an empty file", "", "s.ini is not a settings file"},
        {"names in any case, comments, quotes, signs, exponents",
         "; comment\n[cutconfig]\nsharpoffset = "
         "\"0.3\"\n[FeedPaper]\nXSTEPS=-1.5e1\n[Model]\nMode=+2\n",
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        std::ostringstream err;
        cli::CheckSettingsText(c.ini, "s.ini", err);
        if (c.warning == nullptr) {
            EXPECT_EQ(err.str(), "");
        } else {
            EXPECT_NE(err.str().find(c.warning), std::string::npos) << err.str();
        }
    }
}

// Every key the settings store reads is one the check knows, so a file
// holding all of them with sound values draws no warning; and the bundled
// sample draws none.
TEST(CliSettingsWarnings, KnowEveryKeyTheStoreReads) {
    CallLog log;
    RecordingProfile profile(log);
    RecordingView view(log);
    RecordingEnvironment environment(log, "/tmp/");
    SenderSettings settings;
    LoadSettings(SettingsSeams{profile, view, environment}, settings);
    std::string ini;
    for (const std::string& call : log) {
        if (!call.starts_with("read ")) {
            continue;
        }
        const size_t slash = call.find('/');
        ini += "[" + call.substr(5, slash - 5) + "]\n" + call.substr(slash + 1) + "=1\n";
    }
    ASSERT_FALSE(ini.empty());
    std::ostringstream err;
    EXPECT_EQ(cli::CheckSettingsText(ini, "all.ini", err), 0) << err.str();
    std::ostringstream sample_err;
    EXPECT_EQ(
        cli::CheckSettingsText(ReadWholeFile(SampleFile("tarnik.ini")), "tarnik.ini", sample_err),
        0)
        << sample_err.str();
}

TEST(CliSettingsWarnings, TheToolSaysWhenItRunsOnDefaultsAndNamesTheModelKey) {
    ScratchFolder folder;
    const std::string plot = folder.File("square.plt");
    WriteWholeFile(plot, kSquare);
    WriteWholeFile(folder.File("mode0.ini"), "[Model]\nMode=0\n");
    const CliResult defaults = RunTool({"cut", plot});
    EXPECT_NE(defaults.err.find("running on the built-in defaults"), std::string::npos)
        << defaults.err;
    const CliResult no_model = RunTool({"cut", "--settings", folder.File("mode0.ini"), plot});
    EXPECT_EQ(no_model.status, 1);
    EXPECT_NE(no_model.err.find("[Model] Mode key"), std::string::npos) << no_model.err;
}

TEST(CliFileKinds, AFileOfTheWrongKindIsNamedWithWhatTheCommandWants) {
    const struct {
        const char* label;
        std::string bytes;
        bool preview;  // else cut
        const char* message;
    } cases[] = {
        {"an SVG drawing to cut", "<?xml version=\"1.0\"?>\n<svg width=\"10mm\"/>", false,
         "is an SVG drawing, not a plot file. cut wants an HPGL plot file"},
        {"a PDF to cut", "%PDF-1.7\n", false, "is a PDF document, not a plot file"},
        {"a PNG picture to cut", std::string("\x89PNG\r\n\x1a\n", 8), false,
         "is a picture, not a plot file"},
        {"a JPEG picture to cut", "\xFF\xD8\xFF\xE0", false, "is a picture"},
        {"a job to cut", ";:H A L0 EC1 U U0,0 @", false, "is a job for model NVA"},
        {"a plot file to preview", kSquare, true,
         "is a plot file (a drawing program's HPGL), not a job"},
        {"a drawing to preview", "<svg/>", true, "is a drawing, a document or a picture"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ScratchFolder folder;
        const std::string input = folder.File("input");
        WriteWholeFile(input, c.bytes);
        const CliResult result = c.preview
                                     ? RunTool({"preview", input, "-o", folder.File("out.svg")})
                                     : RunTool({"cut", "-o", folder.File("out.job"), input});
        EXPECT_EQ(result.status, 1);
        EXPECT_NE(result.err.find(input + " " + c.message), std::string::npos) << result.err;
        EXPECT_EQ(result.err.find("data error"), std::string::npos) << result.err;
        EXPECT_FALSE(FileExists(folder.File(c.preview ? "out.svg" : "out.job")));
    }
}

TEST(CliSummary, SaysWhatWasCountedAndWhereTheJobWent) {
    const struct {
        const char* label;
        cli::JobSummary summary;
        const char* line;
    } cases[] = {
        {"no destination",
         {"a.plt", 290.005f, 140.018f, 10, true, 5158, "", "", cli::DeviceSend::NotAsked, 0, 800,
          1.2345},
         "a.plt: 290.01 x 140.02 mm at 800 units per inch, 9 cut paths and the knife-orientation "
         "cut, 5158 bytes, travel "
         "1.234 m, 0:02 on the line, not sent\n"},
        {"a file",
         {"a.plt", 100.0f, 5.0f, 1, false, 66, "a.job", "", cli::DeviceSend::NotAsked, 0},
         "a.plt: 100.00 x 5.00 mm at 800 units per inch, 1 cut paths, 66 bytes, 0:01 on the line "
         "-> a.job\n"},
        {"a device that took it",
         {"a.plt", 1, 1, 2, false, 66, "", "/dev/ttyUSB0", cli::DeviceSend::Delivered, 66},
         "a.plt: 1.00 x 1.00 mm at 800 units per inch, 2 cut paths, 66 bytes, 0:01 on the line -> "
         "/dev/ttyUSB0\n"},
        {"a file and a failed device",
         {"a.plt", 1, 1, 2, false, 66, "a.job", "/dev/usb/lp0", cli::DeviceSend::Failed, 0},
         "a.plt: 1.00 x 1.00 mm at 800 units per inch, 2 cut paths, 66 bytes, 0:01 on the line -> "
         "a.job, send to "
         "/dev/usb/lp0 failed\n"},
        {"a cancelled device",
         {"a.plt", 1, 1, 2, false, 66, "", "/dev/ttyS0", cli::DeviceSend::Cancelled, 10},
         "a.plt: 1.00 x 1.00 mm at 800 units per inch, 2 cut paths, 66 bytes, 0:01 on the line, "
         "send to /dev/ttyS0 "
         "cancelled\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(cli::JobSummaryLine(c.summary), c.line);
    }
}

TEST(CliSummary, AnUnfinishedSendSaysWhatTheDeviceTookAndWhatToDo) {
    cli::JobSummary summary;
    summary.device = "/dev/ttyUSB0";
    summary.bytes = 5000;
    summary.send = cli::DeviceSend::Failed;
    summary.device_took = 2000;
    std::ostringstream err;
    cli::ReportUnfinishedSend(summary, err);
    EXPECT_EQ(err.str(),
              "tarnik-cli: /dev/ttyUSB0 took 2000 of 5000 bytes before the send failed: the "
              "plotter may hold a partial job. This job stopped unexpectedly or was cancelled! "
              "Please reset the plotter!\n");
    // The advice is the job sender's own message.
    EXPECT_NE(ReadWholeFile(std::string(TARNIK_SOURCE_DIR) + "/sender/res/anglet.rc")
                  .find(cli::kTextJobAborted),
              std::string::npos);
}

}  // namespace
}  // namespace tarnik::testing
