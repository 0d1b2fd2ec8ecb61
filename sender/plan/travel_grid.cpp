// The travel order's measures and its nearest-entry grid.
#include "sender/plan/travel_grid.h"

#include <algorithm>

namespace tarnik {
namespace {

constexpr uint32_t kMostGridSide = 2048;

}  // namespace

StepEnds::StepEnds(const JobPlan& plan) : plan_(plan) {
    const size_t n = plan.steps.size();
    first.resize(n);
    last.resize(n);
    start.assign(n, 0);
    closed.resize(n);
    reversible.resize(n);
    rotatable.resize(n);
    for (size_t i = 0; i < n; ++i) {
        const PlanStep step{plan.steps[i].path, plan.steps[i].placement, false, 0};
        first[i] = plan.Entry(step);
        last[i] = plan.Exit(step);
        const IndexedPath& path = plan.PathOf(step);
        closed[i] = path.closed ? 1 : 0;
        reversible[i] = !path.closed && !path.dashed ? 1 : 0;
        rotatable[i] = path.closed && !path.dashed ? 1 : 0;
    }
}

PlanPoint StepEnds::Corner(uint32_t s, uint32_t k) const {
    const PlanStep& step = plan_.steps[s];
    return plan_.placements[step.placement].Apply(plan_.index.PointOf(plan_.PathOf(step), k));
}

uint32_t StepEnds::BestCorner(uint32_t s, PlanPoint a, const std::optional<PlanPoint>& b,
                              double& cost) const {
    const PlanStep& step = plan_.steps[s];
    const IndexedPath& path = plan_.PathOf(step);
    const Placement& placement = plan_.placements[step.placement];
    uint32_t best = 0;
    cost = INFINITY;
    for (uint32_t k = 0; k + 1 < path.count; ++k) {
        const PlanPoint corner = placement.Apply(plan_.index.PointOf(path, k));
        const double way = TravelDistance(a, corner) + (b ? TravelDistance(corner, *b) : 0.0);
        if (way < cost) {
            cost = way;
            best = k;
        }
    }
    return best;
}

template <typename Visit>
void EntryGrid::ForEachEntry(uint32_t s, Visit visit) const {
    visit(ends_.first[s], s * 2);
    if (ends_.reversible[s] != 0)
        visit(ends_.last[s], s * 2 + 1);
}

EntryGrid::EntryGrid(const StepEnds& ends, const std::vector<uint32_t>& members) : ends_(ends) {
    size_t count = 0;
    for (const uint32_t s : members)
        ForEachEntry(s, [&](PlanPoint p, uint32_t) {
            extent_.Add(p);
            ++count;
        });
    const double side = std::ceil(std::sqrt(static_cast<double>(count) / 4.0));
    side_ = static_cast<uint32_t>(std::clamp(side, 1.0, double{kMostGridSide}));
    cell_x_ = (static_cast<double>(int64_t{extent_.MaxX} - extent_.MinX) + 1.0) / side_;
    cell_y_ = (static_cast<double>(int64_t{extent_.MaxY} - extent_.MinY) + 1.0) / side_;
    cell_first_.assign(size_t{side_} * side_ + 1, 0);
    for (const uint32_t s : members)
        ForEachEntry(s, [&](PlanPoint p, uint32_t) { ++cell_first_[CellOf(p) + 1]; });
    for (size_t c = 1; c < cell_first_.size(); ++c) cell_first_[c] += cell_first_[c - 1];
    cell_end_.assign(cell_first_.begin(), cell_first_.end() - 1);
    entries_.resize(count);
}

void EntryGrid::Insert(uint32_t s) {
    ForEachEntry(s, [&](PlanPoint p, uint32_t code) {
        entries_[cell_end_[CellOf(p)]++] = {p, code};
    });
}

bool EntryGrid::Nearest(PlanPoint p, const std::vector<uint8_t>& done, uint32_t& step,
                        bool& reversed) {
    const int64_t cx = Coordinate(p.x, extent_.MinX, cell_x_);
    const int64_t cy = Coordinate(p.y, extent_.MinY, cell_y_);
    const double ring_width = std::min(cell_x_, cell_y_);
    double best = INFINITY;
    uint32_t best_code = UINT32_MAX;
    // Entries of rings further out lie at least r cells away.
    SearchRings(
        cx, cy, side_, [&](size_t cell) { VisitCell(cell, p, done, best, best_code); },
        [&](int64_t r) {
            return best_code != UINT32_MAX && best <= static_cast<double>(r) * ring_width;
        });
    if (best_code == UINT32_MAX)
        return false;
    step = best_code / 2;
    reversed = (best_code & 1) != 0;
    return true;
}

void EntryGrid::VisitCell(size_t cell, PlanPoint p, const std::vector<uint8_t>& done, double& best,
                          uint32_t& best_code) {
    for (uint32_t k = cell_first_[cell]; k < cell_end_[cell];) {
        const Entry& entry = entries_[k];
        if (done[entry.code / 2] != 0) {
            entries_[k] = entries_[--cell_end_[cell]];
            continue;
        }
        const double d = TravelDistance(p, entry.at);
        if (d < best || (d == best && entry.code < best_code)) {
            best = d;
            best_code = entry.code;
        }
        ++k;
    }
}

int64_t EntryGrid::Coordinate(int32_t v, int32_t low, double size) const {
    const double cell = std::floor((static_cast<double>(v) - low) / size);
    return static_cast<int64_t>(std::clamp(cell, 0.0, static_cast<double>(side_ - 1)));
}

size_t EntryGrid::CellOf(PlanPoint p) const {
    return static_cast<size_t>(Coordinate(p.y, extent_.MinY, cell_y_) * side_ +
                               Coordinate(p.x, extent_.MinX, cell_x_));
}

}  // namespace tarnik
