// Paths cut at a strip's edges, and the alignment ticks of the strips.
#include "sender/plan/media_strips.h"

#include <gtest/gtest.h>

#include "tests/sender/plan/layout_printing.h"

namespace tarnik {
namespace {

struct ClipCase {
    const char* label;
    Polyline path;
    std::vector<Polyline> pieces;  // within y 100..200
};

TEST(MediaStripsClip, CutsPathsExactlyAtTheEdges) {
    const ClipCase cases[] = {
        {"closed path inside stays whole and closed",
         {{0, 120}, {0, 180}, {50, 180}, {0, 120}},
         {{{0, 120}, {0, 180}, {50, 180}, {0, 120}}}},
        {"crossing both edges", {{0, 50}, {0, 250}}, {{{0, 100}, {0, 200}}}},
        {"crossing points rounded to the nearest unit",
         {{0, 0}, {10, 300}},
         {{{3, 100}, {7, 200}}}},
        {"the same crossing running backwards", {{10, 300}, {0, 0}}, {{{7, 200}, {3, 100}}}},
        {"leaving and coming back gives two pieces",
         {{0, 150}, {0, 250}, {10, 250}, {10, 150}},
         {{{0, 150}, {0, 200}}, {{10, 200}, {10, 150}}}},
        {"closed path through its start: the two ends joined",
         {{0, 150}, {0, 250}, {10, 250}, {10, 150}, {0, 150}},
         {{{10, 200}, {10, 150}, {0, 150}, {0, 200}}}},
        {"closed path starting outside keeps its pieces apart",
         {{0, 50}, {0, 150}, {10, 150}, {10, 50}, {0, 50}},
         {{{0, 100}, {0, 150}, {10, 150}, {10, 100}}}},
        {"touching an edge at one point cuts nothing", {{0, 50}, {5, 100}, {10, 50}}, {}},
        {"wholly outside", {{0, 0}, {100, 50}}, {}},
        {"running along an edge is kept", {{0, 100}, {50, 100}}, {{{0, 100}, {50, 100}}}},
        {"ending on the edge from outside", {{0, 50}, {0, 100}, {0, 150}}, {{{0, 100}, {0, 150}}}},
    };
    for (const ClipCase& c : cases) {
        SCOPED_TRACE(c.label);
        std::vector<Polyline> pieces;
        ClipToStrip(c.path, 100, 200, pieces);
        EXPECT_EQ(pieces, c.pieces);
    }
}

TEST(MediaStripsTicks, MarkEveryOverlapEdgeAboveAndBelowTheJob) {
    MediaLayout layout;
    layout.tick_top_x = 0;
    layout.tick_bottom_x = 390;
    layout.tick_length = 50;
    MediaStrip strip;
    strip.tick_y = {300, 400};
    const std::vector<Polyline> expected = {
        {{0, 300}, {50, 300}},
        {{390, 300}, {440, 300}},
        {{0, 400}, {50, 400}},
        {{390, 400}, {440, 400}},
    };
    EXPECT_EQ(StripTicks(layout, strip), expected);
}

}  // namespace
}  // namespace tarnik
