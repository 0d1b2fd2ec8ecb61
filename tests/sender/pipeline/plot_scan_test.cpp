// The pre-scan for the design's extent, and the mapping into the plotter
// frame.
#include <gtest/gtest.h>

#include <string>

#include "sender/pipeline/plot_reader.h"
#include "support/test_files.h"

namespace tarnik {
namespace {

using testing::ScratchFolder;
using testing::WriteWholeFile;

bool Scan(const std::string& text, PlotExtent& extent) {
    ScratchFolder folder;
    const std::string file = folder.File("job.plt");
    WriteWholeFile(file, text);
    return ScanPlotFile(file.c_str(), extent);
}

// A top-level command of exactly `length` stored characters, ";" included,
// with CR LF pairs in between that do not count.
std::string TopLevelCommand(size_t length) {
    std::string command = "SP1,";
    while (command.size() < length - 1) command += "0";
    return command.insert(2, "\r\n") + ";";
}

TEST(ScanPlotFile, MeasuresEveryPairOfEveryPath) {
    struct Case {
        const char* label;
        const char* text;
        PlotExtent expected;
    };
    const Case cases[] = {
        {"paths and ignored commands",
         "IN;SP1;PU10,20;PD30,-5;PU-7,8;PD0,0;SP2;",
         {-7, -5, 30, 20, 37, 25}},
        {"every pair of PU and PD", "PU1,2,100,3;PD4,5,6,-50;", {1, -50, 100, 5, 99, 55}},
        {"PD outside a run is not measured", "PD500,500;PU0,0;", {0, 0, 0, 0, 0, 0}},
        {"lone number not measured", "PU0,0;PD1,2,900;", {0, 0, 1, 2, 1, 2}},
        {"text after the last semicolon", "PU0,0;PD5,6", {0, 0, 5, 6, 5, 6}},
        {"full 32-bit range saturates",
         "PU-2147483648,2147483647;PD2147483647,-2147483648;",
         {-2147483647 - 1, -2147483647 - 1, 2147483647, 2147483647, 2147483647, 2147483647}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        PlotExtent extent;
        ASSERT_TRUE(Scan(c.text, extent));
        EXPECT_EQ(extent.MinX, c.expected.MinX);
        EXPECT_EQ(extent.MinY, c.expected.MinY);
        EXPECT_EQ(extent.MaxX, c.expected.MaxX);
        EXPECT_EQ(extent.MaxY, c.expected.MaxY);
        EXPECT_EQ(extent.Width, c.expected.Width);
        EXPECT_EQ(extent.Height, c.expected.Height);
    }
}

TEST(ScanPlotFile, ReadsNumbersOfEveryLength) {
    // One to ten digits, both signs, ending at "," ";" "." and line ends (at
    // most eleven characters): short and long numbers take different roads
    // through the reader.
    const char* const digits = "1987654321";
    for (int length = 1; length <= 10; ++length) {
        const std::string text(digits, static_cast<size_t>(length));
        const int64_t value = std::stoll(text);
        if (value > INT32_MAX)
            continue;
        SCOPED_TRACE(text);
        PlotExtent extent;
        std::string file = "PU0,0;PD-";
        file.append(text).append(",").append(text).append(";PD").append(text);
        file.append(".,-").append(text).append("\r\n;");
        ASSERT_TRUE(Scan(file, extent));
        EXPECT_EQ(extent.MinX, -value);
        EXPECT_EQ(extent.MaxX, value);
        EXPECT_EQ(extent.MinY, -value);
        EXPECT_EQ(extent.MaxY, value);
    }
}

TEST(ScanPlotFile, FileWithoutPointsKeepsTheNoneValues) {
    PlotExtent extent;
    ASSERT_TRUE(Scan("IN;SP1;PU;SP0;", extent));
    EXPECT_TRUE(extent.IsEmpty());
}

TEST(ScanPlotFile, RefusesMalformedFilesAndLeavesTheExtent) {
    const std::string long_run_command = "PU0,0;PD1,1;LB" + std::string(5000, 'x') + ";";
    struct Case {
        const char* label;
        std::string text;
        bool ok;
    };
    const Case cases[] = {
        {"48 characters at top level", TopLevelCommand(48), true},
        {"49 characters at top level", TopLevelCommand(49), false},
        {"48 characters without a semicolon at the end", TopLevelCommand(49).substr(0, 50), true},
        {"long command inside a run", long_run_command, true},
        {"12-character number", "PU000000000001,0;", false},
        {"value beyond 32 bits", "PU0,0;PD0,-2147483649;", false},
        {"IW without a comma", "IW7000;", false},
        {"IW with a comma", "IW0,0,7000,5000;", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        PlotExtent extent;
        extent.MinX = 77;
        EXPECT_EQ(Scan(c.text, extent), c.ok);
        if (!c.ok) {
            EXPECT_EQ(extent.MinX, 77);
        }
    }
}

TEST(ScanPlotFile, MissingFileFails) {
    ScratchFolder folder;
    PlotExtent extent;
    EXPECT_FALSE(ScanPlotFile(folder.File("absent.plt").c_str(), extent));
}

TEST(MapPlotPoint, MapsAndScales) {
    struct Case {
        const char* label;
        PlotMapping mapping;
        int64_t input_x, input_y;
        bool ok;
        int32_t x, y;
    };
    const Case cases[] = {
        {"top 1000, origin 50", {50, 1000}, 150, 400, true, 600, 100},
        {"below the top goes negative", {0, 0}, 0, 10, true, -10, 0},
        {"difference beyond 32 bits", {-2147483647 - 1, 0}, 2147483647, 0, false, 0, 0},
        {"hpgl keeps plotter units", {0, 3150, true, 2.0f, 0.5f}, 3150, 0, true, 3150, 3150},
        {"hpgl zero divisor", {0, 0, true, 0.0f, 1.0f}, 10, 0, false, 0, 0},
        {"hpgl zero over zero", {0, 0, true, 1.0f, 0.0f}, 0, 0, false, 0, 0},
        {"hpgl beyond 32 bits", {0, 0, true, 1e-9f, 1.0f}, 2147483647, 0, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        int32_t x = 7;
        int32_t y = 7;
        ASSERT_EQ(MapPlotPoint(c.mapping, c.input_x, c.input_y, x, y), c.ok);
        if (c.ok) {
            EXPECT_EQ(x, c.x);
            EXPECT_EQ(y, c.y);
        }
    }
}

}  // namespace
}  // namespace tarnik
