#pragma once
// Designs for the job plan's tests, built in memory, and the two rules every
// order must keep: the same cut segments, and inside first.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "sender/plan/cut_order.h"
#include "sender/plan/job_plan.h"
#include "sender/plan/nesting.h"

namespace tarnik::testing {

struct DesignPath {
    std::vector<PlanPoint> points;
    bool closed = false;
};

inline DesignPath Rect(int32_t x, int32_t y, int32_t w, int32_t h) {
    return {{{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}, true};
}
inline DesignPath Line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    return {{{x0, y0}, {x1, y1}}, false};
}

// One step per path, as drawn.
inline void FillPlan(JobPlan& plan, const std::vector<DesignPath>& design) {
    for (const DesignPath& p : design)
        EXPECT_TRUE(plan.index.AddGeneratedPath(p.points.data(),
                                                static_cast<uint32_t>(p.points.size()), p.closed));
    StepsAsDrawn(plan);
}

// The order as indices of the paths drawn.
inline std::vector<uint32_t> PathOrder(const JobPlan& plan) {
    std::vector<uint32_t> order;
    for (const PlanStep& s : plan.steps) order.push_back(s.path);
    return order;
}

using Segment = std::tuple<int32_t, int32_t, int32_t, int32_t>;

// Every segment cut, either way round, sorted.
inline std::vector<Segment> CutSegments(const JobPlan& plan) {
    std::vector<Segment> segments;
    for (const PlanStep& step : plan.steps) {
        for (uint32_t k = 1; k < plan.PathOf(step).count; ++k) {
            PlanPoint a = plan.PointOf(step, k - 1), b = plan.PointOf(step, k);
            if (std::tie(b.x, b.y) < std::tie(a.x, a.y))
                std::swap(a, b);
            segments.emplace_back(a.x, a.y, b.x, b.y);
        }
    }
    std::sort(segments.begin(), segments.end());
    return segments;
}

// Every path that lies inside a closed path (and is not the same outline) is
// cut before it.
inline void ExpectInsideFirst(const JobPlan& plan) {
    const size_t n = plan.steps.size();
    for (size_t a = 0; a < n; ++a) {
        if (!plan.PathOf(plan.steps[a]).closed)
            continue;
        for (size_t b = 0; b < n; ++b) {
            if (a == b || !LiesInside(plan, plan.steps[b], plan.steps[a]) ||
                (plan.PathOf(plan.steps[b]).closed &&
                 LiesInside(plan, plan.steps[a], plan.steps[b])))
                continue;
            EXPECT_LT(b, a) << "path " << plan.steps[b].path << " inside path "
                            << plan.steps[a].path << " is cut after it";
        }
    }
}

}  // namespace tarnik::testing
