// The order stage: panels, inside first, shortest travel.
#include "sender/plan/cut_order.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <queue>

#include "sender/plan/travel_order.h"

namespace tarnik {
namespace {

int64_t PanelOf(int32_t x, double panel_units) {
    return static_cast<int64_t>(std::floor(static_cast<double>(x) / panel_units));
}

// Steps in the order of key (then as drawn), each after its contents. A
// cycle (coinciding outlines lie inside each other) is broken by taking the
// waiting step of the smallest key.
std::vector<uint32_t> InsideFirst(const Nesting& nesting, const std::vector<int64_t>& key) {
    const uint32_t n = nesting.StepCount();
    std::vector<uint32_t> waiting(n);
    for (uint32_t i = 0; i < n; ++i)
        waiting[i] = static_cast<uint32_t>(nesting.ContentsOf(i).size());
    using Entry = std::pair<int64_t, uint32_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> ready;
    for (uint32_t i = 0; i < n; ++i)
        if (waiting[i] == 0)
            ready.emplace(key[i], i);
    std::vector<uint32_t> by_key(n);
    std::iota(by_key.begin(), by_key.end(), 0u);
    std::stable_sort(by_key.begin(), by_key.end(),
                     [&](uint32_t a, uint32_t b) { return key[a] < key[b]; });
    std::vector<uint8_t> done(n, 0);
    std::vector<uint32_t> order;
    order.reserve(n);
    size_t forced = 0;
    while (order.size() < n) {
        if (ready.empty()) {
            while (done[by_key[forced]] != 0) ++forced;
            ready.emplace(key[by_key[forced]], by_key[forced]);
        }
        const uint32_t i = ready.top().second;
        ready.pop();
        if (done[i] != 0)
            continue;
        done[i] = 1;
        order.push_back(i);
        for (const uint32_t c : nesting.ContainersOf(i))
            if (done[c] == 0 && waiting[c] > 0 && --waiting[c] == 0)
                ready.emplace(key[c], c);
    }
    return order;
}

}  // namespace

std::vector<int64_t> AssignPanels(const JobPlan& plan, const Nesting& nesting, double panel_units) {
    const uint32_t n = nesting.StepCount();
    std::vector<int64_t> panel(n, 0);
    if (!(panel_units > 0.0))
        return panel;
    // Containers before their contents: the reverse of an inside-first order.
    const std::vector<uint32_t> inside_first = InsideFirst(nesting, std::vector<int64_t>(n, 0));
    std::vector<uint8_t> set(n, 0);
    for (auto it = inside_first.rbegin(); it != inside_first.rend(); ++it) {
        const uint32_t i = *it;
        panel[i] = PanelOf(plan.BoxOf(plan.steps[i]).MinX, panel_units);
        bool contained = false;
        for (const uint32_t c : nesting.ContainersOf(i)) {
            if (set[c] == 0)
                continue;  // a broken cycle: the step decides by itself
            panel[i] = contained ? std::min(panel[i], panel[c]) : panel[c];
            contained = true;
        }
        set[i] = 1;
    }
    return panel;
}

void OrderPlan(JobPlan& plan, const CutPlanOptions& options, double units_per_mm) {
    if (!options.Reorders() || plan.steps.empty())
        return;
    const double panel_units = options.PanelLength > 0.0f
                                   ? std::min(options.PanelLength, kMaxPanelLengthMm) * units_per_mm
                                   : 0.0;
    const Nesting nesting = FindNesting(plan);
    const std::vector<int64_t> panel = AssignPanels(plan, nesting, panel_units);
    const std::vector<PlanStep> drawn = plan.steps;
    std::vector<uint32_t> order;
    std::vector<uint8_t> reversed(drawn.size(), 0);
    std::vector<uint32_t> start(drawn.size(), 0);
    if (options.Order == CutOrder::Shortest) {
        TravelTour tour = NearestPathTour(plan, nesting, panel);
        ImproveTour(plan, nesting, panel, tour);
        order = std::move(tour.order);
        reversed = std::move(tour.reversed);
        start = std::move(tour.start);
    } else if (options.Order == CutOrder::Inside) {
        order = InsideFirst(nesting, panel);
    } else {
        order.resize(drawn.size());
        std::iota(order.begin(), order.end(), 0u);
        std::stable_sort(order.begin(), order.end(),
                         [&](uint32_t a, uint32_t b) { return panel[a] < panel[b]; });
    }
    for (size_t k = 0; k < order.size(); ++k) {
        plan.steps[k] = drawn[order[k]];
        plan.steps[k].reversed = reversed[order[k]] != 0;
        plan.steps[k].start = start[order[k]];
    }
}

double PenUpTravel(const JobPlan& plan) {
    double travel = 0.0;
    PlanPoint at{0, 0};
    for (const PlanStep& step : plan.steps) {
        const PlanPoint entry = plan.Entry(step);
        travel +=
            std::hypot(static_cast<double>(entry.x) - at.x, static_cast<double>(entry.y) - at.y);
        at = plan.Exit(step);
    }
    return travel;
}

}  // namespace tarnik
