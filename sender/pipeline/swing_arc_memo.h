#pragma once
// A job's cache of knife-offset swing arcs: bookkeeping by offset and angle,
// apart from the corner geometry in knife_offset.cpp.
#include <cstddef>
#include <cstdint>
#include <memory>

namespace tarnik {

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

}  // namespace tarnik
