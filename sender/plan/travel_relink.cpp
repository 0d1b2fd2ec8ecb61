// Moving stragglers of a tour next to their neighbours in space, on a linked
// list with order labels, so that a move costs the same however far apart in
// the tour the two places are.
#include "sender/plan/travel_relink.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace tarnik {
namespace {

constexpr uint32_t kNone = UINT32_MAX;
// Neighbours in space tried per path, and sweeps over the tour: bounded, so
// that a sweep stays linear in the number of paths.
constexpr uint32_t kNeighbours = 6;
constexpr uint32_t kLongestRun = 3;
constexpr int kSweeps = 2;
constexpr uint32_t kMostGridSide = 2048;
constexpr double kLeastGain = 1e-6;
// Labels start this far apart; a gap used up is closed by labelling afresh.
constexpr int64_t kLabelGap = int64_t{1} << 32;

// The paths nearest each path, by the place it was entered at when the
// sweeps began.
class NeighbourGrid {
  public:
    explicit NeighbourGrid(const std::vector<PlanPoint>& at) : at_(at) {
        for (const PlanPoint p : at) extent_.Add(p);
        const double side = std::ceil(std::sqrt(static_cast<double>(at.size()) / 2.0));
        side_ = static_cast<uint32_t>(std::clamp(side, 1.0, double{kMostGridSide}));
        cell_x_ = (static_cast<double>(int64_t{extent_.MaxX} - extent_.MinX) + 1.0) / side_;
        cell_y_ = (static_cast<double>(int64_t{extent_.MaxY} - extent_.MinY) + 1.0) / side_;
        first_.assign(size_t{side_} * side_ + 1, 0);
        for (const PlanPoint p : at) ++first_[CellOf(p) + 1];
        for (size_t c = 1; c < first_.size(); ++c) first_[c] += first_[c - 1];
        members_.resize(at.size());
        std::vector<uint32_t> fill(first_.begin(), first_.end() - 1);
        for (uint32_t s = 0; s < at.size(); ++s) members_[fill[CellOf(at[s])]++] = s;
    }

    // Up to kNeighbours paths but s nearest p, nearest first; returns how
    // many.
    uint32_t Nearest(PlanPoint p, uint32_t s, std::array<uint32_t, kNeighbours>& found) const {
        std::array<double, kNeighbours> distance{};
        uint32_t count = 0;
        const int64_t cx = Coordinate(p.x, extent_.MinX, cell_x_);
        const int64_t cy = Coordinate(p.y, extent_.MinY, cell_y_);
        const double ring_width = std::min(cell_x_, cell_y_);
        SearchRings(
            cx, cy, side_,
            [&](size_t cell) {
                for (uint32_t k = first_[cell]; k < first_[cell + 1]; ++k) {
                    const uint32_t t = members_[k];
                    if (t != s)
                        Keep(t, TravelDistance(p, at_[t]), found, distance, count);
                }
            },
            [&](int64_t r) {
                return count == kNeighbours &&
                       distance[count - 1] <= static_cast<double>(r) * ring_width;
            });
        return count;
    }

  private:
    static void Keep(uint32_t t, double d, std::array<uint32_t, kNeighbours>& found,
                     std::array<double, kNeighbours>& distance, uint32_t& count) {
        if (count == kNeighbours && d >= distance[count - 1])
            return;
        uint32_t k = count < kNeighbours ? count++ : count - 1;
        for (; k > 0 && distance[k - 1] > d; --k) {
            distance[k] = distance[k - 1];
            found[k] = found[k - 1];
        }
        distance[k] = d;
        found[k] = t;
    }
    int64_t Coordinate(int32_t v, int32_t low, double size) const {
        const double cell = std::floor((static_cast<double>(v) - low) / size);
        return static_cast<int64_t>(std::clamp(cell, 0.0, static_cast<double>(side_ - 1)));
    }
    size_t CellOf(PlanPoint p) const {
        return static_cast<size_t>(Coordinate(p.y, extent_.MinY, cell_y_) * side_ +
                                   Coordinate(p.x, extent_.MinX, cell_x_));
    }

