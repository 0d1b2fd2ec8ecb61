#pragma once
// The drag-knife rework of one cut path, in place on its linked list: point
// reduction, the closing overcut and knife-offset compensation at corners.
// Lengths are given in millimetres and turned into path units (31.496 per
// millimetre) here.
#include <cstdint>

#include "sender/pipeline/path_model.h"
#include "sender/pipeline/swing_arc_memo.h"
#include "sender/settings/sender_settings.h"

namespace tarnik {

// The direction in which the blade was last dragged, carried from path to
// path within one job. A job with knife-offset compensation starts with the
// orientation cut from (0, 0) to (0, 80).
struct BladeState {
    int32_t FromX = 0;
    int32_t FromY = 0;
    int32_t ToX = 0;
    int32_t ToY = 80;
};

// Drops points within reduce_point_mm of the last point kept; the first and
// the last point always stay.
void ReducePathPoints(CutPath& path, float reduce_point_mm);

// Re-threads a closed path so that it starts and ends in the middle of its
// first long segment and overcuts by close_offset_mm; returns the new head
// (also stored in path.head). Does nothing for a length of 0 or less.
PathPoint* AddClosingOvercut(CutPath& path, float close_offset_mm);

// Angle in degrees of point q around centre c at nominal radius r.
double PointAngle(int32_t qx, int32_t qy, int32_t cx, int32_t cy, double r);

// Swings the knife holder around every sharp corner and overshoots the path
// end; updates blade. Does nothing for an offset of 0 or less. Arcs are
// looked up in and added to arcs when one is given.
void CompensateKnifeOffset(CutPath& path, BladeState& blade, float sharp_offset_mm,
                           double max_angle_radians, SwingArcMemo* arcs = nullptr);

// The three transforms in their order, as both encoders run them, on a path
// that had points_as_read points when it was read (paths of fewer than 4
// points are left as read).
void ApplyPathTransforms(CutPath& path, int32_t points_as_read, const SenderSettings& settings,
                         BladeState& blade, SwingArcMemo* arcs = nullptr);

}  // namespace tarnik
