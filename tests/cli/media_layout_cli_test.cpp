// Placing the job on the media from tarnik-cli: the options, what they
// refuse, numbered strip files, and the placed job's bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/cli_args.h"
#include "cli/media_layout_args.h"
#include "cli/strip_jobs.h"
#include "support/test_files.h"
#include "tests/cli/cli_test_helpers.h"

namespace tarnik {
namespace {

using testing::ReadWholeFile;
using testing::RunTool;
using testing::SampleFile;
using testing::ScratchFolder;

TEST(MediaLayoutArgs, TakesItsOptionsAndRefusesBadValues) {
    struct Case {
        const char* label;
        std::vector<std::string> args;
        const char* error;  // empty: taken
    } cases[] = {
        {"everything",
         {"--media-width", "600",  "--rotate=auto",    "--mirror",
          "--margin",      "5,10", "--copies",         "4",
          "--gap",         "3",    "--weed-border",    "5",
          "--weed-lines",  "20",   "--weed-direction", "across",
          "--weed-gap",    "1.5",  "--tile",           "30"},
         ""},
        {"gap of 0", {"--gap", "0"}, "--gap takes a gap of more than 0 mm"},
        {"negative border", {"--weed-border", "-1"}, "--weed-border takes a distance"},
        {"no copies", {"--copies", "0"}, "--copies takes a whole number from 1 to 1000"},
        {"copies not a number", {"--copies", "2x"}, "--copies"},
        {"weed lines too close", {"--weed-lines", "0.5"}, "1 mm or more"},
        {"overlap of 0", {"--tile", "0"}, "--tile takes an overlap of more than 0 mm"},
        {"rotate by 45", {"--rotate", "45"}, "0, 90 or auto"},
        {"one margin", {"--margin", "5"}, "LEFT,TOP"},
        {"value missing", {"--media-width"}, "--media-width takes"},
        {"given twice", {"--copies", "2", "--copies", "3"}, "once"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::vector<std::string> args{"tarnik-cli", "cut"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.push_back("design.plt");
        cli::MediaLayoutOverride layout;
        std::string error;
        const bool taken = cli::TakeMediaLayoutArgs(args, layout, error);
        EXPECT_EQ(taken, std::string(c.error).empty()) << error;
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
        if (taken) {
            EXPECT_EQ(args, (std::vector<std::string>{"tarnik-cli", "cut", "design.plt"}));
            MediaLayoutOptions options;
            layout.ApplyTo(options);
            EXPECT_EQ(options.Rotate, RotateChoice::Automatic);
            EXPECT_TRUE(options.Mirror);
            EXPECT_EQ(options.MarginTop, 10.0);
            EXPECT_EQ(options.Copies, 4);
            EXPECT_EQ(options.WeedLineDirection, WeedDirection::Across);
            EXPECT_EQ(options.TileOverlap, 30.0);
        }
    }
}

TEST(StripJobs, NumbersEachStripsFileBeforeItsExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"banner.plt", "banner-2.plt"},
        {"out/banner", "out/banner-2"},
        {"out.d/banner", "out.d/banner-2"},
        {"out\\v1.2\\job.nva", "out\\v1.2\\job-2.nva"},
        {".job", ".job-2"},
    };
    for (const auto& [path, numbered] : cases) {
        EXPECT_EQ(StripOutputPath(path, 2), numbered) << path;
    }
}

TEST(MediaLayoutCli, PlacesRefusesAndTiles) {
    ScratchFolder folder;
    const std::string settings = SampleFile("tarnik.ini");
    const std::string plot = SampleFile("sign.plt");
    auto cut = [&](std::vector<std::string> extra, const std::string& output) {
        std::vector<std::string> args{"cut", "--settings", settings, "-o", folder.File(output)};
        args.insert(args.end(), extra.begin(), extra.end());
        args.push_back(plot);
        return RunTool(args);
    };
    // Nothing asked: the bytes of today's job; a margin of 0 asks nothing.
    ASSERT_EQ(cut({}, "plain.job").status, cli::kExitOk);
    ASSERT_EQ(cut({"--margin", "0,0"}, "zero.job").status, cli::kExitOk);
    EXPECT_EQ(ReadWholeFile(folder.File("zero.job")), ReadWholeFile(folder.File("plain.job")));
    // The sample is 290 mm across.
    const testing::CliResult narrow = cut({"--media-width", "200"}, "narrow.job");
    EXPECT_EQ(narrow.status, cli::kExitRefused);
    EXPECT_NE(narrow.err.find("The job is 290.0 mm wide but the media only 200.0 mm"),
              std::string::npos)
        << narrow.err;
    EXPECT_FALSE(std::filesystem::exists(folder.File("narrow.job")));
    EXPECT_EQ(cut({"--copies", "0"}, "none.job").status, cli::kExitUsage);
    // 290 mm on 120 mm media sharing 20 mm: strips advance 100 mm, so three,
    // each placing the plot file again and leaving it as it was.
    const std::string drawn = ReadWholeFile(plot);
    const testing::CliResult tiled = cut({"--media-width", "120", "--tile", "20"}, "banner.job");
    ASSERT_EQ(tiled.status, cli::kExitOk) << tiled.err;
    for (const char* strip : {"banner-1.job", "banner-2.job", "banner-3.job"}) {
        EXPECT_TRUE(std::filesystem::exists(folder.File(strip))) << strip;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.File("banner-4.job")));
    EXPECT_EQ(ReadWholeFile(plot), drawn);
}

}  // namespace
}  // namespace tarnik
