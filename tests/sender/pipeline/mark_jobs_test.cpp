// Registration-mark jobs: pen filter, mark header values, band-limit points.
#include "sender/pipeline/mark_jobs.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "tests/sender/pipeline/transform_test_paths.h"

namespace tarnik {
namespace {

using testing::LoadPath;
using testing::Points;
using testing::ReadPath;

TEST(MarkJobsPenFilter, FlagFollowsTheMarkPen) {
    struct Case {
        const char* label;
        PenFilterVariant variant;
        bool cut_image_mode;
        uint8_t flag_color;
        char pen_digit;
        bool before;
        bool after;
    };
    const PenFilterVariant hpgl = PenFilterVariant::Hpgl;
    const PenFilterVariant dmpl = PenFilterVariant::Dmpl;
    const Case cases[] = {
        {"HPGL blue marks: pen 2 left out", hpgl, false, 1, '2', false, true},
        {"HPGL blue marks: pen 1 cut", hpgl, false, 1, '1', true, false},
        {"HPGL red marks: pen 3 left out", hpgl, false, 2, '3', false, true},
        {"HPGL red marks: pen 2 cut", hpgl, false, 2, '2', true, false},
        {"HPGL no mark colour keeps the flag set", hpgl, false, 0, '1', true, true},
        {"HPGL no mark colour keeps the flag clear", hpgl, false, 0, '2', false, false},
        {"HPGL ignores the mark mode", hpgl, true, 1, '2', false, true},
        {"HPGL SP without digit", hpgl, false, 1, 0, true, false},
        {"DM/PL mark mode: pen 2 left out", dmpl, true, 1, '2', false, true},
        {"DM/PL mark mode: other pen cut", dmpl, true, 1, '5', true, false},
        {"DM/PL mark mode, no colour keeps flag", dmpl, true, 0, '1', true, true},
        {"DM/PL without mark mode clears", dmpl, false, 1, '2', true, false},
        {"DM/PL without mark mode, no colour clears", dmpl, false, 0, '1', true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(ApplyPenFilter(c.variant, c.cut_image_mode, c.flag_color, c.pen_digit, c.before),
                  c.after);
    }
}

PlotExtent Extent(int32_t min_x, int32_t min_y, int32_t max_x, int32_t max_y) {
    PlotExtent extent;
    extent.MinX = min_x;
    extent.MinY = min_y;
    extent.MaxX = max_x;
    extent.MaxY = max_y;
    return extent;
}

TEST(MarkJobsHeader, SpansAndParameters) {
    struct Case {
        const char* label;
        PlotExtent extent;
        int32_t a, b;
        MarkHeaderValues expected;
    };
    const Case cases[] = {
        {"ordinary design", Extent(100, 200, 5100, 10200), 7, 3, {10000, 5000, 7, 3}},
        {"job without marks", Extent(0, 0, 300, 400), 0, 0, {400, 300, 0, 0}},
        {"spans beyond 32 bits saturate",
         Extent(INT32_MIN, -5, INT32_MAX, 5),
         1,
         1,
         {10, INT32_MAX, 1, 1}},
        {"empty extent gives zero spans", PlotExtent{}, 4, 2, {0, 0, 4, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const MarkHeaderValues v = MakeMarkHeaderValues(c.extent, c.a, c.b);
        EXPECT_EQ(v.height_span, c.expected.height_span);
        EXPECT_EQ(v.width_span, c.expected.width_span);
        EXPECT_EQ(v.param_a, c.expected.param_a);
        EXPECT_EQ(v.param_b, c.expected.param_b);
    }
}

TEST(MarkJobsBands, InsertsPointsAtBandLimits) {
    struct Case {
        const char* label;
        Points in;
        PlotExtent extent;
        int32_t mark_param_b;
        Points expected;
    };
    const PlotExtent height_10000 = Extent(0, 0, 3000, 10000);  // step 2500 with 3
    const Case cases[] = {
        {"segment running up",
         {{1000, 0}, {9000, 800}},
         height_10000,
         3,
         {{1000, 0}, {2500, 150}, {5000, 400}, {7500, 650}, {9000, 800}}},
        {"segment running down gets falling X",
         {{9000, 800}, {1000, 0}},
         height_10000,
         3,
         {{9000, 800}, {7500, 650}, {5000, 400}, {2500, 150}, {1000, 0}}},
        {"constant X never split",
         {{5000, 0}, {5000, 3000}},
         height_10000,
         3,
         {{5000, 0}, {5000, 3000}}},
        {"X extent 157 not split",
         {{2400, 0}, {2557, 10}},
         height_10000,
         3,
         {{2400, 0}, {2557, 10}}},
        {"X extent 158 split",
         {{2400, 0}, {2558, 158}},
         height_10000,
         3,
         {{2400, 0}, {2500, 100}, {2558, 158}}},
        {"limit on an end point adds nothing",
         {{2500, 0}, {5000, 10}},
         height_10000,
         3,
         {{2500, 0}, {5000, 10}}},
        {"several segments",
         {{0, 0}, {3000, 0}, {3000, 3000}, {0, 3000}},
         height_10000,
         3,
         {{0, 0}, {2500, 0}, {3000, 0}, {3000, 3000}, {2500, 3000}, {0, 3000}}},
        {"no mark rows: no split",
         {{1000, 0}, {9000, 800}},
         height_10000,
         0,
         {{1000, 0}, {9000, 800}}},
        {"step 0: no split",
         {{1000, 0}, {9000, 800}},
         Extent(0, 0, 10, 3),
         5,
         {{1000, 0}, {9000, 800}}},
        // Bands under 10 mm (314.96 units) are refused by the job driver; a
        // split that meets one anyway adds nothing.
        {"bands of 315 units split",
         {{0, 0}, {700, 700}},
         Extent(0, 0, 10, 3150),
         9,
         {{0, 0}, {315, 315}, {630, 630}, {700, 700}}},
        {"bands of 314 units: no split",
         {{0, 0}, {700, 700}},
         Extent(0, 0, 10, 3140),
         9,
         {{0, 0}, {700, 700}}},
        {"empty extent: no split",
         {{1000, 0}, {9000, 800}},
         PlotExtent{},
         3,
         {{1000, 0}, {9000, 800}}},
        // Y interpolated in double: the product of the two spans would
        // overflow 32 bits.
        {"large design",
         {{0, 0}, {2000000000, 2000000000}},
         Extent(0, 0, 1, 2000000000),
         1,
         {{0, 0}, {1000000000, 1000000000}, {2000000000, 2000000000}}},
        {"negative Y interpolation truncates toward zero",
         {{0, 0}, {3000, -1}},
         height_10000,
         3,
         {{0, 0}, {2500, 0}, {3000, -1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CutPath path;
        LoadPath(path, c.in);
        SplitAtBands(path, c.extent, c.mark_param_b);
        EXPECT_EQ(ReadPath(path), c.expected);
    }
}

// Over generated paths: every point as read stays, every added point lies on
// a band limit strictly inside its segment's X range, and each segment is
// passed in monotone X order.
TEST(MarkJobsBands, GeneratedPathsGainOnlyBandLimitPoints) {
    std::mt19937 rng(515);
    std::uniform_int_distribution<int32_t> coordinate(-2000, 30000);
    std::uniform_int_distribution<int32_t> rows(1, 12);
    for (int i = 0; i < 5000; ++i) {
        Points in;
        const int n = 2 + static_cast<int>(rng() % 30);
        for (int k = 0; k < n; ++k) in.push_back({coordinate(rng), coordinate(rng)});
        const PlotExtent extent = Extent(0, 0, 100, 30000);
        const int32_t b = rows(rng);
        const int64_t step = 30000 / (b + 1);
        CutPath path;
        LoadPath(path, in);
        SplitAtBands(path, extent, b);
        const Points out = ReadPath(path);
        SCOPED_TRACE(i);
        size_t at = 0;
        for (size_t k = 0; k + 1 < in.size(); ++k) {
            ASSERT_EQ(out[at], in[k]);
            const bool up = in[k].x < in[k + 1].x;
            int32_t previous = in[k].x;
            for (++at; out[at] != in[k + 1]; ++at) {
                ASSERT_EQ(out[at].x % step, 0) << out[at];
                EXPECT_GT(std::abs(int64_t{in[k + 1].x} - in[k].x), 157);
                EXPECT_TRUE(up ? out[at].x > previous : out[at].x < previous) << out[at];
                previous = out[at].x;
            }
            EXPECT_TRUE(up ? in[k + 1].x > previous : in[k + 1].x <= previous);
        }
        EXPECT_EQ(at + 1, out.size());
    }
}

}  // namespace
}  // namespace tarnik
