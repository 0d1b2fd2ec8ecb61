// The job plan between the plot reader and the encoders: a plan that keeps
// the drawn order must give the streamed job's bytes exactly (pen filter,
// line types, knife state, mark header and trailer all as streamed), and a
// new order must reach the encoders whole.
#include <gtest/gtest.h>

#include <string>

#include "sender/pipeline/dmpl_encoder.h"
#include "sender/pipeline/fakes/job_rig.h"
#include "sender/pipeline/hpgl_encoder.h"
#include "sender/plan/plan_stage.h"

namespace tarnik {
namespace {

using testing::JobRig;

// Two letters' worth of outlines, a dashed line and the mark pen.
constexpr char kDesign[] =
    "IN;SP1;PU0,0;PD4000,0;PD4000,4000;PD0,4000;PD0,0;PU1000,1000;PD3000,1000;PD3000,3000;"
    "PD1000,3000;PD1000,1000;LT2;PU5000,0;PD9000,3000;LT;PU6000,500;PD8000,500;PD8000,2500;"
    "PD6000,500;SP3;PU9500,0;PD9900,0;PD9900,400;PD9500,0;SP1;PU200,4500;PD3000,4800;";

std::string Encode(JobRig& rig, bool hpgl) {
    rig.job.mapping.YTop = 5000;
    const std::string plot = rig.Plot(kDesign);
    const JobOutcome outcome =
        hpgl ? EncodeHpglJob(plot.c_str(), rig.job) : EncodeDmplJob(plot.c_str(), rig.job);
    EXPECT_EQ(outcome, JobOutcome::Encoded);
    return rig.handover.SerialBytes();
}

TEST(PlannedJob, KeepingTheDrawnOrderKeepsEveryByte) {
    struct Case {
        const char* label;
        bool hpgl;
        void (*adjust)(SenderSettings&);
    } cases[] = {
        {"DM/PL, every transform", false,
         [](SenderSettings& s) { s.SharpEnble = s.CloseEnble = s.ReducePointEnble = 1; }},
        {"DM/PL, dashed lines", false,
         [](SenderSettings& s) {
             s.DashedMode = 1;
             s.SolidLineLen = 2.0f;
             s.JumpLineLen = 1.0f;
         }},
        {"DM/PL mark job, mark pen left out", false,
         [](SenderSettings& s) {
             s.CutImageMode = 1;
             s.FlagColor = 1;
         }},
        {"HPGL, knife offset, mark pen left out", true,
         [](SenderSettings& s) {
             s.SharpEnble = 1;
             s.FlagColor = 1;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        JobRig streamed;
        c.adjust(streamed.settings);
        JobRig planned;
        c.adjust(planned.settings);
        // One panel far longer than the design: planned, in the drawn order.
        planned.settings.CutPlan.PanelLength = 10000.0f;
        EXPECT_EQ(Encode(planned, c.hpgl), Encode(streamed, c.hpgl));
    }
}

TEST(PlannedJob, InsideFirstReachesTheEncoder) {
    JobRig rig;
    rig.settings.CutPlan.Order = CutOrder::Inside;
    // Plotter x = 5000 - y: the counter (from y 1000) starts at x 4000.
    EXPECT_EQ(Encode(rig, false).substr(0, 40), ";:H A L0 EC1 U U4000,1000 D4000,3000,200");
}

// One square (plotter x = 5000 - y, y = x): drawn from its corner furthest
// from the job's start, and drawn from the corner nearest it.
constexpr char kSquareFromFarCorner[] =
    "IN;SP1;PU3000,2000;PD1000,2000;PD1000,4000;PD3000,4000;PD3000,2000;";
constexpr char kSquareFromNearCorner[] =
    "IN;SP1;PU1000,4000;PD3000,4000;PD3000,2000;PD1000,2000;PD1000,4000;";

std::string EncodeSquare(JobRig& rig, const std::string& prefix, const char* square, bool hpgl) {
    rig.job.mapping.YTop = 5000;
    rig.job.extent = PlotExtent{1000, 2000, 3000, 4000, 2000, 2000};
    const std::string plot = rig.Plot(prefix + square);
    const JobOutcome outcome =
        hpgl ? EncodeHpglJob(plot.c_str(), rig.job) : EncodeDmplJob(plot.c_str(), rig.job);
    EXPECT_EQ(outcome, JobOutcome::Encoded);
    return rig.handover.SerialBytes();
}

// The shortest order starts a closed path at its corner nearest the knife;
// the job is then cut exactly as if the drawing had started it there
// (overcut, knife offset, band split and all), except a dashed path, whose
// dashes run from where the drawing starts them.
TEST(PlannedJob, AClosedPathStartedElsewhereIsCutAsIfDrawnFromThere) {
    struct Case {
        const char* label;
        bool hpgl;
        const char* prefix;
        const char* streamed_square;  // the same job streamed as drawn
        void (*adjust)(SenderSettings&, JobContext&);
    } cases[] = {
        {"DM/PL, every transform", false, "", kSquareFromNearCorner,
         [](SenderSettings& s, JobContext&) {
             s.SharpEnble = s.CloseEnble = s.ReducePointEnble = 1;
         }},
        {"DM/PL mark job, band split", false, "", kSquareFromNearCorner,
         [](SenderSettings& s, JobContext& job) {
             s.CutImageMode = 1;
             s.CloseEnble = 1;
             job.MarkParamB = 3;
         }},
        {"HPGL, knife offset and overcut", true, "", kSquareFromNearCorner,
         [](SenderSettings& s, JobContext&) { s.SharpEnble = s.CloseEnble = 1; }},
        {"DM/PL, dashed: the drawn start stays", false, "LT2;", kSquareFromFarCorner,
         [](SenderSettings& s, JobContext&) {
             s.DashedMode = 1;
             s.SolidLineLen = 2.0f;
             s.JumpLineLen = 1.0f;
             s.CloseEnble = 1;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        JobRig streamed;
        c.adjust(streamed.settings, streamed.job);
        JobRig planned;
        c.adjust(planned.settings, planned.job);
        planned.settings.CutPlan.Order = CutOrder::Shortest;
        EXPECT_EQ(EncodeSquare(planned, c.prefix, kSquareFromFarCorner, c.hpgl),
                  EncodeSquare(streamed, c.prefix, c.streamed_square, c.hpgl));
    }
}

TEST(PlannedJob, FeedUnits) {
    PlotMapping dmpl;
    EXPECT_NEAR(FeedUnitsPerMm(dmpl), 31.496, 1e-3);
    PlotMapping hpgl;
    hpgl.hpgl_scale = true;
    hpgl.YSizeRedeem = 0.025f;
    // Model NVAS reworks in plotter units too and scales points as it writes them.
    EXPECT_NEAR(FeedUnitsPerMm(hpgl), 31.496, 1e-3);
}

}  // namespace
}  // namespace tarnik
