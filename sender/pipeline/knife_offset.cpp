// Knife-offset compensation: the blade tip trails the knife holder's axis by
// the knife offset, so at a sharp corner the holder travels past the corner,
// swings on an arc around it and goes on along the next segment; the blade
// tip then turns on the corner itself. The path end is overshot by the
// offset so that the trailing tip reaches it.
#include <algorithm>
#include <cmath>

#include "sender/pipeline/path_arithmetic.h"
#include "sender/pipeline/path_transforms.h"

namespace tarnik {
namespace {

// Degrees to radians as the plotter firmware's arc tables use it.
constexpr double kRadiansPerDegree = 0.01745329277777778;
constexpr double kRightAngle = 1.5707963705062866;
constexpr double kStraightAngle = 3.1415927;

// Coordinates as read; the virtual start point may lie outside the 32-bit
// range, so they are held wider.
struct Point {
    int64_t x;
    int64_t y;
};

Point At(const PathPoint* node) {
    return {node->x, node->y};
}

float Distance(Point a, Point b) {
    return PointDistance(a.x, a.y, b.x, b.y);
}

// Whether the foot f of the perpendicular from P3 lies beyond P2 on the line
// P1 -> P2 (the blade would turn back by more than a right angle).
bool FootBeyond(Point p1, Point p2, double fx, double fy) {
    if (p2.x > p1.x) {
        if (fx > p2.x)
            return true;
        if (fx < p1.x)
            return false;
    } else if (p2.x < p1.x) {
        if (fx < p2.x)
            return true;
        if (fx > p1.x)
            return false;
    }
    if (p2.y > p1.y)
        return fy > p2.y;
    if (p2.y < p1.y)
        return fy < p2.y;
    return false;
}

// Interior angle at a corner, in the form the corner test needs: a right
// angle, or asin(ratio) (between the two directions) or pi - asin(ratio)
// (the foot lies beyond the corner).
struct CornerTurn {
    bool right = false;
    bool beyond = false;
    double ratio = 0;  // h / d2, below 1
};

// The test t <= max_angle. asin is monotonic, so a ratio clearly on one side
// of the sine of the limit decides without computing the angle; only ratios
// within a rounding margin of it take the exact comparison. Every decision
// equals that of the angle compared directly.
class AngleLimit {
  public:
    explicit AngleLimit(double max_angle) : max_(max_angle) {
        // Between the directions t = asin(ratio) lies in [0, pi/2].
        between_always_ = max_angle > kHalfPi + kMargin;
        // Beyond: t <= max  <=>  asin(ratio) >= kStraightAngle - max.
        const double needed = kStraightAngle - max_angle;
        beyond_always_ = needed < -kMargin;
        beyond_never_ = needed > kHalfPi + kMargin;
        beyond_sine_ = std::sin(needed);
        right_accepted_ = kRightAngle <= max_;
    }

    bool Accepts(const CornerTurn& turn) const {
        if (turn.right)
            return right_accepted_;
        if (!turn.beyond) {
            return between_always_ || std::asin(turn.ratio) <= max_;
        }
        if (beyond_always_)
            return true;
        if (beyond_never_)
            return false;
        if (turn.ratio > beyond_sine_ + kMargin)
            return true;
        if (turn.ratio < beyond_sine_ - kMargin)
            return false;
        return kStraightAngle - std::asin(turn.ratio) <= max_;
    }

    // Sets accepts and returns true when Accepts gives the same for every
    // ratio and for a right angle, on the given side of the corner: the
    // distance behind the ratio is then not needed.
    bool DecidedBySide(bool beyond, bool& accepts) const {
        if (!beyond) {
            accepts = true;
            return between_always_ && right_accepted_;
        }
        accepts = beyond_always_;
        return (beyond_always_ && right_accepted_) || (beyond_never_ && !right_accepted_);
    }

