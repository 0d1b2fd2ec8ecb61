// Weed lines through the waste: where they run, where they stop, and the
// designs they are refused for.
#include "sender/plan/weed_lines.h"

#include <gtest/gtest.h>

#include "tests/sender/plan/layout_printing.h"

namespace tarnik {
namespace {

Polyline Rectangle(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}};
}

Polyline Square(int64_t from, int64_t to) {
    return Rectangle(from, from, to, to);
}

struct WeedCase {
    const char* label;
    std::vector<Polyline> design;
    std::vector<LayoutPoint> shifts;
    WeedDirection direction;
    std::vector<Polyline> lines;
};

// A border of 0..1000 both ways, lines every 250, 20 short of the design
// (21 with the allowance for rounding a crossing to whole units).
TEST(WeedLinesPlan, RunThroughTheWasteAndStopAGapShort) {
    const LayoutPoint kAsIs{0, 0};
    const WeedCase cases[] = {
        {"no design: whole lines, every other one backwards",
         {},
         {kAsIs},
         WeedDirection::Both,
         {{{250, 0}, {250, 1000}},
          {{500, 1000}, {500, 0}},
          {{750, 0}, {750, 1000}},
          {{1000, 250}, {0, 250}},
          {{0, 500}, {1000, 500}},
          {{1000, 750}, {0, 750}}}},
        {"a square: the middle lines stop short of it",
         {Square(400, 600)},
         {kAsIs},
         WeedDirection::Across,
         {{{250, 0}, {250, 1000}},
          {{500, 1000}, {500, 621}},
          {{500, 379}, {500, 0}},
          {{750, 0}, {750, 1000}}}},
        {"a letter's counter is left to weed by hand",
         {Square(200, 800), Square(400, 600)},
         {kAsIs},
         WeedDirection::Along,
         {{{0, 250}, {179, 250}},
          {{821, 250}, {1000, 250}},
          {{1000, 500}, {821, 500}},
          {{179, 500}, {0, 500}},
          {{0, 750}, {179, 750}},
          {{821, 750}, {1000, 750}}}},
        {"an open path is kept clear of too",
         {{{500, 300}, {500, 700}}},
         {kAsIs},
         WeedDirection::Along,
         {{{0, 250}, {1000, 250}},
          {{1000, 500}, {521, 500}},
          {{479, 500}, {0, 500}},
          {{0, 750}, {1000, 750}}}},
        {"every copy is kept clear of",
         {Square(100, 200)},
         {kAsIs, {400, 400}},
         WeedDirection::Across,
         {{{250, 0}, {250, 1000}},
          {{500, 1000}, {500, 621}},
          {{500, 479}, {500, 0}},
          {{750, 0}, {750, 1000}}}},
        {"a stub shorter than the gap is left out",
         {Rectangle(300, 10, 700, 470), Rectangle(300, 520, 700, 990)},
         {kAsIs},
         WeedDirection::Across,
         {{{250, 0}, {250, 1000}}, {{750, 1000}, {750, 0}}}},
    };
    for (const WeedCase& c : cases) {
        SCOPED_TRACE(c.label);
        WeedDesign design;
        for (const Polyline& path : c.design) {
            ASSERT_TRUE(design.Add(path));
        }
        std::vector<Polyline> lines;
        ASSERT_EQ(
            PlanWeedLines(design, c.shifts, {0, 0, 1000, 1000}, {250, 20, c.direction}, lines),
            WeedOutcome::Done);
        EXPECT_EQ(lines, c.lines);
    }
}

TEST(WeedLinesPlan, RefusesWhatItCannotWorkOutInBoundedTime) {
    WeedDesign huge;
    const Polyline long_path(kMaxWeedDesignPoints + 1, LayoutPoint{5, 5});
    EXPECT_FALSE(huge.Add(long_path));
    std::vector<Polyline> lines;
    EXPECT_EQ(
        PlanWeedLines(huge, {{0, 0}}, {0, 0, 1000, 1000}, {250, 20, WeedDirection::Both}, lines),
        WeedOutcome::TooManyPoints);
    const WeedDesign empty;
    EXPECT_EQ(PlanWeedLines(empty, {{0, 0}}, {0, 0, 100000000, 100000000},
                            {100, 20, WeedDirection::Both}, lines),
              WeedOutcome::TooManyLines);
    EXPECT_TRUE(lines.empty());
}

}  // namespace
}  // namespace tarnik
