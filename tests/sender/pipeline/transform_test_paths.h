#pragma once
// Building a CutPath from a list of points and reading it back, and the
// tables of the path rework tests.
#include <gtest/gtest.h>

#include <cstddef>
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

// in loaded into a path, reworked in place by rework(path) and read back.
template <class Rework>
Points Reworked(const Points& in, Rework rework) {
    CutPath path;
    LoadPath(path, in);
    rework(path);
    return ReadPath(path);
}

// A path reworked with a setting (a length in millimetres, a blade, ...).
template <class Setting>
struct ReworkCase {
    const char* label;
    Points in;
    Setting setting;
    Points expected;
};

// Every case through rework(in, setting), compared with what it expects.
template <class Setting, std::size_t N, class Rework>
void ExpectReworked(const ReworkCase<Setting> (&cases)[N], Rework rework) {
    for (const ReworkCase<Setting>& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(rework(c.in, c.setting), c.expected);
    }
}

}  // namespace tarnik::testing
