#pragma once
// The drag-knife rework of one cut path, in place on its linked list: point
// reduction, the closing overcut and knife-offset compensation at corners.
// Lengths are given in millimetres and turned into path units (31.496 per
// millimetre) here.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "sender/pipeline/path_model.h"
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

// The swing arcs computed so far in one job, for reuse by later corners. An
// arc depends only on the angles of its end points E and S around the
// corner, and an angle only on the point's offset from the corner and the
// knife offset r; E and S lie about r from the corner on whole plotter
// units, so a job meets few different offsets and angles however many
// corners it has. One per encoder run, beside the BladeState; the points
// come out the same with or without it.
class SwingArcMemo {
  public:
    // Cosines and sines of the four arc points' angles around the corner.
    struct Arc {
        double cos[4];
        double sin[4];
    };
    // An arc end's offset from the corner and its angle (PointAngle).
    struct Offset {
        int64_t dx;
        int64_t dy;
        double angle;
    };

    SwingArcMemo();
    ~SwingArcMemo();
    SwingArcMemo(const SwingArcMemo&) = delete;
    SwingArcMemo& operator=(const SwingArcMemo&) = delete;

    // The arc kept for E and S at these offsets from the corner and this r,
    // or null.
    const Arc* Find(int64_t ex, int64_t ey, int64_t sx, int64_t sy, double r) const;
    // Keeps arc for E and S at these offsets and angles; a different r
    // forgets everything kept so far. Offsets beyond kOffsetReach, more
    // angles or arcs than the tables hold, or no memory for them keep
    // nothing.
    void Store(const Offset& e, const Offset& s, double r, const Arc& arc);

  private:
    // Offsets up to 64 units per axis (r up to 2 mm), 255 angles and 16384
    // arcs: some hundred kilobytes for the tables in use.
    static constexpr int64_t kOffsetReach = 64;
    static constexpr std::size_t kOffsetSide = 2 * kOffsetReach + 1;
    static constexpr std::size_t kMostAngles = 255;
    static constexpr std::size_t kMostArcs = 16384;

    static bool WithinReach(int64_t dx, int64_t dy);
    static std::size_t OffsetSlot(int64_t dx, int64_t dy);
    // The number (1 to kMostAngles) of the offset's angle, given now if the
    // offset has none yet; 0 when none can be given.
    unsigned AngleNumber(const Offset& offset);
    bool Allocate();
    void Forget();

    std::unique_ptr<uint8_t[]> angle_numbers_;  // kOffsetSide^2, by offset
    std::unique_ptr<uint16_t[]> arc_numbers_;   // kMostAngles^2, by E and S angle
    std::unique_ptr<Arc[]> arcs_;               // arc number n at n - 1
    double angles_[kMostAngles] = {};           // angle number n at n - 1
    std::size_t angles_used_ = 0;
    std::size_t arcs_used_ = 0;
    double r_ = 0;
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
