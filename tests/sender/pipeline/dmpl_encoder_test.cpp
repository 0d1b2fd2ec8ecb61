// The DM/PL job encoder end to end: plot file in, the exact bytes handed to
// a transport (or saved to a file) out.
#include "sender/pipeline/dmpl_encoder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "sender/pipeline/cut_to_file.h"
#include "sender/pipeline/fakes/job_rig.h"

namespace tarnik {
namespace {

using testing::FileExists;
using testing::JobRig;
using testing::ReadWholeFile;

constexpr char kHeader[] = ";:H A L0 EC1 U ";
constexpr char kSquare[] = "IN;PU0,0;PD1000,0;PD1000,1000;PD0,1000;PD0,0;";
// Three times the plotter line (0,0) to (200,0), under no, a numbered and a
// bare line type.
constexpr char kLineTypes[] = "PU0,200;PD0,0;LT2;PU0,200;PD0,0;LT;PU0,200;PD0,0;";
constexpr char kPens[] = "SP1;PU0,0;PD3150,0;SP2;PU0,0;PD0,6300;SP1;PU3150,3150;PD6300,6300;";

void Dashed(SenderSettings& s) {
    s.DashedMode = 1;
    s.SolidLineLen = 2.0f;
    s.JumpLineLen = 1.0f;
}

TEST(DmplEncoder, Streams) {
    struct Case {
        const char* label;
        const char* plot;
        int32_t y_top;
        void (*adjust)(JobRig&);
        std::string expected;  // behind the job header
    } cases[] = {
        {"closed square, every option off", kSquare, 1000, [](JobRig&) {},
         "U1000,0 D1000,1000,0,1000,0,0,1000,0 U0,0 @"},
        {"two-point path: no path end blank", "PU0,0;PD10,20;", 100, [](JobRig&) {},
         "U100,0 D80,10 U0,0 @"},
        {"paper feed", "PU0,0;PD10,20;", 100,
         [](JobRig& r) {
             r.settings.CanFeedPaper = 1;
             r.settings.XSTEPS = 10.0f;
             r.settings.YSTEPS = 20.0f;
         },
         "U100,0 D80,10 U0,0 GE; U629,314 @"},
        {"orientation cut with knife-offset compensation", "PU0,0;PD10,20;", 100,
         [](JobRig& r) { r.settings.SharpEnble = 1; }, "U0,0 D0,0,0,80 U100,0 D80,10 U0,0 @"},
        {"no path: header and trailer only", "IN;", 0, [](JobRig&) {}, "U0,0 @"},
        {"dashed mode: LT2 dashes, bare LT cuts whole", kLineTypes, 200,
         [](JobRig& r) { Dashed(r.settings); },
         "U0,0 D200,0 U0,0 D62,0 U93,0 D155,0 U186,0 D200,0 U0,0 D200,0 U0,0 @"},
        {"dashed mode off: LT changes nothing", kLineTypes, 200,
         [](JobRig& r) {
             Dashed(r.settings);
             r.settings.DashedMode = 0;
         },
         "U0,0 D200,0 U0,0 D200,0 U0,0 D200,0 U0,0 @"},
        {"dashed with a gap of 0: cut whole", kLineTypes, 200,
         [](JobRig& r) {
             Dashed(r.settings);
             r.settings.JumpLineLen = 0.0f;
         },
         "U0,0 D200,0 U0,0 D200,0 U0,0 D200,0 U0,0 @"},
        {"pen filter needs mark mode: every pen cut", kPens, 6300,
         [](JobRig& r) { r.settings.FlagColor = 1; },
         "U6300,0 D6300,3150 U6300,0 D0,0 U3150,3150 D0,6300 U0,0 @"},
        {"mark mode: header, mark pen left out", kPens, 6300,
         [](JobRig& r) {
             r.settings.FlagColor = 1;
             r.settings.CutImageMode = 1;
             r.job.extent = PlotExtent{0, 0, 6300, 6300, 6300, 6300};
         },
         "MK6300,6300,0,0 U6300,0 D6300,3150 U3150,3150 D0,6300 U0,0 @"},
        {"band split: three points, no transforms on a line read with two", "PU0,9000;PD0,1000;",
         10000,
         [](JobRig& r) {
             r.settings.CutImageMode = 1;
             r.settings.SharpEnble = 1;
             r.settings.CloseEnble = 1;
             r.settings.ReducePointEnble = 1;
             r.job.MarkParamA = 7;
             r.job.MarkParamB = 3;
             r.job.extent = PlotExtent{0, 0, 500, 10000, 500, 10000};
         },
         "U0,0 D0,0,0,80 MK10000,500,7,3 U1000,0 D2500,0,5000,0,7500,0,9000,0 U0,0 @"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        JobRig rig;
        c.adjust(rig);
        rig.job.mapping.YTop = c.y_top;
        ASSERT_EQ(EncodeDmplJob(rig.Plot(c.plot).c_str(), rig.job), JobOutcome::Encoded);
        EXPECT_EQ(rig.handover.SerialBytes(), kHeader + c.expected);
        EXPECT_EQ(rig.handover.serial_job.Capacity(), rig.handover.serial_job.Size());
    }
}

TEST(DmplEncoder, Outputs) {
    struct Case {
        const char* label;
        void (*adjust)(JobRig&);
        JobOutcome returns;
        std::vector<std::string> view_calls;
        std::vector<std::string> handover_calls;
        bool sent;
    } cases[] = {
        {"serial",
         [](JobRig& r) { r.settings.CurrentCom = 3; },
         JobOutcome::Encoded,
         {"look:sending"},
         {"open-port:3", "start-transfer"},
         true},
        {"serial port fails: nothing sent",
         [](JobRig& r) { r.handover.port_opens = false; },
         JobOutcome::NotSent,
         {"message:Faild to InitComPort() !"},
         {"open-port:1"},
         false},
        {"USB: no sending look",
         [](JobRig& r) {
             r.settings.PortType = 1;
             r.settings.USBPort = 2;
         },
         JobOutcome::Encoded,
         {"tip:Data finshed."},
         {"usb:2"},
         true},
        {"USB fails",
         [](JobRig& r) {
             r.settings.PortType = 1;
             r.handover.usb_succeeds = false;
         },
         JobOutcome::UsbSendFailed,
         {},
         {"usb:1"},
         true},
        {"work file cannot be created: nothing sent",
         [](JobRig& r) { r.job.TempFolder = r.folder.File("missing"); },
         JobOutcome::NotSent,
         {"message:Cannot write the work file!"},
         {},
         false},
        {"work file name taken by a folder: nothing sent",
         [](JobRig& r) {
             std::filesystem::create_directory(r.job.DmplWorkFilePath());
             testing::WriteWholeFile(r.job.DmplWorkFilePath() + "/keep", "x");
         },
         JobOutcome::NotSent,
         {"message:Cannot write the work file!"},
         {},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        JobRig rig;
        c.adjust(rig);
        rig.job.mapping.YTop = 100;
        EXPECT_EQ(EncodeDmplJob(rig.Plot("PU0,0;PD10,20;").c_str(), rig.job), c.returns);
        EXPECT_EQ(rig.view.calls, c.view_calls);
        EXPECT_EQ(rig.handover.calls, c.handover_calls);
        const std::string sent = rig.handover.SerialBytes() + rig.handover.usb_job;
        EXPECT_EQ(sent, c.sent ? std::string(kHeader) + "U100,0 D80,10 U0,0 @" : "");
    }
}

TEST(DmplEncoder, DataErrorSendsNothingAndKeepsThePlotFile) {
    JobRig rig;
    const std::string plot = rig.Plot("PU0,0;PD10,10;PU0,0;PD123456789012345,0;");
    EXPECT_EQ(EncodeDmplJob(plot.c_str(), rig.job), JobOutcome::DataError);
    EXPECT_EQ(rig.view.calls, std::vector<std::string>{"balloon:data error!"});
    EXPECT_TRUE(rig.handover.calls.empty());
    EXPECT_TRUE(FileExists(plot));
}

TEST(DmplEncoder, MissingPlotFile) {
    JobRig rig;
    EXPECT_EQ(EncodeDmplJob(rig.folder.File("none.plt").c_str(), rig.job), JobOutcome::Unreadable);
    EXPECT_TRUE(rig.view.calls.empty());
    EXPECT_FALSE(FileExists(rig.job.DmplWorkFilePath()));
}

TEST(DmplEncoder, ReplacesAnOldWorkFile) {
    JobRig rig;
    testing::WriteWholeFile(rig.job.DmplWorkFilePath(), std::string(5000, 'x'));
    rig.settings.PortType = 1;
    ASSERT_EQ(EncodeDmplJob(rig.Plot("IN;").c_str(), rig.job), JobOutcome::Encoded);
    EXPECT_EQ(ReadWholeFile(rig.job.DmplWorkFilePath()), std::string(kHeader) + "U0,0 @");
}

TEST(CutToFile, SaveNames) {
    struct Case {
        const char* chosen;
        const char* saved;
    } cases[] = {
        {"job", "job.plt"},
        {"job.PLT", "job.PLT"},
        {"job.Plt", "job.Plt"},
        {"job.txt", "job.txt.plt"},
        {"dir.v2/job", "dir.v2/job.plt"},
        {"dir.v2\\job", "dir.v2\\job.plt"},
        {"job.pltx", "job.pltx.plt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        EXPECT_EQ(MakeSaveName(c.chosen), c.saved);
    }
}

TEST(CutToFile, SavesInsteadOfSending) {
    struct Case {
        const char* label;
        bool confirm;
        const char* name;  // inside the scratch folder
        const char* saved_as;
        const char* message;
    } cases[] = {
        {"saved with .plt added", true, "job", "job.plt", "message:Save OK!"},
        {"existing file replaced", true, "old.PLT", "old.PLT", "message:Save OK!"},
        {"folder missing", true, "missing/job", nullptr, "message:Save faild!"},
        {"cancelled", false, "job", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        JobRig rig;
        testing::WriteWholeFile(rig.folder.File("old.PLT"), "old contents");
        rig.job.CutToFile = true;
        rig.view.save_confirmed = c.confirm;
        rig.view.save_name = rig.folder.File(c.name);
        ASSERT_EQ(EncodeDmplJob(rig.Plot("IN;").c_str(), rig.job), JobOutcome::Encoded);
        std::vector<std::string> calls = {std::string("save-dialog:") + kPltSaveFilter};
        if (c.message) {
            calls.push_back(c.message);
        }
        EXPECT_EQ(rig.view.calls, calls);
        EXPECT_TRUE(rig.handover.calls.empty());
        EXPECT_FALSE(rig.job.CutToFile);
        if (c.saved_as) {
            EXPECT_EQ(ReadWholeFile(rig.folder.File(c.saved_as)), std::string(kHeader) + "U0,0 @");
        }
    }
}

}  // namespace
}  // namespace tarnik
