// Short pen-up travel: nearest allowed path next, then 2-opt and Or-opt
// passes over a window of positions.
#include "sender/plan/travel_order.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace tarnik {
namespace {

constexpr uint32_t kMostGridSide = 2048;
// Positions a 2-opt reversal may span, and how far Or-opt moves a run:
// windows keep a pass linear in the number of paths (100 000 paths plan in
// well under a second) while catching the crossings the nearest-path order
// leaves between neighbours.
constexpr uint32_t kTwoOptWindow = 24;
constexpr uint32_t kOrOptWindow = 12;
constexpr uint32_t kOrOptLongestRun = 3;
constexpr int kMostPasses = 2;
// Improvements smaller than this (plotter units) are not taken: they only
// trade rounding noise.
constexpr double kLeastGain = 1e-6;

double Distance(PlanPoint a, PlanPoint b) {
    const double dx = static_cast<double>(a.x) - b.x;
    const double dy = static_cast<double>(a.y) - b.y;
    return std::sqrt(dx * dx + dy * dy);
}

// The end points of every step, placed.
struct StepEnds {
    std::vector<PlanPoint> first;
    std::vector<PlanPoint> last;
    std::vector<uint8_t> closed;
    std::vector<uint8_t> reversible;  // an open path that is not dashed

    explicit StepEnds(const JobPlan& plan) {
        const size_t n = plan.steps.size();
        first.resize(n);
        last.resize(n);
        closed.resize(n);
        reversible.resize(n);
        for (size_t i = 0; i < n; ++i) {
            PlanStep step = plan.steps[i];
            step.reversed = false;
            first[i] = plan.Entry(step);
            last[i] = plan.Exit(step);
            const IndexedPath& path = plan.PathOf(step);
            closed[i] = path.closed ? 1 : 0;
            reversible[i] = !path.closed && !path.dashed ? 1 : 0;
        }
    }
};

// End points of the steps that may be cut now, in a grid for the nearest
// search. Entries are step * 2 (start) and step * 2 + 1 (end, for a
// reversible path); entries of cut steps are dropped when met.
class EndGrid {
  public:
    EndGrid(const StepEnds& ends, const std::vector<uint32_t>& members) : ends_(ends) {
        for (const uint32_t s : members) {
            extent_.Add(ends.first[s]);
            extent_.Add(ends.last[s]);
        }
        const double side = std::ceil(std::sqrt(static_cast<double>(members.size()) / 2.0));
        side_ = static_cast<uint32_t>(std::clamp(side, 1.0, double{kMostGridSide}));
        cell_x_ = (static_cast<double>(int64_t{extent_.MaxX} - extent_.MinX) + 1.0) / side_;
        cell_y_ = (static_cast<double>(int64_t{extent_.MaxY} - extent_.MinY) + 1.0) / side_;
        cells_.resize(size_t{side_} * side_);
    }

    void Insert(uint32_t s) {
        cells_[CellOf(ends_.first[s])].push_back(s * 2);
        if (ends_.reversible[s] != 0)
            cells_[CellOf(ends_.last[s])].push_back(s * 2 + 1);
    }

    // The nearest entry of a step not yet cut; false when none is left.
    bool Nearest(PlanPoint p, const std::vector<uint8_t>& done, uint32_t& step, bool& reversed) {
        const int64_t cx = Coordinate(p.x, extent_.MinX, cell_x_);
        const int64_t cy = Coordinate(p.y, extent_.MinY, cell_y_);
        const double ring_width = std::min(cell_x_, cell_y_);
        double best = INFINITY;
        uint32_t best_entry = UINT32_MAX;
        for (int64_t r = 0; r <= int64_t{side_}; ++r) {
            for (int64_t y = cy - r; y <= cy + r; ++y) {
                if (y < 0 || y >= side_)
                    continue;
                const bool edge_row = y == cy - r || y == cy + r;
                for (int64_t x = cx - r; x <= cx + r; x += edge_row ? 1 : 2 * r) {
                    if (x >= 0 && x < side_)
                        Visit(cells_[static_cast<size_t>(y * side_ + x)], p, done, best,
                              best_entry);
                    if (r == 0)
                        break;
                }
            }
            // Entries of rings further out lie at least r cells away.
            if (best_entry != UINT32_MAX && best <= static_cast<double>(r) * ring_width)
                break;
        }
        if (best_entry == UINT32_MAX)
            return false;
        step = best_entry / 2;
        reversed = (best_entry & 1) != 0;
        return true;
    }

