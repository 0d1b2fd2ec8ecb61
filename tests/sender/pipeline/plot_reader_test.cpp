// The encoders' pass over plot files: path formation, mapping, pen and line
// type events, and malformed data.
#include "sender/pipeline/plot_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "sender/pipeline/path_model.h"
#include "support/test_files.h"

namespace tarnik {
namespace {

using testing::ScratchFolder;
using testing::WriteWholeFile;

// "(x,y)" as the trace writes a point (built with snprintf: chains of
// string + to_string trip a false -Wrestrict warning of GCC 12).
std::string Point(long long x, long long y) {
    char text[64];
    std::snprintf(text, sizeof text, "(%lld,%lld)", x, y);
    return text;
}

// "x,y" as a plot file writes a pair.
std::string Pair(long long x, long long y) {
    return Point(x, y).substr(1, Point(x, y).size() - 2);
}

// Reads a whole file and writes every event as text: "(x,y)(x,y)|" for a
// path, "SP2|", "LT1|" / "LT0|", and "end" or "error" last.
std::string Trace(const std::string& text, PlotMapping mapping = {}, char leave_out_pen = 0,
                  int32_t* feed_x = nullptr) {
    ScratchFolder folder;
    const std::string file = folder.File("job.plt");
    WriteWholeFile(file, text);
    CutPath path;
    PlotPathReader reader(path, mapping);
    if (!reader.Open(file.c_str()))
        return "cannot open";
    std::string trace;
    for (int guard = 0; guard < 100000; ++guard) {
        switch (reader.Next()) {
            case PlotPathReader::Event::PathReady:
                EXPECT_EQ(path.count, path.Length());
                for (const PathPoint* p = path.head; p; p = p->next) {
                    trace += Point(p->x, p->y);
                }
                trace += "|";
                path.Release();
                break;
            case PlotPathReader::Event::PenSelect:
                trace += std::string("SP") + (reader.PenDigit() ? reader.PenDigit() : '-') + "|";
                reader.SetLeaveOut(leave_out_pen != 0 && reader.PenDigit() == leave_out_pen);
                break;
            case PlotPathReader::Event::LineType:
                trace += reader.LineTypeHasNumber() ? "LT1|" : "LT0|";
                break;
            case PlotPathReader::Event::End:
                if (feed_x)
                    *feed_x = reader.FeedX();
                return trace + "end";
            case PlotPathReader::Event::DataError:
                EXPECT_EQ(path.count, 0);
                return trace + "error";
        }
    }
    return trace + "stalled";
}

struct TraceCase {
    const char* label;
    const char* text;
    const char* expected;
};

// Each case is read twice: as it is, near the end of the file where the
// reader must take every byte with the full rules, and followed by commands
// that change nothing, so that its commands sit well inside the input buffer
// where plain pairs are read the quick way.
void CheckTraces(const TraceCase* cases, size_t count) {
    std::string padding = ";";
    for (int i = 0; i < 12; ++i) padding += "IN;";
    for (size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(cases[i].label);
        EXPECT_EQ(Trace(cases[i].text), cases[i].expected);
        SCOPED_TRACE("followed by more commands");
        EXPECT_EQ(Trace(cases[i].text + padding), cases[i].expected);
    }
}

TEST(PlotPathReader, FormsPathsAsTheDrawingProgramWritesThem) {
    const TraceCase cases[] = {
        {"repeated point neither stored nor counted", "PU100,200;PD100,200;PD300,200;",
         "(-200,100)(-200,300)|end"},
        {"PU after a path opens the next one at once", "PU0,0;PD1,0;PU5,5;PD6,6;",
         "(0,0)(0,1)|(-5,5)(-6,6)|end"},
        {"PD after SP is outside any path", "PU1,1;SP2;PD5,5;", "(-1,1)|SP2|end"},
        {"PU without a point opens nothing", "PU;PD5,5;", "end"},
        {"fraction truncates toward zero", "PU12.7,-30.9;", "(30,12)|end"},
        {"CR LF inside a command", "P\r\nU1\r\n2,3\r\n4;\r\nPD2,\r\n0;\r\n", "(-34,12)(0,2)|end"},
        {"other commands ignored, lower case too", "IN;PA;VS5;PU0,0;pd9,9;", "(0,0)|end"},
        {"any second-character D continues the run", "PU0,0;XD1,1;", "(0,0)(-1,1)|end"},
        {"LT with and without a number", "LT2;LT;LT 3;", "LT1|LT0|LT1|end"},
        {"SP without a digit", "SP;", "SP-|end"},
        {"empty file", "", "end"},
        {"only line ends", "\r\n\r\n", "end"},
    };
    CheckTraces(cases, std::size(cases));
}

TEST(PlotPathReader, UsesEveryCoordinatePair) {
    const TraceCase cases[] = {
        {"PD with several pairs", "PU0,0;PD1,2,3,4;", "(0,0)(-2,1)(-4,3)|end"},
        {"blanks separate like commas", "PU 10 20;PD 30 , 40;", "(-20,10)(-40,30)|end"},
        {"duplicate rule per pair", "PU1,1;PD1,1,1,1,2,2,2,2;", "(-1,1)(-2,2)|end"},
        {"PU moves through its pairs and opens at the last", "PU1,1,2,2,3,3;PD4,4;",
         "(-3,3)(-4,4)|end"},
        {"lone trailing number ignored", "PU0,0;PD1,2,3;PD5;PD6,7;", "(0,0)(-2,1)(-7,6)|end"},
        {"PU with one number opens nothing", "PU5;PD1,1;", "end"},
        {"D command without a point passed over", "PU0,0;PD;PD,;PD1,1;", "(0,0)(-1,1)|end"},
        {"text after the last semicolon is a command", "PU0,0;PD5,5", "(0,0)(-5,5)|end"},
        {"unterminated tail ends with line ends", "PU0,0;PD5,5\r\n", "(0,0)(-5,5)|end"},
        {"near misses of the plain one-pair command",
         "PU0,0;PD1,2\r\n;PD+3,4;PD-5,-6,7,8;PD9,10.5;PD11 12;PD12345678,87654321;",
         "(0,0)(-2,1)(-4,3)(6,-5)(-8,7)(-10,9)(-12,11)(-87654321,12345678)|end"},
    };
    CheckTraces(cases, std::size(cases));
}

// Run points of every width from 1 to 10 digits, either sign, for x and y:
// the quick reading of short numbers must agree with the full rules at the
// widths where it hands over (8 digits, a ";" beyond the 16th byte).
TEST(PlotPathReader, ReadsRunPointsOfEveryWidth) {
    const auto number = [](int width, bool negative) {
        const long long magnitude =
            width == 10 ? 2147483647LL : std::stoll(std::string("987654321").substr(0, width));
        return negative ? -magnitude : magnitude;
    };
    for (const char* line_end : {"", "\r\n"}) {
        SCOPED_TRACE(*line_end ? "CR LF after each command" : "commands back to back");
        std::string text = "PU0,0;";
        std::string expected = "(0,0)";
        for (int x_width = 1; x_width <= 10; ++x_width) {
            for (int y_width = 1; y_width <= 10; ++y_width) {
                for (int signs = 0; signs < 4; ++signs) {
                    const long long x = number(x_width, (signs & 1) != 0);
                    const long long y = number(y_width, (signs & 2) != 0);
                    text += "PD" + Pair(x, y) + ";" + line_end;
                    expected += Point(-y, x);
                }
            }
        }
        EXPECT_EQ(Trace(text + "PU;"), expected + "|end");
    }
}

// Commands that look like the drawing program's one-pair command for their
// first bytes: each is read with the full rules in the middle of a run.
TEST(PlotPathReader, ReadsNearlyPlainRunPoints) {
    const TraceCase cases[] = {
        {"third number", "PU0,0;PD12,34,56;PD7,8;", "(0,0)(-34,12)(-8,7)|end"},
        {"missing second number", "PU0,0;PD123,;PD7,8;", "(0,0)(-8,7)|end"},
        {"missing first number", "PU0,0;PD,5;PD7,8;", "(0,0)(-8,7)|end"},
        {"blank before the semicolon", "PU0,0;PD1234,5678 ;PD7,8;", "(0,0)(-5678,1234)(-8,7)|end"},
        {"letter inside the second number", "PU0,0;PD1234,56x8;PD7,8;",
         "(0,0)(-56,1234)(-8,7)|end"},
        {"plus sign on the second number", "PU0,0;PD1,+2;PD7,8;", "(0,0)(-2,1)(-8,7)|end"},
        {"eight-digit second number", "PU0,0;PD1,12345678;PD7,8;", "(0,0)(-12345678,1)(-8,7)|end"},
        {"semicolon in the 17th byte", "PU0,0;PD1234567,12345678;PD7,8;",
         "(0,0)(-12345678,1234567)(-8,7)|end"},
        {"other first character", "PU0,0;XD1,2;PD7,8;", "(0,0)(-2,1)(-8,7)|end"},
        {"lower-case d ends the run", "PU0,0;pd1,2;PD7,8;", "(0,0)|end"},
        {"other command ends the run", "PU0,0;PD1,2;PA3,4;PD5,6;", "(0,0)(-2,1)|end"},
    };
    std::string tail;
    for (int i = 0; i < 6; ++i) tail += "PD7,8;";
    for (const TraceCase& c : cases) {
        SCOPED_TRACE(c.label);
        // Enough run points behind it for the batched reading; they repeat
        // the case's last point, so they add nothing to the path.
        EXPECT_EQ(Trace(std::string(c.text) + tail + "PU;"), c.expected);
    }
}

TEST(PlotPathReader, RefusesMalformedData) {
    const TraceCase cases[] = {
        {"12-character number", "PU0,0;PD100000000000,1;", "error"},
        {"11-character number fits", "PU-2147483648,0;", "(0,-2147483648)|end"},
        {"value beyond 32 bits", "PU0,0;PD2147483648,0;", "error"},
        {"mapped point beyond 32 bits", "PU0,-2147483648;", "error"},
        {"IW without a comma", "IW5000;PU0,0;", "error"},
        {"bare IW", "IW;", "error"},
        {"IW without a number after its comma", "IW0,;", "error"},
        {"error ends a path without handing it out", "PU0,0;PD1,1;PD1234567890123,0;", "error"},
        // Enough bytes behind the points for the batched run-point reading.
        {"run points at the 32-bit limits fit",
         "PU0,0;PD2147483647,-2147483647;PD-2147483648,-1000000;PD9999999,0;IN;IN;IN;IN;",
         "(0,0)(2147483647,2147483647)(1000000,-2147483648)(0,9999999)|end"},
        {"run point beyond 32 bits", "PU0,0;PD1,1;PD2147483648,0;IN;IN;IN;IN;IN;IN;", "error"},
        {"run point below 32 bits", "PU0,0;PD1,1;PD-2147483649,0;IN;IN;IN;IN;IN;IN;", "error"},
    };
    CheckTraces(cases, std::size(cases));
}

TEST(PlotPathReader, ReadsLongCommandsInsideARun) {
    std::string pairs;
    std::string expected = "(0,0)";
    for (int i = 1; i <= 2000; ++i) {
        pairs += (i > 1 ? "," : "");
        pairs += Pair(i, -i);
        expected += Point(i, i);
    }
    const std::string label(5000, 'x');
    EXPECT_EQ(Trace("PU0,0;PD" + pairs + ";LB" + label + ";"), expected + "|end");
}

TEST(PlotPathReader, CrossesInputBufferBoundaries) {
    // Numbers straddle the 64 KiB refills at shifting offsets.
    std::string text = "PU0,0;";
    std::string expected = "(0,0)";
    for (int i = 1; i <= 30000; ++i) {
        text += "PD";
        text += Pair(i, 7);
        text += ";\r\n";
        expected += Point(-7, i);
    }
    EXPECT_EQ(Trace(text), expected + "|end");
}

TEST(PlotPathReader, MapsIntoThePlotterFrame) {
    PlotMapping mapping;
    mapping.YTop = 1000;
    mapping.XOrigin = 50;
    EXPECT_EQ(Trace("PU150,400;", mapping), "(600,100)|end");
    EXPECT_EQ(Trace("IW0,0,7000,5000;PU150,400;", mapping), "(4600,100)|end");
    EXPECT_EQ(Trace("IW 0 0 7000 5000 ;PU150,400;", mapping), "(4600,100)|end");
}

// HPGL jobs are reworked in plotter units; only the paper feed is measured
// in the HPGL frame.
TEST(PlotPathReader, HpglJobsKeepPlotterUnitsAndFeedInTheHpglFrame) {
    PlotMapping mapping;
    mapping.YTop = 3150;
    mapping.hpgl_scale = true;
    int32_t feed_x = -1;
    EXPECT_EQ(Trace("IN;IW0,0,3150,3150;SP1;PU0,0;PD3150,0;PD3150,3150;PD0,3150;PD0,0;PU0,0;",
                    mapping, 0, &feed_x),
              "SP1|(3150,0)(3150,3150)(0,3150)(0,0)(3150,0)|(3150,0)|end");
    EXPECT_EQ(feed_x, 100);
}

// A plot file at another resolution is read into 800 units per inch: its
// points and its "IW" top, rounded to the nearest unit.
TEST(PlotPathReader, ReadsOtherResolutionsInto800UnitsPerInch) {
    const struct {
        const char* label;
        int32_t units_per_inch;
        const char* text;
        const char* expected;
    } cases[] = {
        {"1016: 100 mm is 4000 units", 1016, "PU0,0;PD4000,0;PD4000,-4000;",
         "(0,0)(0,3150)(3150,3150)|end"},
        {"the IW top too", 1016, "IW0,0,4000,4000;PU0,4000;PD0,0;", "(0,0)(3150,0)|end"},
        {"halves round away from zero", 1600, "PU1,-1;PD3,-3;", "(1,1)(2,2)|end"},
        {"800 reads as written", 800, "PU1,-1;PD3,-3;", "(1,1)(3,3)|end"},
        {"a point beyond 32 bits once read", 400, "PU0,0;PD2000000000,0;", "error"},
        {"no resolution", 0, "PU0,0;PD1,0;", "error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        PlotMapping mapping;
        mapping.UnitsPerInch = c.units_per_inch;
        EXPECT_EQ(Trace(c.text, mapping), c.expected);
    }
}

TEST(PlotPathReader, LeavesOutTheFilteredPen) {
    EXPECT_EQ(Trace("SP1;PU0,0;PD1,1;SP2;PU5,5;PD6,6;PD7,7;SP1;PU9,9;", {}, '2'),
              "SP1|(0,0)(-1,1)|SP2|SP1|(-9,9)|end");
    // A left-out run is still checked.
    EXPECT_EQ(Trace("SP2;PU5,5;PD1,99999999999;", {}, '2'), "SP2|error");
}

TEST(PlotPathReader, FeedXIsTheFurthestPointOfTheJob) {
    PlotMapping mapping;
    mapping.YTop = 100;
    int32_t feed_x = -1;
    EXPECT_EQ(Trace("PU0,90;PD0,10;PD0,20;PU0,50;", mapping, 0, &feed_x),
              "(10,0)(90,0)(80,0)|(50,0)|end");
    EXPECT_EQ(feed_x, 90);
    EXPECT_EQ(Trace("PU0,100;", mapping, 0, &feed_x), "(0,0)|end");
    EXPECT_EQ(feed_x, 0);
}

TEST(PlotPathReader, MissingFileCannotBeOpened) {
    ScratchFolder folder;
    CutPath path;
    PlotMapping mapping;
    PlotPathReader reader(path, mapping);
    EXPECT_FALSE(reader.Open(folder.File("absent.plt").c_str()));
}

}  // namespace
}  // namespace tarnik
