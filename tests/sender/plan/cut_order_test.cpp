// The order stage on designs built in memory: which paths lie inside which,
// the orders and panels that follow from it, and the two rules any order
// keeps (the same cut segments, inside first) on odd and random designs.
#include "sender/plan/cut_order.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>

#include "sender/plan/nesting.h"
#include "tests/sender/plan/plan_designs.h"

namespace tarnik {
namespace {

using testing::CutSegments;
using testing::DesignPath;
using testing::ExpectInsideFirst;
using testing::FillPlan;
using testing::Line;
using testing::PathOrder;
using testing::Rect;

constexpr CutOrder kOrders[] = {CutOrder::Drawn, CutOrder::Inside, CutOrder::Shortest};

// Orders the design (1 plotter unit per mm) and checks the two rules.
JobPlan Ordered(const std::vector<DesignPath>& design, CutOrder order, float panel = 0.0f) {
    JobPlan plan;
    FillPlan(plan, design);
    const std::vector<testing::Segment> before = CutSegments(plan);
    OrderPlan(plan, CutPlanOptions{order, panel}, 1.0);
    EXPECT_EQ(CutSegments(plan), before) << "the cut segments changed";
    return plan;
}

// A pentagram (self-crossing): under the even-odd rule its centre is outside.
DesignPath Pentagram() {
    return {{{1000, 2000}, {412, 191}, {1951, 1309}, {49, 1309}, {1588, 191}}, true};
}

TEST(Nesting, WhatLiesInsideWhat) {
    struct Case {
        const char* label;
        std::vector<DesignPath> design;
        std::set<std::pair<uint32_t, uint32_t>> inside;  // (inner, outer), every pair
    } cases[] = {
        {"three deep",
         {Rect(0, 0, 100, 100), Rect(10, 10, 80, 80), Rect(20, 20, 60, 60)},
         {{1, 0}, {2, 0}, {2, 1}}},
        {"letter B with two counters",
         {Rect(0, 0, 100, 200), Rect(20, 20, 60, 60), Rect(20, 120, 60, 60)},
         {{1, 0}, {2, 0}}},
        {"outlines touching side by side", {Rect(0, 0, 50, 50), Rect(50, 0, 50, 50)}, {}},
        {"outline touching from inside", {Rect(0, 0, 100, 100), Rect(0, 0, 50, 50)}, {{1, 0}}},
        {"crossing outlines, a cut in both",
         {Rect(0, 0, 60, 60), Rect(40, 40, 60, 60), Line(45, 45, 55, 55)},
         {{2, 0}, {2, 1}}},
        {"self-crossing star: tip inside, centre outside",
         {Pentagram(), Line(995, 1800, 1005, 1800), Line(990, 1000, 1010, 1000)},
         {{1, 0}}},
        {"zero-area closed path holds what lies on it",
         {{{{0, 0}, {100, 0}}, true}, Line(10, 0, 20, 0)},
         {{1, 0}}},
        {"coinciding outlines lie in each other",
         {Rect(0, 0, 10, 10), Rect(0, 0, 10, 10)},
         {{0, 1}, {1, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        JobPlan plan;
        FillPlan(plan, c.design);
        std::set<std::pair<uint32_t, uint32_t>> found;
        for (uint32_t a = 0; a < plan.steps.size(); ++a)
            for (uint32_t b = 0; b < plan.steps.size(); ++b)
                if (a != b && plan.PathOf(plan.steps[a]).closed &&
                    LiesInside(plan, plan.steps[b], plan.steps[a]))
                    found.emplace(b, a);
        EXPECT_EQ(found, c.inside);
        for (const CutOrder order : {CutOrder::Inside, CutOrder::Shortest}) {
            SCOPED_TRACE(static_cast<int>(order));
            ExpectInsideFirst(Ordered(c.design, order));
        }
    }
}

TEST(CutOrder, InsideKeepsTheDrawnOrderOtherwise) {
    // An O, a line, and a B whose counters come after its outline.
    const std::vector<DesignPath> design = {Rect(0, 0, 100, 200),   Rect(20, 20, 60, 160),
                                            Line(150, 0, 150, 200), Rect(200, 0, 100, 200),
                                            Rect(220, 20, 60, 60),  Rect(220, 120, 60, 60)};
    EXPECT_EQ(PathOrder(Ordered(design, CutOrder::Inside)),
              (std::vector<uint32_t>{1, 0, 2, 4, 5, 3}));
    EXPECT_EQ(PathOrder(Ordered(design, CutOrder::Drawn)),
              (std::vector<uint32_t>{0, 1, 2, 3, 4, 5}));
}

TEST(CutOrder, ShortestCutsOpenPathsEitherWay) {
    // From (0, 0) along the first line to (100, 0); the second line's near
    // end is (200, 0), so it is cut backwards.
    const JobPlan plan = Ordered({Line(1000, 0, 200, 0), Line(0, 0, 100, 0)}, CutOrder::Shortest);
    ASSERT_EQ(PathOrder(plan), (std::vector<uint32_t>{1, 0}));
    EXPECT_FALSE(plan.steps[0].reversed);
    EXPECT_TRUE(plan.steps[1].reversed);
    EXPECT_DOUBLE_EQ(PenUpTravel(plan), 100.0);
}

TEST(CutOrder, PanelsAlongTheFeed) {
    // Panels of 100 units: the inner square (own x 150, panel 1) belongs to
    // its outline's panel 0.
    const std::vector<DesignPath> design = {Rect(250, 0, 10, 10), Rect(10, 0, 10, 10),
                                            Rect(90, 50, 200, 100), Rect(150, 60, 10, 10),
                                            Line(120, 0, 130, 0)};
    struct Case {
        CutOrder order;
        std::vector<uint32_t> expected;  // empty: only the panel sequence is fixed
    } cases[] = {
        {CutOrder::Drawn, {1, 2, 3, 4, 0}},
        {CutOrder::Inside, {1, 3, 2, 4, 0}},
        {CutOrder::Shortest, {}},
    };
    const int panel_of_path[] = {2, 0, 0, 0, 1};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.order));
        const JobPlan plan = Ordered(design, c.order, 100.0f);
        if (!c.expected.empty()) {
            EXPECT_EQ(PathOrder(plan), c.expected);
        }
        for (size_t k = 1; k < plan.steps.size(); ++k)
            EXPECT_LE(panel_of_path[plan.steps[k - 1].path], panel_of_path[plan.steps[k].path]);
        if (c.order != CutOrder::Drawn) {
            ExpectInsideFirst(plan);
        }
    }
}

std::vector<DesignPath> TinyRectsInABorder(int side) {
    std::vector<DesignPath> design;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) design.push_back(Rect(x * 30 + 10, y * 30 + 10, 5, 5));
    design.push_back(Rect(0, 0, side * 30 + 10, side * 30 + 10));
    return design;
}

TEST(CutOrder, OddDesignsPlan) {
    std::vector<DesignPath> open_only;
    for (int k = 0; k < 200; ++k) open_only.push_back(Line(k * 7 % 300, k * 13 % 500, k, 0));
    struct Case {
        const char* label;
        std::vector<DesignPath> design;
    } cases[] = {
        {"nothing", {}},
        {"one path", {Rect(0, 0, 10, 10)}},
        {"open paths only", open_only},
        {"500 coinciding outlines", std::vector<DesignPath>(500, Rect(5, 5, 100, 100))},
        {"zero-area closed paths",
         {{{{0, 0}, {50, 0}}, true},
          {{{0, 0}, {50, 0}}, true},
          {{{10, 10}, {20, 20}, {10, 10}}, true}}},
        {"40 000 tiny outlines in a border", TinyRectsInABorder(200)},
    };
    for (const Case& c : cases) {
        for (const CutOrder order : kOrders) {
            for (const float panel : {0.0f, 50.0f}) {
                SCOPED_TRACE(::testing::Message()
                             << c.label << ", order " << static_cast<int>(order) << ", panel "
                             << panel);
                const JobPlan plan = Ordered(c.design, order, panel);
                ASSERT_EQ(plan.steps.size(), c.design.size());
                if (order != CutOrder::Drawn && c.design.size() <= 500) {
                    ExpectInsideFirst(plan);
                }
                // The border holds everything: it goes last.
                if (order != CutOrder::Drawn && c.design.size() > 500 && panel == 0.0f) {
                    EXPECT_EQ(plan.steps.back().path, c.design.size() - 1);
                }
            }
        }
    }
}

TEST(CutOrder, RandomDesignsKeepTheirCutsAndInsideFirst) {
    std::mt19937 random(20261211);
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int design_number = 0; design_number < 40; ++design_number) {
        std::vector<DesignPath> design;
        std::vector<size_t> outlines;
        for (int k = 0; k < 30; ++k) {
            const int kind = pick(0, 2);
            if (kind == 0 && !outlines.empty()) {
                // Inside an earlier outline, touching it now and then.
                const DesignPath& outer =
                    design[outlines[pick(0, static_cast<int>(outlines.size()) - 1)]];
                const PlanPoint lo = outer.points[0], hi = outer.points[2];
                const int w = std::max(1, (hi.x - lo.x) / 2), h = std::max(1, (hi.y - lo.y) / 2);
                design.push_back(
                    Rect(lo.x + pick(0, w), lo.y + pick(0, h), pick(1, w), pick(1, h)));
            } else if (kind <= 1) {
                design.push_back(Rect(pick(0, 900), pick(0, 900), pick(5, 400), pick(5, 400)));
            } else {
                DesignPath open;
                for (int p = pick(2, 5); p > 0; --p)
                    open.points.push_back({pick(0, 1200), pick(0, 1200)});
                design.push_back(open);
                continue;
            }
            outlines.push_back(design.size() - 1);
        }
        for (const CutOrder order : {CutOrder::Inside, CutOrder::Shortest}) {
            for (const float panel : {0.0f, 300.0f}) {
                SCOPED_TRACE(::testing::Message()
                             << "design " << design_number << ", order " << static_cast<int>(order)
                             << ", panel " << panel);
                ExpectInsideFirst(Ordered(design, order, panel));
            }
        }
    }
}

}  // namespace
}  // namespace tarnik
