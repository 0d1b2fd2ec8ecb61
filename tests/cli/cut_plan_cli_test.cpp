// The cut order on tarnik-cli: "--order" and "--panel" on cut, the info
// command, and the travel meter behind their figures.
#include <gtest/gtest.h>

#include <string>

#include "cli/job_travel.h"
#include "support/test_files.h"
#include "tests/cli/cli_test_helpers.h"

namespace tarnik {
namespace {

using testing::CliResult;
using testing::ReadWholeFile;
using testing::RunTool;
using testing::SampleFile;
using testing::ScratchFolder;

TEST(JobTravelMeter, MeasuresEitherLanguageInAnyPieces) {
    struct Case {
        const char* label;
        std::string job;
        double travel;
        double cut;
    } cases[] = {
        {"DM/PL square", ";:H A L0 EC1 U U3150,0 D3150,3150,0,3150,0,0,3150,0 U3150,0 U0,0 @",
         6300.0, 12600.0},
        {"HPGL with a negative move", "PU0,0;PD0,0;PD0,80;PU100,0;PD100,50;PU-100,0;!PG;",
         128.0624847 + 206.1552813, 130.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        for (size_t split = 0; split <= c.job.size(); ++split) {
            cli::JobTravelMeter meter;
            meter.Feed(std::string_view(c.job).substr(0, split));
            meter.Feed(std::string_view(c.job).substr(split));
            EXPECT_NEAR(meter.Travel(), c.travel, 1e-6) << "split at " << split;
            EXPECT_NEAR(meter.CutLength(), c.cut, 1e-6) << "split at " << split;
        }
    }
}

TEST(CutPlanCli, OrderAndPanelOptions) {
    ScratchFolder folder;
    const std::string settings = SampleFile("tarnik.ini");
    const std::string plot = SampleFile("sign.plt");
    auto cut = [&](std::vector<std::string> extra, const char* name) {
        std::vector<std::string> args{"cut", "--settings", settings, "-o", folder.File(name)};
        args.insert(args.end(), extra.begin(), extra.end());
        args.push_back(plot);
        return RunTool(args);
    };
    const CliResult plain = cut({}, "plain.job");
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_NE(plain.out.find(" on the line"), std::string::npos) << plain.out;
    // Drawn order without panels is today's road: the same bytes.
    ASSERT_EQ(cut({"--order", "drawn"}, "drawn.job").status, 0);
    EXPECT_EQ(ReadWholeFile(folder.File("drawn.job")), ReadWholeFile(folder.File("plain.job")));
    const CliResult shortest = cut({"--order=shortest", "--panel", "500"}, "short.job");
    ASSERT_EQ(shortest.status, 0) << shortest.err;
    EXPECT_NE(shortest.out.find(" travel "), std::string::npos) << shortest.out;
    struct Bad {
        std::vector<std::string> extra;
        const char* says;
    } bad[] = {
        {{"--order", "sideways"}, "--order takes drawn, inside or shortest"},
        {{"--order"}, "--order takes drawn, inside or shortest, not"},
        {{"--panel", "-3"}, "--panel takes"},
        {{"--panel", "12mm"}, "--panel takes"},
    };
    for (const Bad& b : bad) {
        const CliResult refused = cut(b.extra, "bad.job");
        EXPECT_EQ(refused.status, 2);
        EXPECT_NE(refused.err.find(b.says), std::string::npos) << refused.err;
    }
}

TEST(CutPlanCli, InfoTellsTheJobBeforeItIsCut) {
    // info encodes the job twice; the plot file must come out as it went in.
    ScratchFolder folder;
    const std::string plot = folder.File("sign.plt");
    const std::string design = ReadWholeFile(SampleFile("sign.plt"));
    testing::WriteWholeFile(plot, design);
    const CliResult info =
        RunTool({"info", "--settings", SampleFile("tarnik.ini"), "--order", "shortest", plot});
    EXPECT_EQ(ReadWholeFile(plot), design);
    ASSERT_EQ(info.status, 0) << info.err;
    for (const char* line : {"size:           290.01 x 140.02 mm at 800 units per inch",
                             "paths:          9 (9 closed, 0 open)", "cut length:", "m as drawn,",
                             "in order shortest", "bytes for model NVA", "at 38400 baud"}) {
        EXPECT_NE(info.out.find(line), std::string::npos) << line << "\n" << info.out;
    }
    EXPECT_EQ(RunTool({"info"}).status, 2);
    EXPECT_EQ(RunTool({"info", "/no/such/plot.plt"}).status, 1);
}

}  // namespace
}  // namespace tarnik
