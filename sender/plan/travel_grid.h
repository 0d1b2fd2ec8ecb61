#pragma once
// What the travel order measures: where each step is entered and left, and
// a grid of the places a step may be entered at for the nearest search.
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "sender/plan/job_plan.h"

namespace tarnik {

inline double TravelDistance(PlanPoint a, PlanPoint b) {
    const double dx = static_cast<double>(a.x) - b.x;
    const double dy = static_cast<double>(a.y) - b.y;
    return std::sqrt(dx * dx + dy * dy);
}

// Visits the cells of a side x side grid ring by ring around cell (cx, cy),
// the nearest ring first, until enough(r) says that everything in rings
// beyond r lies further than what was found.
template <typename VisitCell, typename Enough>
void SearchRings(int64_t cx, int64_t cy, int64_t side, VisitCell visit, Enough enough) {
    for (int64_t r = 0; r <= side; ++r) {
        for (int64_t y = cy - r; y <= cy + r; ++y) {
            if (y < 0 || y >= side)
                continue;
            const bool edge_row = y == cy - r || y == cy + r;
            for (int64_t x = cx - r; x <= cx + r; x += edge_row ? 1 : 2 * r) {
                if (x >= 0 && x < side)
                    visit(static_cast<size_t>(y * side + x));
                if (r == 0)
                    break;
            }
        }
        if (enough(r))
            return;
    }
}

// Where every step (of plan.steps, as drawn) is entered and left, placed.
// An open path is entered at its first point (its last when reversible and
// cut backwards). A closed path is entered and left at its start: the drawn
// one for a dashed path (its dashes run from there), otherwise any of its
// corners (Seat).
class StepEnds {
  public:
    explicit StepEnds(const JobPlan& plan);

    std::vector<PlanPoint> first;
    std::vector<PlanPoint> last;
    std::vector<uint32_t> start;  // the corner a closed step starts at
    std::vector<uint8_t> closed;
    std::vector<uint8_t> reversible;  // an open path that is not dashed
    std::vector<uint8_t> rotatable;   // a closed path that is not dashed

    // A closed step's corners, placed: k from 0 to Corners(s) - 1.
    uint32_t Corners(uint32_t s) const { return plan_.PathOf(plan_.steps[s]).count - 1; }
    PlanPoint Corner(uint32_t s, uint32_t k) const;
    // The corner of closed step s that makes the way from a through it to b
    // (to it alone without b) shortest; cost receives that way's length.
    uint32_t BestCorner(uint32_t s, PlanPoint a, const std::optional<PlanPoint>& b,
                        double& cost) const;
    void Seat(uint32_t s, uint32_t k) {
        start[s] = k;
        first[s] = last[s] = Corner(s, k);
    }

  private:
    const JobPlan& plan_;
};

// The places the steps of one panel may be entered at: the start (and the
// end of a reversible path) of an open step, the drawn start of a closed
// one. (Seeking every corner here was tried: the nearest corner leaves the
// knife on the near side of each outline, and the tour grows.) Steps join when they may be cut
// (Insert); entries of steps cut are dropped when met. Room for every member's entries is laid out
// at construction, so the grid never grows.
class EntryGrid {
  public:
    EntryGrid(const StepEnds& ends, const std::vector<uint32_t>& members);

    void Insert(uint32_t s);
    // The step with the entry nearest p among those not done, and whether
    // it is entered at its end; false when none is left.
    bool Nearest(PlanPoint p, const std::vector<uint8_t>& done, uint32_t& step, bool& reversed);

  private:
    struct Entry {
        PlanPoint at;
        uint32_t code;  // step * 2, + 1 when entered at its end
    };
    template <typename Visit>
    void ForEachEntry(uint32_t s, Visit visit) const;
    void VisitCell(size_t cell, PlanPoint p, const std::vector<uint8_t>& done, double& best,
                   uint32_t& best_code);
    int64_t Coordinate(int32_t v, int32_t low, double size) const;
    size_t CellOf(PlanPoint p) const;

    const StepEnds& ends_;
    PlanBox extent_;
    uint32_t side_ = 1;
    double cell_x_ = 1.0;
    double cell_y_ = 1.0;
    std::vector<uint32_t> cell_first_;  // a cell's room: [cell_first_[c], cell_first_[c + 1])
    std::vector<uint32_t> cell_end_;    // its live entries: [cell_first_[c], cell_end_[c])
    std::vector<Entry> entries_;
};

}  // namespace tarnik
