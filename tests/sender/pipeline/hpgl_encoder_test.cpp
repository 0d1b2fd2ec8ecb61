// The HPGL job encoder end to end: plot file in, the exact bytes handed to
// the serial transport out.
#include "sender/pipeline/hpgl_encoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sender/pipeline/cut_to_file.h"
#include "sender/pipeline/fakes/job_rig.h"

namespace tarnik {
namespace {

using testing::FileExists;
using testing::JobRig;

constexpr char kSquare[] =
    "IN;IW0,0,3150,3150;SP1;PU0,0;PD3150,0;PD3150,3150;PD0,3150;PD0,0;PU0,0;";
constexpr char kRectangle[] = "IN;SP1;PU0,0;PD3150,0;PD3150,1575;PD0,1575;PD0,0;";
constexpr char kPens[] = "SP1;PU0,0;PD3150,0;SP2;PU0,0;PD0,6300;SP1;PU3150,3150;PD6300,6300;";

TEST(HpglEncoder, Streams) {
    struct Case {
        const char* label;
        const char* plot;
        int32_t y_top;
        void (*adjust)(SenderSettings&);
        const char* expected;
    } cases[] = {
        {"worked example", kSquare, 3150, [](SenderSettings&) {},
         "PU100,0;PD100,100;PD0,100;PD0,0;PD100,0;PU100,0;PU300,0;!PG;"},
        {"YSizeRedeem 2 halves plotter x", kSquare, 3150,
         [](SenderSettings& s) { s.YSizeRedeem = 2.0f; },
         "PU50,0;PD50,100;PD0,100;PD0,0;PD50,0;PU50,0;PU250,0;!PG;"},
        {"XSizeRedeem 2 halves plotter y", kSquare, 3150,
         [](SenderSettings& s) { s.XSizeRedeem = 2.0f; },
         "PU100,0;PD100,50;PD0,50;PD0,0;PD100,0;PU100,0;PU300,0;!PG;"},
        // 80 plotter units, 2.54 mm: 2 in this plotter's frame.
        {"orientation cut first with knife-offset compensation", "PU0,0;PD3150,0;", 3150,
         [](SenderSettings& s) { s.SharpEnble = 1; },
         "PU0,0;PD0,0;PD0,2;PU100,0;PD100,100;PU300,0;!PG;"},
        {"orientation cut scaled by XSizeRedeem", "PU0,0;PD3150,0;", 3150,
         [](SenderSettings& s) {
             s.SharpEnble = 1;
             s.XSizeRedeem = 0.5f;
         },
         "PU0,0;PD0,0;PD0,5;PU100,0;PD100,200;PU300,0;!PG;"},
        // The paths are reworked in plotter units and scaled as written:
        // a 0.3 mm offset swings within a unit of each corner (points that
        // fall together are written once), ...
        {"knife offset of 0.3 mm", kSquare, 3150, [](SenderSettings& s) { s.SharpEnble = 1; },
         "PU0,0;PD0,0;PD0,2;PU100,0;PD100,100;PD99,100;PD0,100;PD0,99;PD0,0;PD100,0;PU100,0;"
         "PU300,0;!PG;"},
        // ... a 5 mm closing overcut starts in the middle of the first side
        // and runs 5 mm past it (50 + 4.999, truncated) ...
        {"closing overcut of 5 mm", kSquare, 3150,
         [](SenderSettings& s) {
             s.CloseEnble = 1;
             s.CloseOffset = 5.0f;
         },
         "PU100,50;PD100,100;PD0,100;PD0,0;PD100,0;PD100,50;PD100,54;PU100,0;PU300,0;!PG;"},
        // ... and a 0.2 mm reduction keeps points 1 mm apart.
        {"point reduction of 0.2 mm", "PU0,0;PD32,0;PD64,0;PD96,0;PD128,0;", 0,
         [](SenderSettings& s) { s.ReducePointEnble = 1; },
         "PU0,0;PD0,1;PD0,2;PD0,3;PD0,4;PU200,0;!PG;"},
        // 100 mm across, 50 mm along: turned, 100 mm along the feed, halved
        // across and mirrored there; the trailer feeds out behind it.
        {"turned and mirrored with a divisor per axis", kRectangle, 1575,
         [](SenderSettings& s) {
             s.XSizeRedeem = 0.5f;
             s.YSizeRedeem = 0.8f;
             s.CutPlan.Media.Rotate = RotateChoice::Quarter;
             s.CutPlan.Media.Mirror = true;
         },
         "PU125,0;PD0,0;PD0,100;PD125,100;PD125,0;PU325,0;!PG;"},
        {"a single point writes only its pen-up", "PU3150,0;", 3150, [](SenderSettings&) {},
         "PU100,100;PU300,0;!PG;"},
        {"no path: trailer only", "IN;", 0, [](SenderSettings&) {}, "PU200,0;!PG;"},
        {"LT is ignored, even in dashed mode", "LT2;PU0,0;PD3150,0;", 3150,
         [](SenderSettings& s) {
             s.DashedMode = 1;
             s.SolidLineLen = 1.0f;
             s.JumpLineLen = 1.0f;
         },
         "PU100,0;PD100,100;PU300,0;!PG;"},
        {"pen filter: mark pen left out without mark mode", kPens, 6300,
         [](SenderSettings& s) { s.FlagColor = 1; },
         "PU200,0;PD200,100;PU100,100;PD0,200;PU400,0;!PG;"},
        {"no mark colour: every pen cut", kPens, 6300, [](SenderSettings&) {},
         "PU200,0;PD200,100;PU200,0;PD0,0;PU100,100;PD0,200;PU400,0;!PG;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        JobRig rig;
        c.adjust(rig.settings);
        rig.job.mapping.YTop = c.y_top;
        ASSERT_EQ(EncodeHpglJob(rig.Plot(c.plot).c_str(), rig.job), JobOutcome::Encoded);
        EXPECT_EQ(rig.handover.SerialBytes(), c.expected);
    }
}

TEST(HpglEncoder, HandsOverOnTheJobPortWithATerminatedBuffer) {
    JobRig rig;
    rig.settings.CurrentCom = 4;
    rig.job.mapping.YTop = 3150;
    ASSERT_EQ(EncodeHpglJob(rig.Plot(kSquare).c_str(), rig.job), JobOutcome::Encoded);
    const std::vector<std::string> calls = {"open-port:4", "quiet-monitor", "start-transfer"};
    EXPECT_EQ(rig.handover.calls, calls);
    EXPECT_EQ(rig.view.calls, std::vector<std::string>{"look:sending"});
    const JobBuffer& job = rig.handover.serial_job;
    EXPECT_EQ(job.Capacity(), job.Size() + 10u);
    EXPECT_EQ(job.Data()[job.Size()], '\0');
}

// Cut to file holds for this model too: the job is saved, nothing reaches the
// port or the plotter, and the file picked stays where it was.
TEST(HpglEncoder, CutToFileSavesTheJobInsteadOfSending) {
    JobRig rig;
    rig.job.mapping.YTop = 3150;
    rig.job.CutToFile = true;
    rig.view.save_confirmed = true;
    rig.view.save_name = rig.folder.File("square");
    const std::string plot = rig.Plot(kSquare);
    ASSERT_EQ(EncodeHpglJob(plot.c_str(), rig.job), JobOutcome::Encoded);
    EXPECT_EQ(testing::ReadWholeFile(rig.folder.File("square.plt")),
              "PU100,0;PD100,100;PD0,100;PD0,0;PD100,0;PU100,0;PU300,0;!PG;");
    const std::vector<std::string> calls = {std::string("save-dialog:") + kPltSaveFilter,
                                            "message:Save OK!"};
    EXPECT_EQ(rig.view.calls, calls);
    EXPECT_TRUE(rig.handover.calls.empty());
    EXPECT_FALSE(rig.job.CutToFile);
    EXPECT_TRUE(FileExists(plot));
}

TEST(HpglEncoder, Failures) {
    struct Case {
        const char* label;
        const char* plot;  // null: the plot file does not exist
        void (*adjust)(JobRig&);
        JobOutcome returns;
        std::vector<std::string> view_calls;
    } cases[] = {
        {"plot file missing", nullptr, [](JobRig&) {}, JobOutcome::Unreadable, {}},
        {"work folder missing",
         "PU0,0;PD10,10;",
         [](JobRig& r) { r.job.HpglWorkFolder = r.folder.File("missing"); },
         JobOutcome::NotSent,
         {"message:Cannot write the work file!"}},
        {"data error in a path",
         "PU0,0;PD123456789012345,0;",
         [](JobRig&) {},
         JobOutcome::DataError,
         {"balloon:data error!"}},
        {"job port does not open",
         "PU0,0;PD10,10;",
         [](JobRig& r) { r.handover.port_opens = false; },
         JobOutcome::NotSent,
         {"message:Faild to InitComPort() !"}},
        {"line monitor mask not cleared: the job goes on",
         "PU0,0;PD10,10;",
         [](JobRig& r) { r.handover.monitor_quiets = false; },
         JobOutcome::Encoded,
         {"message:setcommMask error!", "look:sending"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        JobRig rig;
        c.adjust(rig);
        const std::string plot = c.plot ? rig.Plot(c.plot) : rig.folder.File("none.plt");
        EXPECT_EQ(EncodeHpglJob(plot.c_str(), rig.job), c.returns);
        EXPECT_EQ(rig.view.calls, c.view_calls);
        const bool started = !rig.handover.serial_job.Empty();
        EXPECT_EQ(started, c.view_calls.size() > 1);
    }
}

TEST(HpglEncoder, ConsumesOnlyTheExportFile) {
    struct Case {
        const char* label;
        bool from_export;
        bool port_opens;
        bool kept;
    } cases[] = {
        {"export file consumed once its job starts", true, true, false},
        {"another plot file stays", false, true, true},
        {"export file kept when nothing is sent", true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        JobRig rig;
        rig.handover.port_opens = c.port_opens;
        std::string plot = rig.Plot("PU0,0;PD10,10;");
        if (c.from_export) {
            plot = rig.ExportFile();
            testing::WriteWholeFile(plot, "PU0,0;PD10,10;");
        }
        EXPECT_EQ(JobMessageAnswer(EncodeHpglJob(plot.c_str(), rig.job)), 1);
        EXPECT_EQ(FileExists(plot), c.kept);
    }
}

}  // namespace
}  // namespace tarnik
