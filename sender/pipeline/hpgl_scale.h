#pragma once
// The coordinates of the plotter model "NVAS": plotter units (31.496 per
// millimetre) multiplied by 0.031750063500127004 and divided by the size
// divisor of their axis. Paths are read and reworked in plotter units, as
// for model "NVA", so that the knife offset, the closing overcut and point
// reduction act at their true size; each point is scaled as it is written.
#include <cstdint>

#include "sender/pipeline/path_model.h"

namespace tarnik {

// The size divisors of the settings' "XYInaccuracy" section.
struct HpglScale {
    float XSizeRedeem = 1.0f;  // divides plotter y (across the paper)
    float YSizeRedeem = 1.0f;  // divides plotter x (along the paper feed)
};

// One plotter coordinate (or a difference of two input values) in the
// HPGL frame, truncated toward zero; false when the result is not finite
// or does not fit a signed 32-bit integer.
bool ScaleHpglValue(int64_t units, float divisor, int32_t& scaled);

// Scales every point of the path into the HPGL frame in place. A point that
// lands on the point before it is dropped: a pen move of no length. False
// when a point does not fit the HPGL frame (the path is then left partly
// scaled and must not be written).
bool ScaleHpglPath(CutPath& path, const HpglScale& scale);

}  // namespace tarnik
