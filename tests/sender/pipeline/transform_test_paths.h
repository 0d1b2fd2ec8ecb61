#pragma once
// Building a CutPath from a list of points and reading it back, for the path
// rework tests.
#include <cstdint>
#include <ostream>
#include <vector>

#include "sender/pipeline/path_model.h"

namespace tarnik::testing {

struct Xy {
    int32_t x;
    int32_t y;
    bool operator==(const Xy&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Xy& p) {
    return out << "(" << p.x << "," << p.y << ")";
}

using Points = std::vector<Xy>;

// Fills path with points as the reader would, but keeps repeated points too
// (the transforms must cope with them).
inline void LoadPath(CutPath& path, const Points& points) {
    path.Release();
    path.Open(points.front().x, points.front().y);
    for (size_t i = 1; i < points.size(); ++i) {
        path.tail = path.InsertPointAfter(path.tail, points[i].x, points[i].y);
        ++path.count;
    }
}

inline Points ReadPath(const CutPath& path) {
    Points out;
    for (const PathPoint* node = path.head; node; node = node->next)
        out.push_back({node->x, node->y});
    return out;
}

}  // namespace tarnik::testing
