// The SVG preview: one <path> per cut path plus one for the travel, drawn in
// millimetres with the paper feed running down the page.
#include "cli/svg_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "cli/cli_test_helpers.h"
#include "support/test_files.h"

namespace tarnik::testing {
namespace {

size_t CountOf(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

struct SvgCase {
    const char* label;
    const char* job;
    size_t path_elements;
    const char* must_contain;
};

TEST(SvgWriter, DrawsEveryCutPathAndTheTravel) {
    const SvgCase cases[] = {
        // Plotter x (feed) 629 units = 19.971 mm down, y 315 units = 10.001 mm across.
        {"DM/PL one cut, feed axis down", ";:H U0,0 D629,315 U0,0 @", 2, "M0 0L10.001 19.971"},
        {"DM/PL three cuts", ";:H U0,0 D9,9 U1,1 D5,5,6,6 U2,2 D3,3 U0,0 @", 4, "M0.032 0.032"},
        {"HPGL two squares", "PU0,0;PD10,0;PD10,10;PU20,20;PD30,20;PD30,30;PU230,0;!PG;", 3,
         "M0 0L0 10L10 10"},
        {"only travel", ";:H U5,5 U0,0 @", 1, "stroke-dasharray"},
        {"no paths at all", ";:H A L0 EC1 U @", 0, "viewBox=\"-2 -2 4 4\""},
    };
    for (const SvgCase& test : cases) {
        SCOPED_TRACE(test.label);
        cli::DecodedJob job;
        ASSERT_TRUE(cli::DecodeJob(test.job, job));
        const std::string svg = cli::RenderJobSvg(job);
        EXPECT_EQ(CountOf(svg, "<path "), test.path_elements) << svg;
        EXPECT_EQ(CountOf(svg, "class=\"cut\""), job.cut_paths);
        EXPECT_NE(svg.find(test.must_contain), std::string::npos) << svg;
        EXPECT_EQ(svg.rfind("</svg>\n"), svg.size() - 7);
    }
}

TEST(SvgWriter, PreviewCommandWritesThePictureOfACutJob) {
    ScratchFolder folder;
    const std::string job = folder.File("sign.job");
    const std::string svg = folder.File("sign.svg");
    ASSERT_EQ(RunTool({"cut", "--output", job, SampleFile("sign.plt")}).status, 0);
    const CliResult result = RunTool({"preview", job, "-o", svg});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string picture = ReadWholeFile(svg);
    // The sample's nine outlines and one travel path.
    EXPECT_EQ(CountOf(picture, "<path "), 10u);
    EXPECT_NE(result.out.find("9 cut paths"), std::string::npos) << result.out;
}

TEST(SvgWriter, PreviewRefusesFilesThatAreNoJobs) {
    ScratchFolder folder;
    const std::string svg = folder.File("x.svg");
    const std::string not_a_job = folder.File("x.txt");
    WriteWholeFile(not_a_job, "hello");
    for (const std::string& input : {not_a_job, folder.File("missing.job")}) {
        SCOPED_TRACE(input);
        const CliResult result = RunTool({"preview", input, "-o", svg});
        EXPECT_EQ(result.status, 1);
        EXPECT_FALSE(FileExists(svg));
    }
}

}  // namespace
}  // namespace tarnik::testing
