// Point reduction, the closing overcut and the order in which the encoders
// run the transforms.
#include "sender/pipeline/path_transforms.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/sender/pipeline/transform_test_paths.h"

namespace tarnik {
namespace {

using testing::ExpectReworked;
using testing::Points;
using testing::ReadPath;
using testing::Reworked;
using MmCase = testing::ReworkCase<float>;

Points Reduce(const Points& in, float mm) {
    return Reworked(in, [mm](CutPath& path) { ReducePathPoints(path, mm); });
}

TEST(PathTransformsReduce, KeepsPointsByDistanceToTheLastKept) {
    const MmCase cases[] = {
        // T = 6.2992: (3,0) and (5,0) within T of (0,0); (12,0) within T of
        // (10,0) but last.
        {"reference run",
         {{0, 0}, {3, 0}, {5, 0}, {10, 0}, {12, 0}},
         0.2f,
         {{0, 0}, {10, 0}, {12, 0}}},
        // 6.2992 exceeds 6, so a point exactly 6 away goes; 7 stays.
        {"distance at the limit",
         {{0, 0}, {6, 0}, {13, 0}, {20, 0}},
         0.2f,
         {{0, 0}, {13, 0}, {20, 0}}},
        {"creeping points measured from the kept one",
         {{0, 0}, {2, 0}, {4, 0}, {6, 0}, {8, 0}, {100, 0}},
         0.2f,
         {{0, 0}, {8, 0}, {100, 0}}},
        {"all close: first and last stay",
         {{0, 0}, {1, 1}, {2, 2}, {3, 3}},
         0.2f,
         {{0, 0}, {3, 3}}},
        {"zero distance drops only repeats",
         {{0, 0}, {0, 0}, {1, 0}, {1, 0}, {1, 0}},
         0.0f,
         {{0, 0}, {1, 0}, {1, 0}}},
        {"negative distance drops nothing",
         {{0, 0}, {0, 0}, {1, 0}},
         -1.0f,
         {{0, 0}, {0, 0}, {1, 0}}},
    };
    ExpectReworked(cases, Reduce);
}

// The new head is the path's, and the tail its last point.
Points Overcut(const Points& in, float mm) {
    return Reworked(in, [mm](CutPath& path) {
        EXPECT_EQ(AddClosingOvercut(path, mm), path.head);
        const Points out = ReadPath(path);
        EXPECT_EQ(path.tail->next, nullptr);
        EXPECT_EQ(path.tail->x, out.back().x);
        EXPECT_EQ(path.tail->y, out.back().y);
    });
}

TEST(PathTransformsOvercut, ReThreadsAtTheFirstLongSegment) {
    const MmCase cases[] = {
        {"square, horizontal first segment",
         {{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}, {0, 0}},
         0.5f,
         {{500, 0}, {1000, 0}, {1000, 1000}, {0, 1000}, {0, 0}, {500, 0}, {515, 0}}},
        {"vertical segment running down",
         {{0, 1000}, {0, 0}, {1000, 0}, {0, 1000}},
         0.5f,
         {{0, 500}, {0, 0}, {1000, 0}, {0, 1000}, {0, 500}, {0, 484}}},
        // The first two segments are short: the path restarts in the third,
        // then runs through the points from the second as read up to A.
        {"long segment later in the path",
         {{0, 0}, {10, 0}, {20, 0}, {20, 1000}, {0, 0}},
         0.5f,
         {{20, 500}, {20, 1000}, {0, 0}, {10, 0}, {20, 0}, {20, 500}, {20, 515}}},
        // Diagonal: M = (300, 400); Q lies R = 15.748 beyond along (3, 4)/5.
        {"diagonal segment",
         {{0, 0}, {600, 800}, {600, 0}, {0, 0}},
         0.5f,
         {{300, 400}, {600, 800}, {600, 0}, {0, 0}, {300, 400}, {309, 412}}},
        {"all segments short: second point again",
         {{0, 0}, {20, 0}, {20, 20}, {0, 0}},
         0.5f,
         {{0, 0}, {20, 0}, {20, 20}, {0, 0}, {20, 0}}},
        {"zero offset does nothing",
         {{0, 0}, {1000, 0}, {0, 1000}, {0, 0}},
         0.0f,
         {{0, 0}, {1000, 0}, {0, 1000}, {0, 0}}},
        {"negative offset does nothing",
         {{0, 0}, {1000, 0}, {0, 1000}, {0, 0}},
         -1.0f,
         {{0, 0}, {1000, 0}, {0, 1000}, {0, 0}}},
        // A segment across the whole 32-bit range: its middle is found
        // without overflowing.
        {"segment spanning the range",
         {{INT32_MIN, 0}, {INT32_MAX, 0}, {INT32_MAX, 100}, {INT32_MIN, 0}},
         0.5f,
         {{-1, 0}, {INT32_MAX, 0}, {INT32_MAX, 100}, {INT32_MIN, 0}, {-1, 0}, {14, 0}}},
    };
    ExpectReworked(cases, Overcut);
}

SenderSettings AllEnabled() {
    SenderSettings settings;
    settings.ReducePointEnble = 1;
    settings.CloseEnble = 1;
    settings.SharpEnble = 1;
    return settings;
}

Points Apply(const Points& in, const SenderSettings& settings, BladeState& blade) {
    return Reworked(in, [&](CutPath& path) {
        ApplyPathTransforms(path, static_cast<int32_t>(in.size()), settings, blade);
    });
}

TEST(PathTransformsApply, RunsOnlyWhatIsEnabledAndOnlyOnLongEnoughPaths) {
    const Points square = {{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}, {0, 0}};
    const Points open = {{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}};
    const Points closing_only = {{500, 0}, {1000, 0}, {1000, 1000}, {0, 1000},
                                 {0, 0},   {500, 0},  {515, 0}};
    SenderSettings close_only;
    close_only.CloseEnble = 1;
    const testing::ReworkCase<SenderSettings> cases[] = {
        {"nothing enabled", square, SenderSettings{}, square},
        {"closed path gets the overcut", square, close_only, closing_only},
        {"open path never gets the overcut", open, close_only, open},
        {"three points are cut as read",
         {{0, 0}, {1000, 0}, {0, 0}},
         AllEnabled(),
         {{0, 0}, {1000, 0}, {0, 0}}},
        // Reduction runs first and can close a path: the overcut then sees
        // the reduced first and last points.
        {"reduction before the overcut",
         {{0, 0}, {2, 0}, {1000, 0}, {1000, 1000}, {0, 0}},
         [] {
             SenderSettings s;
             s.ReducePointEnble = 1;
             s.CloseEnble = 1;
             return s;
         }(),
         {{500, 0}, {1000, 0}, {1000, 1000}, {0, 0}, {500, 0}, {515, 0}}},
    };
    ExpectReworked(cases, [](const Points& in, const SenderSettings& settings) {
        BladeState blade;
        const Points out = Apply(in, settings, blade);
        EXPECT_EQ(blade.ToY, 80);  // compensation off: blade untouched
        return out;
    });
}

TEST(PathTransformsApply, CompensationRunsLastAndCarriesTheBlade) {
    BladeState blade;
    const Points out =
        Apply({{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}, {0, 0}}, AllEnabled(), blade);
    // Starts at the overcut's middle point, and the blade leaves along the
    // overcut M -> Q (as read, before the end was moved).
    EXPECT_EQ(out.front(), (testing::Xy{500, 0}));
    EXPECT_EQ(out.back(), (testing::Xy{524, 0}));
    EXPECT_EQ(blade.FromX, 500);
    EXPECT_EQ(blade.ToX, 515);
    EXPECT_EQ(blade.ToY, 0);
}

}  // namespace
}  // namespace tarnik
