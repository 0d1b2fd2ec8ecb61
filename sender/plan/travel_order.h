#pragma once
// Short pen-up travel under the inside-first and panel rules: the nearest
// allowed path next (a grid over the places the paths that may be cut now
// can be entered at), then passes of local improvements over a window of
// neighbouring positions, each kept only when it shortens the travel and
// keeps the rules: reversing a run of paths (2-opt), moving one to three
// paths elsewhere, either way round (Or-opt), and starting each closed path
// at the corner nearest the way from the path before to the path after.
#include <cstdint>
#include <vector>

#include "sender/plan/job_plan.h"
#include "sender/plan/nesting.h"

namespace tarnik {

// The order of the steps (indices into plan.steps, which stay as drawn) and
// which are cut backwards; panel[i] is step i's panel (cut in rising order).
struct TravelTour {
    std::vector<uint32_t> order;
    std::vector<uint8_t> reversed;  // by step index
    std::vector<uint32_t> start;    // by step index: a closed path's first corner
};

// Nearest allowed path next, from (0, 0).
TravelTour NearestPathTour(const JobPlan& plan, const Nesting& nesting,
                           const std::vector<int64_t>& panel);
// Improves tour in place; the travel never grows.
void ImproveTour(const JobPlan& plan, const Nesting& nesting, const std::vector<int64_t>& panel,
                 TravelTour& tour);

}  // namespace tarnik
