// Short pen-up travel: nearest allowed path next, closed paths started at
// the corner that suits their neighbours, stragglers moved next to their
// neighbours in space, then 2-opt and Or-opt over a window of positions.
#include "sender/plan/travel_order.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "sender/plan/travel_grid.h"
#include "sender/plan/travel_relink.h"

namespace tarnik {
namespace {

// Positions a 2-opt reversal may span, and how far Or-opt moves a run:
// windows keep a pass linear in the number of paths (100 000 paths plan in
// well under a second) while catching the crossings the nearest-path order
// leaves between neighbours.
constexpr uint32_t kTwoOptWindow = 24;
constexpr uint32_t kOrOptWindow = 12;
constexpr uint32_t kOrOptLongestRun = 3;
constexpr int kMostPasses = 1;
// Improvements smaller than this (plotter units) are not taken: they only
// trade rounding noise.
constexpr double kLeastGain = 1e-6;

// The tour as positions, with the moves that keep the rules.
class TourImprover {
  public:
    TourImprover(StepEnds& ends, const Nesting& nesting, const std::vector<int64_t>& panel,
                 TravelTour& tour)
        : ends_(ends), nesting_(nesting), panel_(panel), seq_(tour.order), rev_(tour.reversed) {
        pos_.resize(seq_.size());
        for (uint32_t k = 0; k < seq_.size(); ++k) pos_[seq_[k]] = k;
    }

    double TwoOptPass();
    double OrOptPass();
    double ReseatPass();

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

    StepEnds& ends_;
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
            double delta = TravelDistance(before, tail) - TravelDistance(before, head);
            if (next)
                delta += TravelDistance(head, *next) - TravelDistance(tail, *next);
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
    double removed = TravelDistance(before, in);
    if (after)
        removed += TravelDistance(out, *after) - TravelDistance(before, *after);
    // Inserting between a and b (b absent at the end), either way round.
    auto best_insert = [&](PlanPoint a, std::optional<PlanPoint> b, bool& flip) {
        auto cost = [&](PlanPoint enter, PlanPoint leave) {
            return TravelDistance(a, enter) +
                   (b ? TravelDistance(leave, *b) - TravelDistance(a, *b) : 0.0);
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

double TourImprover::ReseatPass() {
    double gained = 0.0;
    for (uint32_t k = 0; k < seq_.size(); ++k) {
        const uint32_t s = seq_[k];
        if (ends_.rotatable[s] == 0)
            continue;
        const PlanPoint before = ExitBefore(k);
        const std::optional<PlanPoint> after = EntryAt(k + 1);
        const double now = TravelDistance(before, ends_.first[s]) +
                           (after ? TravelDistance(ends_.last[s], *after) : 0.0);
        double best = 0.0;
        const uint32_t corner = ends_.BestCorner(s, before, after, best);
        if (best < now - kLeastGain) {
            ends_.Seat(s, corner);
            gained += now - best;
        }
    }
    return gained;
}

}  // namespace

TravelTour NearestPathTour(const JobPlan& plan, const Nesting& nesting,
                           const std::vector<int64_t>& panel) {
    const auto n = static_cast<uint32_t>(plan.steps.size());
    StepEnds ends(plan);
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
        EntryGrid grid(ends, members);
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
    tour.start = std::move(ends.start);
    return tour;
}

void ImproveTour(const JobPlan& plan, const Nesting& nesting, const std::vector<int64_t>& panel,
                 TravelTour& tour) {
    StepEnds ends(plan);
    for (uint32_t s = 0; s < ends.start.size(); ++s)
        if (ends.rotatable[s] != 0)
            ends.Seat(s, tour.start[s]);
    // Closed paths seated for their neighbours first, so that the moves
    // below weigh them as they will be cut.
    TourImprover first_seats(ends, nesting, panel, tour);
    first_seats.ReseatPass();
    first_seats.ReseatPass();
    RelinkStragglers(ends, nesting, panel, tour);
    TourImprover improver(ends, nesting, panel, tour);
    for (int pass = 0; pass < kMostPasses; ++pass) {
        const double gained = improver.TwoOptPass() + improver.ReseatPass();
        const double moves = improver.OrOptPass();
        if (gained <= kLeastGain && moves == 0.0)
            break;
    }
    improver.ReseatPass();
    tour.start = std::move(ends.start);
}

}  // namespace tarnik
