#pragma once
// Which paths lie inside which closed paths. Path B lies inside closed path
// A when every point of B is inside A or on its edge, by the even-odd rule
// (so a self-crossing A holds only what its filled areas hold). Only the
// vertices of B are tested: a path whose vertices all lie in A but whose
// segment leaves it between two of them is still cut before A, which costs
// travel but never cuts a piece free early.
//
// For each path only its innermost containers are kept: for nested rings
// the chain ring by ring carries the order outwards, and two crossing
// containers of one path both stay. Coinciding closed paths each lie inside
// the other: no order between them is kept (they are cut as drawn), but
// what lies around them is still cut after both.
#include <cstdint>
#include <span>
#include <vector>

#include "sender/plan/job_plan.h"

namespace tarnik {

// The most containers tried per path, smallest bounding box first, among
// boxes equal to its own and among larger ones. A design of many coinciding
// outlines would otherwise test every pair of them.
inline constexpr std::size_t kContainerTries = 24;

class Nesting {
  public:
    // The innermost closed steps holding step i (indices into plan.steps).
    std::span<const uint32_t> ContainersOf(uint32_t i) const {
        return {containers_.data() + container_first_[i],
                container_first_[i + 1] - container_first_[i]};
    }
    // The steps whose innermost containers include step i.
    std::span<const uint32_t> ContentsOf(uint32_t i) const {
        return {contents_.data() + content_first_[i], content_first_[i + 1] - content_first_[i]};
    }
    uint32_t StepCount() const { return static_cast<uint32_t>(container_first_.size()) - 1; }

    // pairs: (inner step, container step), every inner step's pairs together.
    void Build(uint32_t steps, const std::vector<std::pair<uint32_t, uint32_t>>& pairs);

  private:
    std::vector<uint32_t> container_first_{0};
    std::vector<uint32_t> containers_;
    std::vector<uint32_t> content_first_{0};
    std::vector<uint32_t> contents_;
};

// Whether p lies inside the closed step's area (even-odd) or on its edge.
bool InsideOrOnEdge(const JobPlan& plan, const PlanStep& closed, PlanPoint p);
// Whether every vertex of inner lies inside closed or on its edge.
bool LiesInside(const JobPlan& plan, const PlanStep& inner, const PlanStep& closed);

// The nesting of plan.steps.
Nesting FindNesting(const JobPlan& plan);

}  // namespace tarnik