    const std::vector<PlanPoint>& at_;
    PlanBox extent_;
    uint32_t side_ = 1;
    double cell_x_ = 1.0;
    double cell_y_ = 1.0;
    std::vector<uint32_t> first_;
    std::vector<uint32_t> members_;
};

// The tour as a linked list: node n stands for the job's start (0, 0).
class Relinker {
  public:
    Relinker(StepEnds& ends, const Nesting& nesting, const std::vector<int64_t>& panel,
             TravelTour& tour)
        : ends_(ends),
          nesting_(nesting),
          panel_(panel),
          rev_(tour.reversed),
          head_(static_cast<uint32_t>(tour.order.size())) {
        const uint32_t n = head_;
        prev_.assign(n + 1, kNone);
        next_.assign(n + 1, kNone);
        label_.assign(n + 1, 0);
        uint32_t at = head_;
        for (const uint32_t s : tour.order) {
            next_[at] = s;
            prev_[s] = at;
            at = s;
        }
        Relabel();
    }

    uint32_t Sweep(const NeighbourGrid& grid) {
        uint32_t moves = 0;
        for (const uint32_t s : Order())
            if (TryMove(s, grid))
                ++moves;
        return moves;
    }
    std::vector<uint32_t> Order() const {
        std::vector<uint32_t> order;
        order.reserve(head_);
        for (uint32_t s = next_[head_]; s != kNone; s = next_[s]) order.push_back(s);
        return order;
    }

  private:
    PlanPoint Entry(uint32_t s) const { return rev_[s] != 0 ? ends_.last[s] : ends_.first[s]; }
    PlanPoint ExitOf(uint32_t node) const {
        if (node == head_)
            return PlanPoint{0, 0};
        return rev_[node] != 0 ? ends_.first[node] : ends_.last[node];
    }
    std::optional<PlanPoint> EntryOf(uint32_t node) const {
        return node == kNone ? std::nullopt : std::optional<PlanPoint>(Entry(node));
    }
    // The travel added by cutting s (entered at in, left at out) between a
    // and b.
    static double Insertion(PlanPoint a, const std::optional<PlanPoint>& b, PlanPoint in,
                            PlanPoint out) {
        return TravelDistance(a, in) + (b ? TravelDistance(out, *b) - TravelDistance(a, *b) : 0.0);
    }
    bool InRun(uint32_t t, uint32_t s, uint32_t e) const {
        return label_[t] >= label_[s] && label_[t] <= label_[e];
    }
    // Whether the run s..e (one panel) may be cut between a and b: what lies
    // inside a path of it is cut before it, what lies around after it.
    bool Allowed(uint32_t s, uint32_t e, uint32_t a, uint32_t b) const {
        if ((a != head_ && panel_[a] > panel_[s]) || (b != kNone && panel_[b] < panel_[s]))
            return false;
        for (uint32_t m = s;; m = next_[m]) {
            for (const uint32_t c : nesting_.ContentsOf(m))
                if (!InRun(c, s, e) && label_[c] > label_[a])
                    return false;
            for (const uint32_t r : nesting_.ContainersOf(m))
                if (!InRun(r, s, e) && (b == kNone || label_[r] < label_[b]))
                    return false;
            if (m == e)
                return true;
        }
    }
    bool TryMove(uint32_t s, const NeighbourGrid& grid);
    bool TryMoveRun(uint32_t s, uint32_t e, const std::array<uint32_t, kNeighbours>& near,
                    uint32_t count);
    void MoveBetween(uint32_t s, uint32_t e, uint32_t a, uint32_t b);
    void Relabel() {
        int64_t label = 0;
        for (uint32_t s = head_; s != kNone; s = next_[s], label += kLabelGap) label_[s] = label;
    }