  private:
    static constexpr double kHalfPi = 1.5707963267948966;
    static constexpr double kMargin = 1e-9;
    double max_;
    bool between_always_ = false;
    bool beyond_always_ = false;
    bool beyond_never_ = false;
    bool right_accepted_ = false;
    double beyond_sine_ = 0;
};

// Whether the interior angle at the corner p2 (pi for a straight run, near
// 0 for a reversal) is within the limit. The side of the corner on which
// the foot of the perpendicular from p3 falls comes first: with a limit
// above a right angle it decides every corner whose foot lies between the
// directions, and h, the distance of p3 from the line p1 p2 (a square root
// and two divisions), is measured only when the outcome depends on it.
bool CornerWithinLimit(Point p1, Point p2, Point p3, float d2, const AngleLimit& limit) {
    const bool vertical = p1.x == p2.x;
    const double x3 = static_cast<double>(p3.x);
    const double y3 = static_cast<double>(p3.y);
    double k = 0;
    double b = 0;
    double fx = static_cast<double>(p2.x);
    double fy = y3;
    if (!vertical) {
        k = static_cast<double>(p2.y - p1.y) / static_cast<double>(p2.x - p1.x);
        b = static_cast<double>(p1.y) - k * static_cast<double>(p1.x);
        fx = (x3 + k * y3 - k * b) / (k * k + 1);
        fy = (k * k * y3 + k * x3 + b) / (k * k + 1);
    }
    CornerTurn turn;
    turn.beyond = FootBeyond(p1, p2, fx, fy);
    bool accepts = false;
    if (limit.DecidedBySide(turn.beyond, accepts))
        return accepts;
    double h = 0;
    if (vertical) {
        h = std::fabs(static_cast<double>(p3.x - p1.x));
    } else {
        const float s = std::sqrt(static_cast<float>(k * k + 1));
        h = std::fabs(k * x3 - y3 + b) / s;
    }
    if (h > d2)
        h = d2;
    if (h == d2) {
        turn.right = true;
    } else {
        turn.ratio = h / d2;
    }
    return limit.Accepts(turn);
}

// p2 extended by r along p1 -> p2 (d1 = |p1 p2|); p2 itself for a segment of
// length 0, which has no direction.
void ExtendPast(Point p1, Point p2, float d1, double r, int32_t& x, int32_t& y) {
    const int32_t cx = static_cast<int32_t>(p2.x);
    const int32_t cy = static_cast<int32_t>(p2.y);
    x = cx;
    y = cy;
    if (d1 == 0)
        return;
    const double lambda = d1 / r;
    x = TruncateToCoordinate(((lambda + 1) * static_cast<double>(p2.x) - p1.x) / lambda, cx);
    y = TruncateToCoordinate(((lambda + 1) * static_cast<double>(p2.y) - p1.y) / lambda, cy);
}

// The point at distance r from p2 along p2 -> p3 (d2 = |p2 p3|); p2 itself
// for a segment of length 0.
void StepAlong(Point p2, Point p3, float d2, double r, int32_t& x, int32_t& y) {
    const int32_t cx = static_cast<int32_t>(p2.x);
    const int32_t cy = static_cast<int32_t>(p2.y);
    x = cx;
    y = cy;
    if (d2 == 0)
        return;
    if (d2 > r) {
        const double mu = r / (d2 - r);
        x = TruncateToCoordinate((p2.x + mu * static_cast<double>(p3.x)) / (mu + 1), cx);
        y = TruncateToCoordinate((p2.y + mu * static_cast<double>(p3.y)) / (mu + 1), cy);
    } else if (d2 < r) {
        const double nu = d2 / (r - d2);
        x = TruncateToCoordinate(((nu + 1) * static_cast<double>(p3.x) - p2.x) / nu, cx);
        y = TruncateToCoordinate(((nu + 1) * static_cast<double>(p3.y) - p2.y) / nu, cy);
    } else {
        x = static_cast<int32_t>(p3.x);
        y = static_cast<int32_t>(p3.y);
    }
}

// The four arc points' angles for E at angle z and S at angle w around the
// corner: the shorter way from E to S in five equal steps.
SwingArcMemo::Arc ArcBetween(double z, double w) {
    double step = 0;
    bool down = false;
    if (z > w) {
        down = z - w <= 180;
        step = down ? (z - w) / 5 : (w + 360 - z) / 5;
    } else if (z < w) {
        down = w - z > 180;
        step = down ? (z + 360 - w) / 5 : (w - z) / 5;
    }
    SwingArcMemo::Arc arc;
    for (int i = 1; i <= 4; ++i) {
        double a = down ? z - i * step : z + i * step;
        if (down && a <= 0)
            a += 360;
        if (!down && a >= 360)
            a -= 360;
        const double radians = a * kRadiansPerDegree;
        arc.cos[i - 1] = std::cos(radians);
        arc.sin[i - 1] = std::sin(radians);
    }
    return arc;
}

// Links four arc points around the corner and then S behind e_node; returns
// S's node. The arc comes from arcs when an earlier corner had its E and S
// at the same offsets from its corner point, or at offsets of the same
// angles (PointAngle depends on the offset and r only, the arc on the two
// angles only).
PathPoint* InsertSwingArc(CutPath& path, PathPoint* e_node, Point corner, int32_t sx, int32_t sy,
                          double r, SwingArcMemo* arcs) {
    const int32_t cx = static_cast<int32_t>(corner.x);
    const int32_t cy = static_cast<int32_t>(corner.y);
    const int64_t e_dx = int64_t{e_node->x} - cx;
    const int64_t e_dy = int64_t{e_node->y} - cy;
    const int64_t s_dx = int64_t{sx} - cx;
    const int64_t s_dy = int64_t{sy} - cy;
    const SwingArcMemo::Arc* known = arcs ? arcs->Find(e_dx, e_dy, s_dx, s_dy, r) : nullptr;
    SwingArcMemo::Arc measured;
    if (known == nullptr) {
        const double z = PointAngle(e_node->x, e_node->y, cx, cy, r);
        const double w = PointAngle(sx, sy, cx, cy, r);
        measured = ArcBetween(z, w);
        if (arcs)
            arcs->Store({e_dx, e_dy, z}, {s_dx, s_dy, w}, r, measured);
        known = &measured;
    }
    PathPoint* node = e_node;
    for (int i = 0; i < 4; ++i) {
        const int32_t x = TruncateToCoordinate(static_cast<double>(cx) + r * known->cos[i], cx);
        const int32_t y = TruncateToCoordinate(static_cast<double>(cy) + r * known->sin[i], cy);
        node = path.InsertPointAfter(node, x, y);
    }
    return path.InsertPointAfter(node, sx, sy);
}

// Reworks the corner p2 (held by corner_node) when it is sharp, short or the
// path's first: E, then the swing arc and S when S differs from E. d1 and d2
// are the lengths of p1 p2 and p2 p3.
void CompensateCorner(CutPath& path, PathPoint* corner_node, Point p1, Point p2, Point p3, float d1,
                      float d2, bool first, double r, const AngleLimit& limit, SwingArcMemo* arcs) {
    // The cheap tests first; the angle is measured only when they pass.
    const bool sharp = first || d1 < r || d2 < r || CornerWithinLimit(p1, p2, p3, d2, limit);
    if (!sharp)
        return;

    int32_t ex = 0;
    int32_t ey = 0;
    ExtendPast(p1, p2, d1, r, ex, ey);
    PathPoint* e_node = corner_node;
    if (first) {
        // The path's start stays where it was drawn; the holder first runs
        // on to E in the blade's last direction.
        e_node = path.InsertPointAfter(corner_node, ex, ey);
    } else {
        e_node->x = ex;
        e_node->y = ey;
    }
    int32_t sx = 0;
    int32_t sy = 0;
    StepAlong(p2, p3, d2, r, sx, sy);
    if (sx == ex && sy == ey)
        return;
    InsertSwingArc(path, e_node, p2, sx, sy, r, arcs);
}

}  // namespace

double PointAngle(int32_t qx, int32_t qy, int32_t cx, int32_t cy, double r) {
    const double ux = std::clamp((static_cast<double>(qx) - cx) / r, -1.0, 1.0);
    const double uy = std::clamp((static_cast<double>(qy) - cy) / r, -1.0, 1.0);
    if (qx == cx)
        return qy > cy ? 90 : 270;
    if (qx > cx) {
        if (qy > cy)
            return std::asin(uy) / kRadiansPerDegree;
        if (qy == cy)
            return 0;
        return std::asin(ux) / kRadiansPerDegree + 270;
    }
    if (qy > cy)
        return std::asin(-ux) / kRadiansPerDegree + 90;
    if (qy == cy)
        return 180;
    return std::asin(-uy) / kRadiansPerDegree + 180;
}

void CompensateKnifeOffset(CutPath& path, BladeState& blade, float sharp_offset_mm,
                           double max_angle_radians, SwingArcMemo* arcs) {
    const double r = MillimetresToUnits(sharp_offset_mm);
    PathPoint* corner_node = path.head;
    if (!(r > 0) || corner_node->next == nullptr)
        return;
    const AngleLimit limit(max_angle_radians);

    // The blade arrives at the path's start in the direction in which it
    // was last dragged.
    Point p2 = At(corner_node);
    Point p1{p2.x - (int64_t{blade.ToX} - blade.FromX), p2.y - (int64_t{blade.ToY} - blade.FromY)};
    PathPoint* next_node = corner_node->next;
    Point p3 = At(next_node);
    bool first = true;
    // The segment behind one corner is the segment ahead of the one before
    // it: each length is measured once.
    float d1 = Distance(p1, p2);
    for (;;) {
        const float d2 = Distance(p2, p3);
        CompensateCorner(path, corner_node, p1, p2, p3, d1, d2, first, r, limit, arcs);
        first = false;
        p1 = p2;
        p2 = p3;
        d1 = d2;
        corner_node = next_node;
        next_node = corner_node->next;
        if (next_node == nullptr)
            break;
        p3 = At(next_node);
    }

    // Overshoot the end by r along the last segment p1 -> p2, so that the
    // trailing blade tip reaches the last point as drawn. The last node
    // still holds p2, which a last segment of length 0 leaves in place.
    ExtendPast(p1, p2, d1, r, corner_node->x, corner_node->y);
    blade.FromX = static_cast<int32_t>(p1.x);
    blade.FromY = static_cast<int32_t>(p1.y);
    blade.ToX = static_cast<int32_t>(p2.x);
    blade.ToY = static_cast<int32_t>(p2.y);
}

}  // namespace tarnik
