#include "sender/pipeline/hpgl_scale.h"

namespace tarnik {
namespace {

// A plot file unit is 1/800 inch, 0.031750063500127004 mm.
constexpr double kHpglScale = 0.031750063500127004;

}  // namespace

bool ScaleHpglValue(int64_t units, float divisor, int32_t& scaled) {
    const double value = static_cast<double>(units) * kHpglScale / divisor;
    // The comparisons are false for NaN; infinities fall outside.
    if (!(value > -2147483649.0 && value < 2147483648.0))
        return false;
    scaled = static_cast<int32_t>(value);  // truncates toward zero
    return true;
}

bool ScaleHpglPath(CutPath& path, const HpglScale& scale) {
    PathPoint* kept = nullptr;
    for (PathPoint* point = path.head; point != nullptr;) {
        int32_t x = 0;
        int32_t y = 0;
        if (!ScaleHpglValue(point->x, scale.YSizeRedeem, x) ||
            !ScaleHpglValue(point->y, scale.XSizeRedeem, y))
            return false;
        if (kept != nullptr && kept->x == x && kept->y == y) {
            point = point->next;
            path.RemovePointAfter(kept);
            continue;
        }
        point->x = x;
        point->y = y;
        kept = point;
        point = point->next;
    }
    path.tail = kept;
    return true;
}

}  // namespace tarnik