    StepEnds& ends_;
    const Nesting& nesting_;
    const std::vector<int64_t>& panel_;
    std::vector<uint8_t>& rev_;
    const uint32_t head_;
    std::vector<uint32_t> prev_;
    std::vector<uint32_t> next_;
    std::vector<int64_t> label_;
};

bool Relinker::TryMove(uint32_t s, const NeighbourGrid& grid) {
    std::array<uint32_t, kNeighbours> near{};
    const uint32_t count = grid.Nearest(Entry(s), s, near);
    // The run from s of one to kLongestRun paths: a counter and its outline
    // go together, neither alone may pass the other.
    uint32_t e = s;
    for (uint32_t length = 1; length <= kLongestRun && e != kNone; ++length, e = next_[e]) {
        if (length > 1 && panel_[e] != panel_[s])
            break;
        if (TryMoveRun(s, e, near, count))
            return true;
    }
    return false;
}

bool Relinker::TryMoveRun(uint32_t s, uint32_t e, const std::array<uint32_t, kNeighbours>& near,
                          uint32_t count) {
    const uint32_t p = prev_[s];
    const uint32_t q = next_[e];
    const PlanPoint in = Entry(s);
    const PlanPoint out = ExitOf(e);
    const bool flippable = s == e && ends_.reversible[s] != 0;
    const double removed = Insertion(ExitOf(p), EntryOf(q), in, out);
    double best_gain = kLeastGain;
    uint32_t best_a = kNone;
    bool best_flip = false;
    for (uint32_t k = 0; k < count; ++k) {
        const uint32_t t = near[k];
        if (InRun(t, s, e))
            continue;
        const std::array<std::pair<uint32_t, uint32_t>, 2> places{{{t, next_[t]}, {prev_[t], t}}};
        for (const auto& [a, b] : places) {
            if (a == e || b == s)
                continue;
            const PlanPoint from = ExitOf(a);
            const std::optional<PlanPoint> to = EntryOf(b);
            const double straight = removed - Insertion(from, to, in, out);
            const double flipped = flippable ? removed - Insertion(from, to, out, in) : -INFINITY;
            const double gain = std::max(straight, flipped);
            if (gain > best_gain && Allowed(s, e, a, b)) {
                best_gain = gain;
                best_a = a;
                best_flip = flipped > straight;
            }
        }
    }
    if (best_a == kNone)
        return false;
    if (best_flip)
        rev_[s] ^= 1;
    MoveBetween(s, e, best_a, next_[best_a]);
    if (s == e && ends_.rotatable[s] != 0) {
        double way = 0.0;
        ends_.Seat(s, ends_.BestCorner(s, ExitOf(best_a), EntryOf(next_[s]), way));
    }
    return true;
}

void Relinker::MoveBetween(uint32_t s, uint32_t e, uint32_t a, uint32_t b) {
    next_[prev_[s]] = next_[e];
    if (next_[e] != kNone)
        prev_[next_[e]] = prev_[s];
    prev_[s] = a;
    next_[e] = b;
    next_[a] = s;
    if (b != kNone)
        prev_[b] = e;
    const int64_t low = label_[a];
    const int64_t high = b == kNone ? low + 2 * kLabelGap : label_[b];
    uint32_t length = 1;
    for (uint32_t m = s; m != e; m = next_[m]) ++length;
    if ((high - low) / (length + 1) < 1) {
        Relabel();
        return;
    }
    int64_t label = low;
    for (uint32_t m = s;; m = next_[m]) {
        label += (high - low) / (length + 1);
        label_[m] = label;
        if (m == e)
            break;
    }
}

}  // namespace

void RelinkStragglers(StepEnds& ends, const Nesting& nesting, const std::vector<int64_t>& panel,
                      TravelTour& tour) {
    if (tour.order.size() < 3)
        return;
    const std::vector<PlanPoint> at = ends.first;
    const NeighbourGrid grid(at);
    Relinker relinker(ends, nesting, panel, tour);
    for (int sweep = 0; sweep < kSweeps; ++sweep)
        if (relinker.Sweep(grid) == 0)
            break;
    tour.order = relinker.Order();
}

}  // namespace tarnik
