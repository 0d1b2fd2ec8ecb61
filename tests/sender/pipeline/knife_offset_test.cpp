// Knife-offset compensation: corners, swing arcs, the path end and the blade
// direction carried between paths.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "sender/pipeline/path_transforms.h"
#include "tests/sender/pipeline/transform_test_paths.h"

namespace tarnik {
namespace {

using testing::ExpectReworked;
using testing::Points;
using testing::Reworked;

constexpr double k150Degrees = 2.6179940700531006;

Points Compensate(const Points& in, BladeState& blade, float offset_mm = 0.3f,
                  double max_angle = k150Degrees) {
    return Reworked(
        in, [&](CutPath& path) { CompensateKnifeOffset(path, blade, offset_mm, max_angle); });
}

TEST(KnifeOffset, OpenSquareReproducesTheReferenceCut) {
    BladeState blade;  // job start: From (0, 0), To (0, 80)
    const Points out = Compensate({{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}}, blade);
    const Points expected = {{0, 0},      {0, 9},      {2, 8},      {5, 7},       {7, 5},
                             {8, 2},      {9, 0},      {1009, 0},   {1008, 2},    {1007, 5},
                             {1005, 7},   {1002, 8},   {1000, 9},   {1000, 1009}, {997, 1008},
                             {994, 1007}, {992, 1005}, {991, 1002}, {990, 1000},  {-9, 1000}};
    EXPECT_EQ(out, expected);
    EXPECT_EQ(blade.FromX, 1000);
    EXPECT_EQ(blade.FromY, 1000);
    EXPECT_EQ(blade.ToX, 0);
    EXPECT_EQ(blade.ToY, 1000);
}

// Corners as points added between the (unchanged) path start and the moved
// path end: a compensated corner adds E, four arc points and S and loses
// itself (the first corner keeps itself, so it adds six).
struct CornerCase {
    const char* label;
    Points in;
    BladeState blade;
    size_t expected_points;
};

TEST(KnifeOffset, WhichCornersAreCompensated) {
    const BladeState along_x{0, 0, 80, 0};  // arriving straight along +x
    const CornerCase cases[] = {
        // The first corner, straight on along x, only gains E (S equals it).
        {"170-degree corner stays", {{0, 0}, {1000, 0}, {1985, 174}}, along_x, 3 + 1},
        {"right angle is compensated", {{0, 0}, {1000, 0}, {1000, 1000}}, along_x, 3 + 1 + 5},
        {"reversal is compensated", {{0, 0}, {1000, 0}, {0, 0}}, along_x, 3 + 1 + 5},
        {"short segment before a flat corner", {{0, 0}, {5, 0}, {1000, 200}}, along_x, 3 + 1 + 5},
        {"short segment after a flat corner", {{0, 0}, {1000, 0}, {1008, 1}}, along_x, 3 + 1 + 5},
        // Arriving along +y and going on along +x: the full swing.
        {"first corner of a straight run after a turn",
         {{0, 0}, {1000, 0}, {2000, 0}},
         BladeState{},
         3 + 1 + 5},
    };
    for (const CornerCase& c : cases) {
        SCOPED_TRACE(c.label);
        BladeState blade = c.blade;
        EXPECT_EQ(Compensate(c.in, blade).size(), c.expected_points);
    }
}

// The corner limit decides on both sides of it, for limits below a right
// angle (sharp turns only), between a right and a straight angle, and the
// default 150 degrees.
TEST(KnifeOffset, CornerLimitDecidesOnBothSides) {
    struct Case {
        const char* label;
        double corner_degrees;
        double limit_degrees;
        bool compensated;
    };
    const Case cases[] = {
        {"149.9 under 150", 149.9, 150, true}, {"150.1 under 150", 150.1, 150, false},
        {"99.9 under 100", 99.9, 100, true},   {"100.1 under 100", 100.1, 100, false},
        {"59.9 under 60", 59.9, 60, true},     {"60.1 under 60", 60.1, 60, false},
        {"179.9 under 180", 179.9, 180, true}, {"10 under 0", 10, 0, false},
        {"90 under 89.9", 90, 89.9, false},    {"90 under 90.1", 90, 90.1, true},
    };
    constexpr double kDegree = 3.14159265358979323846 / 180;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const double a = c.corner_degrees * kDegree;
        const Points in = {{0, 0},
                           {100000, 0},
                           {static_cast<int32_t>(std::lround(100000 - 100000 * std::cos(a))),
                            static_cast<int32_t>(std::lround(100000 * std::sin(a)))}};
        BladeState blade{0, 0, 80, 0};
        // (0,0), the first corner's E, then the corner: moved to E when
        // compensated.
        const Points out = Compensate(in, blade, 0.3f, c.limit_degrees * kDegree);
        ASSERT_GE(out.size(), 4u);
        EXPECT_EQ(out[2] != (testing::Xy{100000, 0}), c.compensated);
    }
}

TEST(KnifeOffset, StraightRunsAndZeroLengthSegments) {
    const testing::ReworkCase<BladeState> cases[] = {
        // Arriving along +x and continuing along +x: E = (9, 0) and S = (9, 0)
        // coincide, so the first corner only gains E.
        {"first corner of a straight run",
         {{0, 0}, {1000, 0}, {2000, 0}},
         {0, 0, 80, 0},
         {{0, 0}, {9, 0}, {1000, 0}, {2009, 0}}},
        // Segments of 5 units, below R = 9.45, on a straight line: every
        // corner moves R forward although none is sharp (E and S coincide:
        // no arc).
        {"every corner of a path of short segments",
         {{0, 0}, {5, 0}, {10, 0}, {15, 0}, {20, 0}},
         {0, 0, 80, 0},
         {{0, 0}, {9, 0}, {14, 0}, {19, 0}, {24, 0}, {29, 0}}},
        // Zero-length segments need no division by zero:
        // The previous path ended with a zero-length segment: the virtual
        // point equals the start, so E is the start itself; the swing then
        // runs from 270 degrees (E at the centre) up to S.
        {"blade without direction",
         {{0, 0}, {1000, 0}, {2000, 0}},
         {5, 5, 5, 5},
         {{0, 0}, {0, 0}, {2, -8}, {5, -7}, {7, -5}, {8, -2}, {9, 0}, {1000, 0}, {2009, 0}}},
        // A repeated last point: S is the corner itself, and the last
        // segment has length 0, so the end is not moved.
        {"repeated last point",
         {{0, 0}, {1000, 0}, {1000, 0}},
         {0, 0, 80, 0},
         {{0, 0},
          {9, 0},
          {1009, 0},
          {1008, -2},
          {1007, -5},
          {1005, -7},
          {1002, -8},
          {1000, 0},
          {1000, 0}}},
    };
    ExpectReworked(cases, [](const Points& in, BladeState blade) { return Compensate(in, blade); });
}

TEST(KnifeOffset, NonPositiveOffsetLeavesPathAndBladeUnchanged) {
    const Points in = {{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}};
    for (float offset : {0.0f, -0.3f, std::nanf("")}) {
        SCOPED_TRACE(offset);
        BladeState blade;
        EXPECT_EQ(Compensate(in, blade, offset), in);
        EXPECT_EQ(blade.ToY, 80);
    }
}

TEST(KnifeOffset, HugeOffsetClampsInsteadOfWrapping) {
    BladeState blade{0, 0, 80, 0};
    const Points out = Compensate({{0, 0}, {1000, 0}, {1000, 1000}}, blade, 1e30f);
    for (const testing::Xy& p : out) {
        // Extended far along +x or +y: clamped to the top of the range, never
        // wrapped to the far negative side.
        EXPECT_GT(p.x, -1000);
        EXPECT_GT(p.y, -1000);
    }
    EXPECT_EQ(out.back().y, INT32_MAX);
}

TEST(KnifeOffset, PointAngleQuadrants) {
    struct Case {
        const char* label;
        int32_t x, y;
        double degrees;
    };
    const double r = 10;
    const Case cases[] = {
        {"straight up y", 0, 10, 90},
        {"straight down y", 0, -10, 270},
        {"along +x", 10, 0, 0},
        {"along -x", -10, 0, 180},
        {"first quadrant", 5, 5, 30},
        {"fourth quadrant", 5, -5, 300},
        {"second quadrant", -5, 5, 120},
        {"third quadrant", -5, -5, 210},
        {"beyond radius clamps", 20, 20, 90},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_NEAR(PointAngle(c.x, c.y, 0, 0, r), c.degrees, 1e-5);
    }
}

}  // namespace
}  // namespace tarnik