  private:
    void Visit(std::vector<uint32_t>& cell, PlanPoint p, const std::vector<uint8_t>& done,
               double& best, uint32_t& best_entry) {
        for (size_t k = 0; k < cell.size();) {
            const uint32_t entry = cell[k];
            if (done[entry / 2] != 0) {
                cell[k] = cell.back();
                cell.pop_back();
                continue;
            }
            const PlanPoint at = (entry & 1) != 0 ? ends_.last[entry / 2] : ends_.first[entry / 2];
            const double d = Distance(p, at);
            if (d < best || (d == best && entry < best_entry)) {
                best = d;
                best_entry = entry;
            }
            ++k;
        }
    }
    int64_t Coordinate(int32_t v, int32_t low, double size) const {
        const double cell = std::floor((static_cast<double>(v) - low) / size);
        return static_cast<int64_t>(std::clamp(cell, 0.0, static_cast<double>(side_ - 1)));
    }
    size_t CellOf(PlanPoint p) const {
        return static_cast<size_t>(Coordinate(p.y, extent_.MinY, cell_y_) * side_ +
                                   Coordinate(p.x, extent_.MinX, cell_x_));
    }

    const StepEnds& ends_;
    PlanBox extent_;
    uint32_t side_ = 1;
    double cell_x_ = 1.0;
    double cell_y_ = 1.0;
    std::vector<std::vector<uint32_t>> cells_;
};

// The tour as positions, with the moves that keep the rules.
class TourImprover {
  public:
    TourImprover(const StepEnds& ends, const Nesting& nesting, const std::vector<int64_t>& panel,
                 TravelTour& tour)
        : ends_(ends), nesting_(nesting), panel_(panel), seq_(tour.order), rev_(tour.reversed) {
        pos_.resize(seq_.size());
        for (uint32_t k = 0; k < seq_.size(); ++k) pos_[seq_[k]] = k;
    }

    double TwoOptPass();
    double OrOptPass();

  private:
    PlanPoint Entry(uint32_t k) const {
        const uint32_t s = seq_[k];
        return rev_[s] != 0 ? ends_.last[s] : ends_.first[s];
    }
    PlanPoint Exit(uint32_t k) const {
        const uint32_t s = seq_[k];
        return rev_[s] != 0 ? ends_.first[s] : ends_.last[s];
    }
    PlanPoint ExitBefore(uint32_t k) const { return k == 0 ? PlanPoint{0, 0} : Exit(k - 1); }
    std::optional<PlanPoint> EntryAt(uint32_t k) const {
        return k < seq_.size() ? std::optional<PlanPoint>(Entry(k)) : std::nullopt;
    }
    bool Flippable(uint32_t s) const { return ends_.closed[s] != 0 || ends_.reversible[s] != 0; }
    // Whether step s must keep its order with a step at a position in [lo, hi].
    bool BoundWithin(uint32_t s, uint32_t lo, uint32_t hi) const {
        for (const uint32_t r : nesting_.ContainersOf(s))
            if (pos_[r] >= lo && pos_[r] <= hi)
                return true;
        for (const uint32_t r : nesting_.ContentsOf(s))
            if (pos_[r] >= lo && pos_[r] <= hi)
                return true;
        return false;
    }
    void Renumber(uint32_t lo, uint32_t hi) {
        for (uint32_t k = lo; k <= hi; ++k) pos_[seq_[k]] = k;
    }
    // Reverses positions [lo, hi]: their order and each open path's way.
    void Flip(uint32_t lo, uint32_t hi) {
        std::reverse(seq_.begin() + lo, seq_.begin() + hi + 1);
        for (uint32_t k = lo; k <= hi; ++k)
            if (ends_.reversible[seq_[k]] != 0)
                rev_[seq_[k]] ^= 1;
        Renumber(lo, hi);
    }
    bool TryMoveRun(uint32_t i, uint32_t length);

