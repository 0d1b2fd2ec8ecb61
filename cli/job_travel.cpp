#include "cli/job_travel.h"

#include <cmath>

namespace tarnik::cli {

void JobTravelMeter::EndNumber() {
    if (!in_number_)
        return;
    in_number_ = false;
    const int64_t value = negative_ ? -number_ : number_;
    negative_ = false;
    if (mode_ == Mode::Other)
        return;
    if (numbers_ == 0) {
        pair_x_ = value;
        numbers_ = 1;
        return;
    }
    numbers_ = 0;
    const double length =
        std::hypot(static_cast<double>(pair_x_ - x_), static_cast<double>(value - y_));
    (mode_ == Mode::Up ? travel_ : cut_) += length;
    x_ = pair_x_;
    y_ = value;
}

void JobTravelMeter::Feed(std::string_view piece) {
    for (const char c : piece) {
        if (c >= '0' && c <= '9') {
            if (!in_number_) {
                in_number_ = true;
                number_ = 0;
            }
            // Numbers of this system's jobs fit 32 bits; longer digit runs
            // are kept from overflowing.
            if (number_ < (int64_t{1} << 40))
                number_ = number_ * 10 + (c - '0');
            continue;
        }
        EndNumber();
        negative_ = c == '-';
        if (c == ',' || c == '-')
            continue;
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '!' || c == '@') {
            mode_ = c == 'U' ? Mode::Up : (c == 'D' ? Mode::Down : Mode::Other);
            numbers_ = 0;
        }
    }
}

}  // namespace tarnik::cli
