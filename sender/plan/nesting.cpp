// Finding which paths lie inside which closed paths: a grid over the closed
// paths' bounding boxes gives the candidates of each path, the smallest
// boxes are tried first, and the vertices decide.
#include "sender/plan/nesting.h"

#include <algorithm>
#include <cmath>

namespace tarnik {
namespace {

// A closed path whose box covers more grid cells than this is kept in one
// list that every path tries (a border, a large letter) instead of in each
// of its cells.
constexpr uint32_t kMostCellsPerBox = 64;
constexpr uint32_t kMostGridSide = 1024;

class ContainerGrid {
  public:
    ContainerGrid(const std::vector<PlanBox>& boxes, const std::vector<uint32_t>& closed) {
        for (const uint32_t c : closed) {
            extent_.Add({boxes[c].MinX, boxes[c].MinY});
            extent_.Add({boxes[c].MaxX, boxes[c].MaxY});
        }
        const double side = std::ceil(std::sqrt(static_cast<double>(closed.size())));
        side_ = static_cast<uint32_t>(std::clamp(side, 1.0, double{kMostGridSide}));
        cell_x_ = CellSize(extent_.MinX, extent_.MaxX);
        cell_y_ = CellSize(extent_.MinY, extent_.MaxY);
        first_.assign(size_t{side_} * side_ + 1, 0);
        // Two passes: count each cell's boxes, then place them.
        ForEachRegistration(boxes, closed, true,
                            [&](uint32_t cell, uint32_t) { ++first_[cell + 1]; });
        for (size_t k = 1; k < first_.size(); ++k) first_[k] += first_[k - 1];
        members_.resize(first_.back());
        std::vector<uint32_t> fill(first_.begin(), first_.end() - 1);
        ForEachRegistration(boxes, closed, false,
                            [&](uint32_t cell, uint32_t c) { members_[fill[cell]++] = c; });
    }

    // Calls visit(c) for every closed path whose box may hold p.
    template <typename Visit>
    void Candidates(PlanPoint p, Visit visit) const {
        for (const uint32_t c : wide_) visit(c);
        if (p.x < extent_.MinX || p.x > extent_.MaxX || p.y < extent_.MinY || p.y > extent_.MaxY)
            return;
        const uint32_t cell = CellY(p.y) * side_ + CellX(p.x);
        for (uint32_t k = first_[cell]; k < first_[cell + 1]; ++k) visit(members_[k]);
    }

  private:
    double CellSize(int32_t low, int32_t high) const {
        const double span = static_cast<double>(int64_t{high} - low) + 1.0;
        return span / side_;
    }
    uint32_t CellX(int32_t x) const { return Cell(x, extent_.MinX, cell_x_); }
    uint32_t CellY(int32_t y) const { return Cell(y, extent_.MinY, cell_y_); }
    uint32_t Cell(int32_t v, int32_t low, double size) const {
        const auto cell = static_cast<uint32_t>(static_cast<double>(int64_t{v} - low) / size);
        return cell < side_ ? cell : side_ - 1;
    }
    template <typename Register>
    void ForEachRegistration(const std::vector<PlanBox>& boxes, const std::vector<uint32_t>& closed,
                             bool counting, Register reg) {
        for (const uint32_t c : closed) {
            const PlanBox& b = boxes[c];
            const uint32_t x0 = CellX(b.MinX), x1 = CellX(b.MaxX);
            const uint32_t y0 = CellY(b.MinY), y1 = CellY(b.MaxY);
            if (uint64_t{x1 - x0 + 1} * (y1 - y0 + 1) > kMostCellsPerBox) {
                if (counting)
                    wide_.push_back(c);
                continue;
            }
            for (uint32_t y = y0; y <= y1; ++y)
                for (uint32_t x = x0; x <= x1; ++x) reg(y * side_ + x, c);
        }
    }