    const StepEnds& ends_;
    const Nesting& nesting_;
    const std::vector<int64_t>& panel_;
    std::vector<uint32_t>& seq_;
    std::vector<uint8_t>& rev_;
    std::vector<uint32_t> pos_;
};

double TourImprover::TwoOptPass() {
    double gained = 0.0;
    const auto n = static_cast<uint32_t>(seq_.size());
    for (uint32_t i = 0; i < n; ++i) {
        const PlanPoint before = ExitBefore(i);
        const PlanPoint head = Entry(i);
        for (uint32_t j = i; j < n && j <= i + kTwoOptWindow; ++j) {
            const uint32_t s = seq_[j];
            if (panel_[s] != panel_[seq_[i]] || !Flippable(s) ||
                (j > i && BoundWithin(s, i, j - 1)))
                break;
            const std::optional<PlanPoint> next = EntryAt(j + 1);
            const PlanPoint tail = Exit(j);
            double delta = Distance(before, tail) - Distance(before, head);
            if (next)
                delta += Distance(head, *next) - Distance(tail, *next);
            if (delta < -kLeastGain) {
                Flip(i, j);
                gained -= delta;
                break;
            }
        }
    }
    return gained;
}

bool TourImprover::TryMoveRun(uint32_t i, uint32_t length) {
    const auto n = static_cast<uint32_t>(seq_.size());
    const uint32_t last = i + length - 1;
    const int64_t run_panel = panel_[seq_[i]];
    bool flippable = true;
    for (uint32_t k = i; k <= last; ++k) {
        if (panel_[seq_[k]] != run_panel)
            return false;
        flippable = flippable && Flippable(seq_[k]) && (k == i || !BoundWithin(seq_[k], i, k - 1));
    }
    const PlanPoint before = ExitBefore(i);
    const PlanPoint in = Entry(i);
    const PlanPoint out = Exit(last);
    const std::optional<PlanPoint> after = EntryAt(last + 1);
    double removed = Distance(before, in);
    if (after)
        removed += Distance(out, *after) - Distance(before, *after);
    // Inserting between a and b (b absent at the end), either way round.
    auto best_insert = [&](PlanPoint a, std::optional<PlanPoint> b, bool& flip) {
        auto cost = [&](PlanPoint enter, PlanPoint leave) {
            return Distance(a, enter) + (b ? Distance(leave, *b) - Distance(a, *b) : 0.0);
        };
        const double straight = cost(in, out);
        const double flipped = flippable ? cost(out, in) : INFINITY;
        flip = flipped < straight;
        return std::min(straight, flipped);
    };
    bool flip = false;
    for (uint32_t q = last + 1; q < n && q <= last + kOrOptWindow; ++q) {
        if (panel_[seq_[q]] != run_panel || BoundWithin(seq_[q], i, last))
            break;
        if (best_insert(Exit(q), EntryAt(q + 1), flip) - removed < -kLeastGain) {
            std::rotate(seq_.begin() + i, seq_.begin() + last + 1, seq_.begin() + q + 1);
            Renumber(i, q);
            if (flip)
                Flip(q + 1 - length, q);
            return true;
        }
    }
    for (uint32_t q = i; q-- > 0 && q + kOrOptWindow >= i;) {
        if (panel_[seq_[q]] != run_panel || BoundWithin(seq_[q], i, last))
            break;
        if (best_insert(ExitBefore(q), Entry(q), flip) - removed < -kLeastGain) {
            std::rotate(seq_.begin() + q, seq_.begin() + i, seq_.begin() + last + 1);
            Renumber(q, last);
            if (flip)
                Flip(q, q + length - 1);
            return true;
        }
    }
    return false;
}

double TourImprover::OrOptPass() {
    double moves = 0.0;
    const auto n = static_cast<uint32_t>(seq_.size());
    for (uint32_t i = 0; i < n; ++i)
        for (uint32_t length = 1; length <= kOrOptLongestRun && i + length <= n; ++length)
            if (TryMoveRun(i, length)) {
                moves += 1.0;
                break;
            }
    return moves;
}

}  // namespace

TravelTour NearestPathTour(const JobPlan& plan, const Nesting& nesting,
                           const std::vector<int64_t>& panel) {
    const auto n = static_cast<uint32_t>(plan.steps.size());
    const StepEnds ends(plan);
    TravelTour tour;
    tour.order.reserve(n);
    tour.reversed.assign(n, 0);
    std::vector<uint32_t> waiting(n);
    for (uint32_t i = 0; i < n; ++i)
        waiting[i] = static_cast<uint32_t>(nesting.ContentsOf(i).size());
    std::vector<uint32_t> by_panel(n);
    for (uint32_t i = 0; i < n; ++i) by_panel[i] = i;
    std::stable_sort(by_panel.begin(), by_panel.end(),
                     [&](uint32_t a, uint32_t b) { return panel[a] < panel[b]; });
    std::vector<uint8_t> done(n, 0);
    PlanPoint at{0, 0};
    for (uint32_t lo = 0; lo < n;) {
        uint32_t hi = lo;
        while (hi < n && panel[by_panel[hi]] == panel[by_panel[lo]]) ++hi;
        const std::vector<uint32_t> members(by_panel.begin() + lo, by_panel.begin() + hi);
        EndGrid grid(ends, members);
        for (const uint32_t s : members)
            if (waiting[s] == 0)
                grid.Insert(s);
        uint32_t forced = 0;
        for (uint32_t left = hi - lo; left > 0; --left) {
            uint32_t s = 0;
            bool reversed = false;
            if (!grid.Nearest(at, done, s, reversed)) {
                // Only steps in a cycle of coinciding outlines are left: the
                // first drawn of them goes.
                while (done[members[forced]] != 0) ++forced;
                s = members[forced];
            }
            done[s] = 1;
            tour.order.push_back(s);
            tour.reversed[s] = reversed ? 1 : 0;
            at = reversed ? ends.first[s] : ends.last[s];
            for (const uint32_t c : nesting.ContainersOf(s))
                if (done[c] == 0 && waiting[c] > 0 && --waiting[c] == 0 && panel[c] == panel[s])
                    grid.Insert(c);
        }
        lo = hi;
    }
    return tour;
}

void ImproveTour(const JobPlan& plan, const Nesting& nesting, const std::vector<int64_t>& panel,
                 TravelTour& tour) {
    const StepEnds ends(plan);
    TourImprover improver(ends, nesting, panel, tour);
    for (int pass = 0; pass < kMostPasses; ++pass) {
        const double gained = improver.TwoOptPass();
        const double moves = improver.OrOptPass();
        if (gained <= kLeastGain && moves == 0.0)
            break;
    }
}

}  // namespace tarnik
