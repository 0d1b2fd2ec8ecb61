// DM/PL command text: plain and dashed paths, mark header and trailers, on
// hand-built paths.
#include "sender/pipeline/dmpl_writers.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tarnik {
namespace {

using Points = std::vector<std::pair<int32_t, int32_t>>;

void Build(CutPath& path, const Points& points) {
    path.Open(points[0].first, points[0].second);
    for (std::size_t i = 1; i < points.size(); ++i) {
        path.Append(points[i].first, points[i].second);
    }
}

TEST(DmplWriters, PlainPaths) {
    struct Case {
        const char* label;
        Points points;
        const char* expected;
    } cases[] = {
        {"one point: only the move", {{5, 6}}, "U5,6 "},
        {"two points: move and a cut of its own, no path end", {{0, 0}, {10, 20}}, "U0,0 D10,20 "},
        {"three points: one cut, continued, path end",
         {{0, 0}, {10, 0}, {10, 10}},
         "U0,0 D10,0,10,10 "},
        {"closed square",
         {{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}, {0, 0}},
         "U0,0 D1000,0,1000,1000,0,1000,0,0 "},
        {"negative coordinates", {{-5, 7}, {3, -9}}, "U-5,7 D3,-9 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CutPath path;
        Build(path, c.points);
        StringCommandOutput out;
        DmplWriter().PlainPath(out, path);
        EXPECT_EQ(out.Text(), c.expected);
    }
}

TEST(DmplWriters, DashedPaths) {
    struct Case {
        const char* label;
        Points points;
        float solid_mm;
        float gap_mm;
        const char* expected;
    } cases[] = {
        {"1.0/1.0: change points truncated, last piece in the gap state",
         {{0, 0}, {100, 0}},
         1.0f,
         1.0f,
         "U0,0 D31,0 U62,0 D93,0 U100,0 "},
        {"2.0/1.0", {{0, 0}, {200, 0}}, 2.0f, 1.0f, "U0,0 D62,0 U93,0 D155,0 U186,0 D200,0 "},
        {"segments under 0.2 mm are cut whole",
         {{0, 0}, {5, 0}, {10, 0}, {15, 0}},
         1.0f,
         1.0f,
         "U0,0 D5,0 D10,0 D15,0 "},
        {"a segment under 0.2 mm between longer ones: cut whole in the gap, measuring restarts",
         {{0, 0}, {40, 0}, {45, 0}, {85, 0}},
         1.0f,
         1.0f,
         "U0,0 D31,0 U40,0 D45,0 U76,0 D85,0 "},
        // The dash ends 0.496 units past (31,0): it is written there, and
        // the gap is measured from (31,0) along the same segment.
        {"a change point truncated onto the current point is written there",
         {{0, 0}, {31, 0}, {100, 0}},
         1.0f,
         1.0f,
         "U0,0 D31,0 D31,0 U62,0 D93,0 U100,0 "},
        // Every gap of 0.31 units ends on its start, but each dash gets off
        // it: the walk goes on.
        {"a gap under one unit ends on its start, the dashes go on",
         {{0, 0}, {100, 0}},
         1.0f,
         0.01f,
         "U0,0 D31,0 U31,0 D62,0 U62,0 D93,0 U93,0 D100,0 "},
        {"a solid length of 0 falls back to the plain writer",
         {{0, 0}, {100, 0}, {100, 100}},
         0.0f,
         1.0f,
         "U0,0 D100,0,100,100 "},
        {"a negative gap falls back to the plain writer",
         {{0, 0}, {100, 0}},
         1.0f,
         -2.0f,
         "U0,0 D100,0 "},
        {"a dash shorter than one unit ends at the segment's end",
         {{0, 0}, {3, 3}, {6, 6}, {9, 9}},
         0.01f,
         0.01f,
         "U0,0 D3,3 D6,6 D9,9 "},
        {"a segment across the whole coordinate range is measured, not overflowed",
         {{-2147483647, -2147483647}, {2147483647, 2147483647}},
         1.0e8f,
         1.0e8f,
         "U-2147483647,-2147483647 D79619924,79619924 U2147483647,2147483647 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CutPath path;
        Build(path, c.points);
        StringCommandOutput out;
        DmplWriter().DashedPath(out, path, c.solid_mm, c.gap_mm);
        EXPECT_EQ(out.Text(), c.expected);
    }
}

// Every dash of a cut along an axis stays on the cut's line, and its ends
// lie the dash lengths along it (truncated toward zero), however far out the
// cut lies: 1.0/1.0 mm dashes are 31.496 units. Long cuts are checked for
// the line only.
TEST(DmplWriters, AxisParallelDashesStayOnTheirLine) {
    struct Case {
        const char* label;
        Points points;
        const char* expected;  // null: only the line is checked
    } cases[] = {
        {"vertical at x 5500, rising", {{5500, 0}, {5500, 1000}}, nullptr},
        {"vertical at x 5500, falling", {{5500, 1000}, {5500, 0}}, nullptr},
        {"horizontal at y 5500, rising", {{0, 5500}, {1000, 5500}}, nullptr},
        {"horizontal at y 5500, falling", {{1000, 5500}, {0, 5500}}, nullptr},
        {"vertical at x 5500, short",
         {{5500, 100}, {5500, 0}},
         "U5500,100 D5500,68 U5500,36 D5500,4 D5500,0 "},
        {"vertical at the largest x, rising",
         {{2147483647, 1500000000}, {2147483647, 1500000100}},
         "U2147483647,1500000000 D2147483647,1500000031 U2147483647,1500000062 "
         "D2147483647,1500000093 U2147483647,1500000100 "},
        {"vertical far out, falling",
         {{-2000000000, -1500000000}, {-2000000000, -1500000100}},
         "U-2000000000,-1500000000 D-2000000000,-1500000031 U-2000000000,-1500000062 "
         "D-2000000000,-1500000093 U-2000000000,-1500000100 "},
        {"horizontal at the smallest y, rising",
         {{-2000000000, -2147483647}, {-1999999900, -2147483647}},
         "U-2000000000,-2147483647 D-1999999968,-2147483647 U-1999999936,-2147483647 "
         "D-1999999904,-2147483647 D-1999999900,-2147483647 "},
        {"horizontal far out, falling",
         {{2000000100, 2000000000}, {2000000000, 2000000000}},
         "U2000000100,2000000000 D2000000068,2000000000 U2000000036,2000000000 "
         "D2000000004,2000000000 D2000000000,2000000000 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CutPath path;
        Build(path, c.points);
        StringCommandOutput out;
        DmplWriter().DashedPath(out, path, 1.0f, 1.0f);
        const bool vertical = c.points[0].first == c.points[1].first;
        const std::string line = std::to_string(vertical ? c.points[0].first : c.points[0].second);
        // Every command is "U<x>,<y> " or "D<x>,<y> ".
        std::string text = out.Text();
        int commands = 0;
        for (std::size_t at = 0; at < text.size(); ++commands) {
            const std::size_t comma = text.find(',', at);
            const std::size_t blank = text.find(' ', at);
            ASSERT_NE(blank, std::string::npos);
            const std::string x = text.substr(at + 1, comma - at - 1);
            const std::string y = text.substr(comma + 1, blank - comma - 1);
            EXPECT_EQ(vertical ? x : y, line) << text.substr(at, blank - at);
            at = blank + 1;
        }
        EXPECT_GT(commands, 4);
        if (c.expected) {
            EXPECT_EQ(text, c.expected);
        }
    }
}

TEST(DmplWriters, TinyDashesOnLongSegmentsStillAdvance) {
    // 0.01 mm is 0.31 units: running away from zero, both a dash and a gap
    // truncate back onto the current point, so each state ends at the
    // segment's end instead of stalling the walk.
    CutPath path;
    Build(path, {{7, 7}, {500, 400}, {900, 700}});
    StringCommandOutput out;
    DmplWriter().DashedPath(out, path, 0.01f, 0.01f);
    EXPECT_EQ(out.Text(), "U7,7 D500,400 U900,700 ");
}

// A target that takes its first bytes, then refuses as a full disk does,
// counting what it was offered.
class FillingOutput : public CommandOutput {
  public:
    explicit FillingOutput(std::size_t room) : room_(room) { SetBuffer(buffer_, sizeof buffer_); }
    std::size_t Offered() {
        Drain();
        return offered_;
    }

  private:
    void Take(const char*, std::size_t length) override {
        offered_ += length;
        if (offered_ > room_) {
            Refuse();
        }
    }
    char buffer_[4096];
    std::size_t room_;
    std::size_t offered_ = 0;
};

TEST(DmplWriters, DashedPathStopsOnceTheTargetRefuses) {
    // 100 m in 0.2 mm dashes: some 25 MB of commands, of which a full
    // disk after 8 KB must be offered little more than one buffer.
    CutPath path;
    Build(path, {{0, 0}, {3149600, 0}});
    FillingOutput out(8192);
    DmplWriter().DashedPath(out, path, 0.2f, 0.2f);
    EXPECT_TRUE(out.Refused());
    EXPECT_LT(out.Offered(), 8192u + 2 * 4096u);
}

TEST(DmplWriters, MarkHeaderCarriesTheFourValuesInOrder) {
    StringCommandOutput out;
    DmplWriter().MarkHeader(out, MarkHeaderValues{10000, 500, 7, 3});
    EXPECT_EQ(out.Text(), "MK10000,500,7,3 ");
}

TEST(DmplWriters, Trailers) {
    struct Case {
        const char* label;
        uint8_t feed;
        float x_steps;
        float y_steps;
        const char* expected;
    } cases[] = {
        {"no paper feed", 0, 10.0f, 20.0f, "U0,0 @"},
        {"feed: YSTEPS first, both truncated", 1, 10.0f, 20.0f, "U0,0 GE; U629,314 @"},
        {"feed of nothing", 1, 0.0f, 0.0f, "U0,0 GE; U0,0 @"},
        {"absurd feed held in range", 1, 1e30f, -1e30f, "U0,0 GE; U-2147483648,2147483647 @"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SenderSettings settings;
        settings.CanFeedPaper = c.feed;
        settings.XSTEPS = c.x_steps;
        settings.YSTEPS = c.y_steps;
        StringCommandOutput out;
        AppendDmplTrailer(out, settings);
        EXPECT_EQ(out.Text(), c.expected);
    }
}

}  // namespace
}  // namespace tarnik
