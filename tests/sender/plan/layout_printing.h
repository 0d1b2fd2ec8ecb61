#pragma once
// Readable failure messages for the layout tests' points.
#include <ostream>

#include "sender/plan/layout_geometry.h"

namespace tarnik {

inline void PrintTo(const LayoutPoint& p, std::ostream* out) {
    *out << "(" << p.x << "," << p.y << ")";
}

}  // namespace tarnik
