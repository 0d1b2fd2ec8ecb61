// Properties over random designs: no weed line crosses or comes near a cut
// path of the design, and every strip of a tiled job lies on the media.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "sender/plan/media_layout.h"
#include "sender/plan/media_strips.h"
#include "sender/plan/weed_lines.h"

namespace tarnik {
namespace {

double PointToSegment(LayoutPoint p, LayoutPoint a, LayoutPoint b) {
    const double dx = static_cast<double>(b.x - a.x);
    const double dy = static_cast<double>(b.y - a.y);
    const double px = static_cast<double>(p.x - a.x);
    const double py = static_cast<double>(p.y - a.y);
    const double length2 = dx * dx + dy * dy;
    const double t = length2 == 0.0 ? 0.0 : std::clamp((px * dx + py * dy) / length2, 0.0, 1.0);
    return std::hypot(px - t * dx, py - t * dy);
}

int Side(LayoutPoint a, LayoutPoint b, LayoutPoint c) {
    const __int128 cross = static_cast<__int128>(b.x - a.x) * (c.y - a.y) -
                           static_cast<__int128>(b.y - a.y) * (c.x - a.x);
    return cross > 0 ? 1 : (cross < 0 ? -1 : 0);
}

double SegmentDistance(LayoutPoint a, LayoutPoint b, LayoutPoint c, LayoutPoint d) {
    const int s1 = Side(a, b, c), s2 = Side(a, b, d), s3 = Side(c, d, a), s4 = Side(c, d, b);
    if (s1 * s2 < 0 && s3 * s4 < 0)
        return 0.0;
    return std::min({PointToSegment(a, c, d), PointToSegment(b, c, d), PointToSegment(c, a, b),
                     PointToSegment(d, a, b)});
}

// A star-shaped outline (closed) or a zigzag (open) somewhere in the design
// area; a few outlines cross themselves.
Polyline RandomPath(std::mt19937& random) {
    std::uniform_int_distribution<int64_t> centre(600, 3400);
    std::uniform_int_distribution<int> points(2, 12);
    std::uniform_real_distribution<double> radius(20.0, 500.0);
    const LayoutPoint c{centre(random), centre(random)};
    const int n = points(random);
    const bool closed = n >= 3 && random() % 3 != 0;
    const bool scrambled = random() % 5 == 0;
    Polyline path;
    for (int i = 0; i < n; ++i) {
        const double angle = (scrambled ? static_cast<double>(random() % 360) : 360.0 * i / n) *
                             3.14159265358979 / 180.0;
        const double r = radius(random);
        path.push_back(
            {c.x + std::llround(r * std::cos(angle)), c.y + std::llround(r * std::sin(angle))});
    }
    if (closed)
        path.push_back(path.front());
    return path;
}

// Whether p lies on one of the lines.
bool OnALine(const std::vector<Polyline>& lines, LayoutPoint p) {
    return std::any_of(lines.begin(), lines.end(), [p](const Polyline& line) {
        return PointToSegment(p, line[0], line[1]) < 0.5;
    });
}

// Every point of a line position that lies well clear of every path's box
// is cut: no weed line is lost.
void ExpectWasteWeeded(const std::vector<Polyline>& paths, const std::vector<Polyline>& lines,
                       const LayoutBox& border, const WeedLineSettings& settings) {
    std::vector<LayoutBox> boxes;
    for (const Polyline& path : paths) {
        boxes.push_back(BoxOf(path).Grown(settings.gap * 5 / 2));
    }
    const auto clear = [&boxes](LayoutPoint p) {
        return std::none_of(boxes.begin(), boxes.end(), [p](const LayoutBox& b) {
            return p.x >= b.min_x && p.x <= b.max_x && p.y >= b.min_y && p.y <= b.max_y;
        });
    };
    for (int64_t at = settings.spacing; at < border.max_x; at += settings.spacing) {
        for (int64_t along = 0; along <= border.max_y; along += 37) {
            const LayoutPoint across_line{at, along};
            const LayoutPoint along_line{along, at};
            if (settings.direction != WeedDirection::Along && clear(across_line)) {
                EXPECT_TRUE(OnALine(lines, across_line)) << at << "," << along;
            }
            if (settings.direction != WeedDirection::Across && clear(along_line)) {
                EXPECT_TRUE(OnALine(lines, along_line)) << along << "," << at;
            }
        }
    }
}

TEST(MediaLayoutProperty, WeedLinesWeedTheWasteButNeverCrossOrTouchTheDesign) {
    std::mt19937 random(20261211);
    const LayoutBox border{0, 0, 4000, 4000};
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE("design " + std::to_string(round));
        std::vector<Polyline> paths(1 + random() % 25);
        WeedDesign design;
        for (Polyline& path : paths) {
            path = RandomPath(random);
            ASSERT_TRUE(design.Add(path));
        }
        const WeedLineSettings settings{static_cast<int64_t>(100 + random() % 400),
                                        static_cast<int64_t>(8 + random() % 60),
                                        static_cast<WeedDirection>(random() % 3)};
        std::vector<Polyline> lines;
        ASSERT_EQ(PlanWeedLines(design, {{0, 0}}, border, settings, lines), WeedOutcome::Done);
        ExpectWasteWeeded(paths, lines, border, settings);
        const double least = static_cast<double>(settings.gap) - 2.0;
        for (const Polyline& line : lines) {
            ASSERT_EQ(line.size(), 2u);
            for (const LayoutPoint& end : line) {
                EXPECT_TRUE(end.x >= border.min_x && end.x <= border.max_x &&
                            end.y >= border.min_y && end.y <= border.max_y);
            }
            for (const Polyline& path : paths) {
                for (std::size_t i = 0; i < path.size(); ++i) {
                    const LayoutPoint next = path[std::min(i + 1, path.size() - 1)];
                    ASSERT_GE(SegmentDistance(line[0], line[1], path[i], next), least)
                        << "line " << line[0].x << "," << line[0].y << " - " << line[1].x << ","
                        << line[1].y << " near point " << path[i].x << "," << path[i].y;
                }
            }
        }
    }
}

TEST(MediaLayoutProperty, EveryStripLiesOnTheMedia) {
    std::mt19937 random(4711);
    constexpr double kUnits = 31.496;
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE("layout " + std::to_string(round));
        MediaLayoutOptions options;
        options.MediaWidth = 100 + random() % 1200;
        options.MarginLeft = random() % 40;
        options.TileOverlap = 1 + random() % 60;
        options.WeedBorder = random() % 2 ? 0 : 1 + random() % 20;
        options.Copies = 1 + random() % 4;
        options.Rotate = static_cast<RotateChoice>(random() % 2 ? 0 : -1);
        const LayoutBox design{0, 0, static_cast<int64_t>(random() % 60000),
                               static_cast<int64_t>(random() % 200000)};
        MediaLayout layout;
        LayoutFigures figures;
        const LayoutProblem problem = PlanMediaLayout(design, options, kUnits, layout, figures);
        if (problem == LayoutProblem::TooManyStrips || problem == LayoutProblem::MediaTooNarrow)
            continue;
        ASSERT_EQ(problem, LayoutProblem::None);
        const int64_t media = std::llround(options.MediaWidth * kUnits);
        EXPECT_LE(layout.strips.front().from_y, layout.job.min_y);
        EXPECT_GE(layout.strips.back().to_y, layout.job.max_y);
        std::vector<Polyline> pieces;
        for (std::size_t k = 0; k < layout.strips.size(); ++k) {
            const MediaStrip& strip = layout.strips[k];
            EXPECT_GE(strip.from_y + strip.shift_y, 0);
            EXPECT_LE(strip.to_y + strip.shift_y, media);
            if (k > 0) {
                EXPECT_EQ(layout.strips[k - 1].to_y - strip.from_y,
                          std::llround(options.TileOverlap * kUnits));
            }
            // A diagonal across the whole job, cut into the strip, stays on
            // the media once moved into place.
            pieces.clear();
            ClipToStrip(
                {{layout.job.min_x, layout.job.min_y}, {layout.job.max_x, layout.job.max_y}},
                strip.from_y, strip.to_y, pieces);
            for (const Polyline& piece : pieces) {
                for (const LayoutPoint& p : piece) {
                    EXPECT_GE(p.y + strip.shift_y, 0);
                    EXPECT_LE(p.y + strip.shift_y, media);
                }
            }
        }
    }
}

}  // namespace
}  // namespace tarnik
