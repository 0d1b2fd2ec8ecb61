#include "sender/pipeline/swing_arc_memo.h"

#include <algorithm>
#include <new>

namespace tarnik {

SwingArcMemo::SwingArcMemo() = default;
SwingArcMemo::~SwingArcMemo() = default;

bool SwingArcMemo::WithinReach(int64_t dx, int64_t dy) {
    return dx >= -kOffsetReach && dx <= kOffsetReach && dy >= -kOffsetReach && dy <= kOffsetReach;
}

std::size_t SwingArcMemo::OffsetSlot(int64_t dx, int64_t dy) {
    return static_cast<std::size_t>(dy + kOffsetReach) * kOffsetSide +
           static_cast<std::size_t>(dx + kOffsetReach);
}

const SwingArcMemo::Arc* SwingArcMemo::Find(int64_t ex, int64_t ey, int64_t sx, int64_t sy,
                                            double r) const {
    if (!arcs_ || r != r_ || !WithinReach(ex, ey) || !WithinReach(sx, sy))
        return nullptr;
    const unsigned e = angle_numbers_[OffsetSlot(ex, ey)];
    const unsigned s = angle_numbers_[OffsetSlot(sx, sy)];
    if (e == 0 || s == 0)
        return nullptr;
    const unsigned arc = arc_numbers_[(e - 1) * kMostAngles + (s - 1)];
    return arc != 0 ? &arcs_[arc - 1] : nullptr;
}

bool SwingArcMemo::Allocate() {
    if (arcs_)
        return true;
    // Without memory for the tables every arc is simply measured. The arcs
    // are left uninitialised: only those stored are ever read.
    angle_numbers_.reset(new (std::nothrow) uint8_t[kOffsetSide * kOffsetSide]());
    arc_numbers_.reset(new (std::nothrow) uint16_t[kMostAngles * kMostAngles]());
    if (angle_numbers_ && arc_numbers_)
        arcs_.reset(new (std::nothrow) Arc[kMostArcs]);
    return arcs_ != nullptr;
}

void SwingArcMemo::Forget() {
    std::fill_n(angle_numbers_.get(), kOffsetSide * kOffsetSide, uint8_t{0});
    std::fill_n(arc_numbers_.get(), kMostAngles * kMostAngles, uint16_t{0});
    angles_used_ = 0;
    arcs_used_ = 0;
}

unsigned SwingArcMemo::AngleNumber(const Offset& offset) {
    if (!WithinReach(offset.dx, offset.dy))
        return 0;
    uint8_t& number = angle_numbers_[OffsetSlot(offset.dx, offset.dy)];
    if (number != 0)
        return number;
    // A new offset: its angle may be known from another offset already.
    for (std::size_t i = 0; i < angles_used_; ++i) {
        if (angles_[i] == offset.angle) {
            number = static_cast<uint8_t>(i + 1);
            return number;
        }
    }
    if (angles_used_ == kMostAngles)
        return 0;
    angles_[angles_used_] = offset.angle;
    number = static_cast<uint8_t>(++angles_used_);
    return number;
}

void SwingArcMemo::Store(const Offset& e, const Offset& s, double r, const Arc& arc) {
    if (!(r > 0) || !Allocate())
        return;
    if (r != r_) {
        Forget();
        r_ = r;
    }
    const unsigned e_number = AngleNumber(e);
    const unsigned s_number = e_number != 0 ? AngleNumber(s) : 0;
    if (s_number == 0)
        return;
    uint16_t& number = arc_numbers_[(e_number - 1) * kMostAngles + (s_number - 1)];
    if (number != 0 || arcs_used_ == kMostArcs)
        return;
    arcs_[arcs_used_] = arc;
    number = static_cast<uint16_t>(++arcs_used_);
}

}  // namespace tarnik