    PlanBox extent_;
    uint32_t side_ = 1;
    double cell_x_ = 1.0;
    double cell_y_ = 1.0;
    std::vector<uint32_t> first_;
    std::vector<uint32_t> members_;
    std::vector<uint32_t> wide_;
};

double BoxArea(const PlanBox& b) {
    return (static_cast<double>(int64_t{b.MaxX} - b.MinX) + 1.0) *
           (static_cast<double>(int64_t{b.MaxY} - b.MinY) + 1.0);
}

}  // namespace

void Nesting::Build(uint32_t steps, const std::vector<std::pair<uint32_t, uint32_t>>& pairs) {
    container_first_.assign(size_t{steps} + 1, 0);
    content_first_.assign(size_t{steps} + 1, 0);
    for (const auto& [inner, outer] : pairs) {
        ++container_first_[inner + 1];
        ++content_first_[outer + 1];
    }
    for (uint32_t k = 1; k <= steps; ++k) {
        container_first_[k] += container_first_[k - 1];
        content_first_[k] += content_first_[k - 1];
    }
    containers_.resize(pairs.size());
    contents_.resize(pairs.size());
    std::vector<uint32_t> fill_in(container_first_.begin(), container_first_.end() - 1);
    std::vector<uint32_t> fill_out(content_first_.begin(), content_first_.end() - 1);
    for (const auto& [inner, outer] : pairs) {
        containers_[fill_in[inner]++] = outer;
        contents_[fill_out[outer]++] = inner;
    }
}

bool InsideOrOnEdge(const JobPlan& plan, const PlanStep& closed, PlanPoint p) {
    const uint32_t count = plan.PathOf(closed).count;
    bool inside = false;
    PlanPoint a = plan.PointOf(closed, 0);
    for (uint32_t k = 1; k < count; ++k) {
        const PlanPoint b = plan.PointOf(closed, k);
        const int64_t abx = int64_t{b.x} - a.x, aby = int64_t{b.y} - a.y;
        const int64_t apx = int64_t{p.x} - a.x, apy = int64_t{p.y} - a.y;
        // Differences reach 2^32, so their products need more than 64 bits.
        const __int128 cross = static_cast<__int128>(abx) * apy - static_cast<__int128>(aby) * apx;
        if (cross == 0 && p.x >= std::min(a.x, b.x) && p.x <= std::max(a.x, b.x) &&
            p.y >= std::min(a.y, b.y) && p.y <= std::max(a.y, b.y)) {
            return true;
        }
        // A ray from p towards +x crosses the edge.
        if ((a.y > p.y) != (b.y > p.y) && (aby > 0 ? cross > 0 : cross < 0))
            inside = !inside;
        a = b;
    }
    return inside;
}

bool LiesInside(const JobPlan& plan, const PlanStep& inner, const PlanStep& closed) {
    const uint32_t count = plan.PathOf(inner).count;
    for (uint32_t k = 0; k < count; ++k) {
        if (!InsideOrOnEdge(plan, closed, plan.PointOf(inner, k)))
            return false;
    }
    return true;
}

Nesting FindNesting(const JobPlan& plan) {
    const auto n = static_cast<uint32_t>(plan.steps.size());
    std::vector<PlanBox> boxes(n);
    std::vector<uint32_t> closed;
    for (uint32_t i = 0; i < n; ++i) {
        boxes[i] = plan.BoxOf(plan.steps[i]);
        if (plan.PathOf(plan.steps[i]).closed)
            closed.push_back(i);
    }
    std::vector<std::pair<uint32_t, uint32_t>> pairs;
    if (!closed.empty()) {
        const ContainerGrid grid(boxes, closed);
        std::vector<std::pair<double, uint32_t>> tries;
        std::vector<uint32_t> kept;
        for (uint32_t i = 0; i < n; ++i) {
            tries.clear();
            grid.Candidates(plan.Entry(plan.steps[i]), [&](uint32_t c) {
                if (c != i && boxes[c].Holds(boxes[i]))
                    tries.emplace_back(BoxArea(boxes[c]), c);
            });
            // Boxes equal to the path's own (coinciding outlines, a diamond
            // in its square) and larger ones are tried up to the limit each,
            // so that many coinciding outlines cannot hide the one around them.
            const size_t sorted = std::min(tries.size(), 4 * kContainerTries);
            std::partial_sort(tries.begin(), tries.begin() + static_cast<std::ptrdiff_t>(sorted),
                              tries.end());
            kept.clear();
            size_t equal_tried = 0;
            size_t larger_tried = 0;
            const PlanStep& inner = plan.steps[i];
            const bool inner_closed = plan.PathOf(inner).closed;
            for (size_t t = 0; t < sorted; ++t) {
                const uint32_t c = tries[t].second;
                const bool equal_box = boxes[c].Holds(boxes[i]) && boxes[i].Holds(boxes[c]);
                if (++(equal_box ? equal_tried : larger_tried) > kContainerTries)
                    continue;
                const PlanStep& outer = plan.steps[c];
                if (!LiesInside(plan, inner, outer))
                    continue;
                // Coinciding outlines lie inside each other: cut as drawn.
                if (inner_closed && LiesInside(plan, outer, inner))
                    continue;
                // A container around one already kept is reached through it.
                const bool around_kept = std::any_of(kept.begin(), kept.end(), [&](uint32_t k) {
                    return LiesInside(plan, plan.steps[k], outer) &&
                           !LiesInside(plan, outer, plan.steps[k]);
                });
                if (!around_kept)
                    kept.push_back(c);
            }
            for (const uint32_t c : kept) pairs.emplace_back(i, c);
        }
    }
    Nesting nesting;
    nesting.Build(n, pairs);
    return nesting;
}

}  // namespace tarnik
