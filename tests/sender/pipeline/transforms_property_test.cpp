// Properties of the path transforms over many generated paths, including
// degenerate ones: collinear runs, reversals, one-unit segments, repeated
// points and coordinates at the ends of the 32-bit range.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "sender/pipeline/path_transforms.h"
#include "tests/sender/pipeline/transform_test_paths.h"

namespace tarnik {
namespace {

using testing::LoadPath;
using testing::Points;
using testing::ReadPath;
using testing::Xy;

constexpr int kPaths = 20000;
constexpr double kUnits = 31.496;
constexpr double kPi = 3.14159265358979323846;

double SquaredDistance(Xy a, Xy b) {
    const double dx = static_cast<double>(a.x) - b.x;
    const double dy = static_cast<double>(a.y) - b.y;
    return dx * dx + dy * dy;
}

double Distance(Xy a, Xy b) {
    return std::sqrt(SquaredDistance(a, b));
}

enum class Shape { SmallBox, UnitWalk, CollinearRun, Polygon, RangeEdges, Count };

int32_t Clamp(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

Points Generate(std::mt19937& rng, Shape shape) {
    std::uniform_int_distribution<int> length(4, 60);
    const int n = length(rng);
    Points points;
    auto pick = [&](int64_t lo, int64_t hi) {
        return std::uniform_int_distribution<int64_t>(lo, hi)(rng);
    };
    Xy at{static_cast<int32_t>(pick(-1000, 1000)), static_cast<int32_t>(pick(-1000, 1000))};
    for (int i = 0; i < n; ++i) {
        switch (shape) {
            case Shape::SmallBox:
                at = {static_cast<int32_t>(pick(0, 40)), static_cast<int32_t>(pick(0, 40))};
                break;
            case Shape::UnitWalk:
                at = {at.x + static_cast<int32_t>(pick(-1, 1)),
                      at.y + static_cast<int32_t>(pick(-1, 1))};
                break;
            case Shape::CollinearRun:
                at = {at.x + static_cast<int32_t>(pick(-30, 30)), 7};
                break;
            case Shape::Polygon:
                at = {static_cast<int32_t>(pick(0, 5000)), static_cast<int32_t>(pick(0, 5000))};
                break;
            case Shape::RangeEdges: {
                const int64_t base = pick(0, 3) == 0 ? INT32_MIN : INT32_MAX;
                const int64_t other = pick(0, 1) ? base : -base;
                at = {Clamp(base + pick(-500, 500)), Clamp(other + pick(-500, 500))};
                break;
            }
            case Shape::Count:
                break;
        }
        points.push_back(at);
    }
    if (pick(0, 2) == 0)
        points.push_back(points.front());  // closed
    return points;
}

Shape PickShape(std::mt19937& rng) {
    return static_cast<Shape>(
        std::uniform_int_distribution<int>(0, static_cast<int>(Shape::Count) - 1)(rng));
}

bool IsSubsequence(const Points& part, const Points& whole) {
    size_t at = 0;
    for (const Xy& p : whole) {
        if (at < part.size() && part[at] == p)
            ++at;
    }
    return at == part.size();
}

TEST(TransformsProperty, ReductionKeepsEndsAndSpacing) {
    std::mt19937 rng(20240611);
    const float mm = 0.2f;
    const double limit = mm * kUnits;
    for (int i = 0; i < kPaths; ++i) {
        const Points in = Generate(rng, PickShape(rng));
        CutPath path;
        LoadPath(path, in);
        ReducePathPoints(path, mm);
        const Points out = ReadPath(path);
        SCOPED_TRACE(i);
        ASSERT_GE(out.size(), 2u);
        EXPECT_EQ(out.front(), in.front());
        EXPECT_EQ(out.back(), in.back());
        EXPECT_TRUE(IsSubsequence(out, in));
        for (size_t k = 0; k + 2 < out.size(); ++k) {
            // Exact distances may differ from the single-precision ones by
            // a rounding; the margin covers it.
            ASSERT_GT(Distance(out[k], out[k + 1]), limit * (1 - 1e-6)) << k;
        }
    }
}

bool IsRotation(const Points& candidate, Points original) {
    for (size_t k = 0; k < original.size(); ++k) {
        if (candidate == original)
            return true;
        std::rotate(original.begin(), original.begin() + 1, original.end());
    }
    return false;
}

// The overcut path starts at M, passes every point as read (from B on,
// cyclically), comes back to M and ends at Q, R beyond M towards B.
TEST(TransformsProperty, OvercutStartsAtMiddleAndEndsPastIt) {
    std::mt19937 rng(7);
    const float mm = 0.5f;
    const double r = mm * kUnits;
    int overcut = 0;
    for (int i = 0; i < kPaths; ++i) {
        Points in = Generate(rng, PickShape(rng));
        in.back() = in.front();  // closed
        CutPath path;
        LoadPath(path, in);
        AddClosingOvercut(path, mm);
        const Points out = ReadPath(path);
        SCOPED_TRACE(i);
        bool has_long = false;
        for (size_t k = 0; k + 1 < in.size(); ++k) has_long |= Distance(in[k], in[k + 1]) > 2 * r;
        if (!has_long) {
            // The first segment is cut a second time instead.
            ASSERT_EQ(out.size(), in.size() + 1);
            EXPECT_EQ(out.back(), in[1]);
            continue;
        }
        ASSERT_EQ(out.size(), in.size() + 2);
        ++overcut;
        const size_t n = in.size();
        const Xy m = out.front();
        const Xy q = out.back();
        const Xy b = out[1];
        const Xy a = out[n - 1];
        EXPECT_EQ(out[n], m);
        // Points as read, second to last, in a rotation that starts at B.
        const Points as_read(in.begin() + 1, in.end());
        const Points passed(out.begin() + 1, out.begin() + static_cast<long>(n));
        EXPECT_TRUE(IsRotation(passed, as_read));
        // M halfway, Q about R beyond it, still on the segment (both are
        // truncated, so each is off by up to one unit per axis).
        const double d = Distance(a, b);
        EXPECT_GT(d, 2 * r * (1 - 1e-6));
        EXPECT_NEAR(Distance(a, m), d / 2, 1.5);
        EXPECT_NEAR(Distance(m, q), r, 3);
        EXPECT_LT(Distance(q, b), Distance(m, b) + 1e-9);
    }
    EXPECT_GT(overcut, kPaths / 4);
}

// Every compensated point lies within R (plus truncation) of a point as
// read; the path start stays; nothing runs away on degenerate input.
TEST(TransformsProperty, CompensationStaysNearThePathOnAnyInput) {
    std::mt19937 rng(99);
    const float mm = 0.3f;
    const double r = mm * kUnits;
    BladeState blade;
    for (int i = 0; i < kPaths; ++i) {
        const Points in = Generate(rng, PickShape(rng));
        CutPath path;
        LoadPath(path, in);
        CompensateKnifeOffset(path, blade, mm, 2.6179940700531006);
        const Points out = ReadPath(path);
        SCOPED_TRACE(i);
        ASSERT_GE(out.size(), in.size() + 1);
        EXPECT_EQ((out.size() - in.size() - 1) % 5, 0u);
        EXPECT_EQ(out.front(), in.front());
        EXPECT_EQ(blade.ToX, in.back().x);
        EXPECT_EQ(blade.ToY, in.back().y);
        for (const Xy& p : out) {
            double nearest = INFINITY;
            for (const Xy& s : in) nearest = std::min(nearest, SquaredDistance(p, s));
            ASSERT_LE(std::sqrt(nearest), r + 1.5) << p;
        }
    }
}

// On paths whose corners all turn by at least 20 degrees and whose
// segments are longer than R, with every corner counted as sharp, each
// corner gains exactly the five points E, arc, S (E replaces the corner;
// the first corner keeps its point and gains six).
TEST(TransformsProperty, CompensationAddsFivePointsPerCorner) {
    std::mt19937 rng(31337);
    const float mm = 0.3f;
    for (int i = 0; i < kPaths; ++i) {
        const int n = std::uniform_int_distribution<int>(4, 40)(rng);
        std::uniform_real_distribution<double> turn(20, 160);
        std::uniform_real_distribution<double> length(12, 400);
        double heading = 0;
        double x = 0;
        double y = 0;
        Points in = {{0, 0}};
        for (int k = 1; k < n; ++k) {
            heading += (rng() % 2 ? 1 : -1) * turn(rng) * kPi / 180;
            const double step = length(rng);
            x += step * std::cos(heading);
            y += step * std::sin(heading);
            in.push_back(
                {static_cast<int32_t>(std::lround(x)), static_cast<int32_t>(std::lround(y))});
        }
        // Arrive along the negative first-segment direction turned by 90
        // degrees, so the first corner has a real swing too.
        BladeState blade{0, 0, in[1].y - in[0].y, in[0].x - in[1].x};
        CutPath path;
        LoadPath(path, in);
        CompensateKnifeOffset(path, blade, mm, 4.0);
        SCOPED_TRACE(i);
        EXPECT_EQ(ReadPath(path).size(), in.size() + 6 + 5 * (in.size() - 2));
    }
}

// The swing-arc memo of a job changes no point: one memo serves every path
// of a run of paths, with the knife offset changing between runs (2 mm
// meets more different offsets than the memo numbers, 50 mm puts arc ends
// beyond its reach).
TEST(TransformsProperty, SwingArcMemoChangesNoPoint) {
    const float offsets_mm[] = {0.3f, 2.0f, 0.3f, 0.5f, 50.0f, 0.5f};
    std::mt19937 rng(777);
    SwingArcMemo arcs;
    for (const float mm : offsets_mm) {
        SCOPED_TRACE(mm);
        BladeState plain_blade;
        BladeState memo_blade;
        for (int i = 0; i < kPaths / 4; ++i) {
            const Points in = Generate(rng, PickShape(rng));
            CutPath plain;
            LoadPath(plain, in);
            CompensateKnifeOffset(plain, plain_blade, mm, 2.6179940700531006);
            CutPath memo;
            LoadPath(memo, in);
            CompensateKnifeOffset(memo, memo_blade, mm, 2.6179940700531006, &arcs);
            ASSERT_EQ(ReadPath(memo), ReadPath(plain)) << "path " << i;
        }
    }
}

// All three together on every shape, with the default lengths.
TEST(TransformsProperty, AllTransformsTerminateOnDegenerateInput) {
    std::mt19937 rng(4242);
    SenderSettings settings;
    settings.ReducePointEnble = 1;
    settings.CloseEnble = 1;
    settings.SharpEnble = 1;
    BladeState blade;
    for (int i = 0; i < kPaths; ++i) {
        const Points in = Generate(rng, PickShape(rng));
        CutPath path;
        LoadPath(path, in);
        ApplyPathTransforms(path, static_cast<int32_t>(in.size()), settings, blade);
        SCOPED_TRACE(i);
        const int32_t length = path.Length();
        EXPECT_GE(length, 3);
        EXPECT_LE(length, static_cast<int32_t>(in.size()) * 6 + 8);
        path.Release();
        EXPECT_EQ(path.Length(), 1);
    }
}

}  // namespace
}  // namespace tarnik
