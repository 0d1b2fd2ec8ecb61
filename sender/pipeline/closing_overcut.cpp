// Closing overcut: a closed contour is started and ended in the middle of
// its first long segment and cut a little past its start, so that the drag
// knife leaves no uncut bridge where the contour closes.
#include "sender/pipeline/path_arithmetic.h"
#include "sender/pipeline/path_transforms.h"

namespace tarnik {
namespace {

struct OvercutPoints {
    int32_t mx, my;  // middle of the segment: the new start and end
    int32_t qx, qy;  // end of the overcut, offset beyond the middle
};

// Middle M of the segment a -> b and the overcut end Q, offset units beyond
// M along the segment. Axis-parallel segments keep their exact line.
OvercutPoints ComputeOvercut(const PathPoint& a, const PathPoint& b, float length, double offset) {
    OvercutPoints out{};
    if (a.x == b.x) {
        out.mx = a.x;
        out.my = static_cast<int32_t>(a.y + (int64_t{b.y} - a.y) / 2);
        out.qx = a.x;
        out.qy = TruncateToCoordinate(a.y < b.y ? out.my + offset : out.my - offset, out.my);
        return out;
    }
    if (a.y == b.y) {
        out.mx = static_cast<int32_t>(a.x + (int64_t{b.x} - a.x) / 2);
        out.my = a.y;
        out.qx = TruncateToCoordinate(a.x < b.x ? out.mx + offset : out.mx - offset, out.mx);
        out.qy = a.y;
        return out;
    }
    out.mx = TruncateToCoordinate(static_cast<double>(int64_t{a.x} + b.x) * 0.5, a.x);
    out.my = TruncateToCoordinate(static_cast<double>(int64_t{a.y} + b.y) * 0.5, a.y);
    const float half = length / 2;
    const double ratio = (offset + half) / (half - offset);
    out.qx = TruncateToCoordinate((ratio * b.x + a.x) / (ratio + 1), out.mx);
    out.qy = TruncateToCoordinate((ratio * b.y + a.y) / (ratio + 1), out.my);
    return out;
}

PathPoint* LastPoint(PathPoint* node) {
    while (node->next) node = node->next;
    return node;
}

}  // namespace

PathPoint* AddClosingOvercut(CutPath& path, float close_offset_mm) {
    const double offset = MillimetresToUnits(close_offset_mm);
    PathPoint* first = path.head;
    if (!(offset > 0) || first->next == nullptr)
        return first;

    PathPoint* a = first;
    float length = 0;
    for (; a->next; a = a->next) {
        length = PointDistance(a->x, a->y, a->next->x, a->next->y);
        if (length > 2 * offset)
            break;
    }
    PathPoint* last = LastPoint(first);
    if (a->next == nullptr) {
        // No segment is long enough to hold the overcut: the first segment
        // is cut a second time instead.
        path.tail = path.InsertPointAfter(last, first->next->x, first->next->y);
        return first;
    }

    PathPoint* b = a->next;
    const OvercutPoints points = ComputeOvercut(*a, *b, length, offset);
    PathPoint* start = path.NewPoint(points.mx, points.my, AllocationSite::Transform);
    PathPoint* end = path.NewPoint(points.mx, points.my, AllocationSite::Transform);
    path.InsertPointAfter(end, points.qx, points.qy);

    // New order: M, B ... last, second ... A, M, Q. The first point as read
    // coincides with the last and is left out.
    start->next = b;
    if (a == first) {
        last->next = end;
    } else {
        last->next = first->next;
        a->next = end;
    }
    path.Recycle(first);
    path.head = start;
    path.tail = end->next;
    return start;
}

}  // namespace tarnik
