#pragma once
// The knife's pen-up travel and cut length of an encoded job, measured as
// the job streams past in pieces of any size (a job is never held whole).
// Both languages this system writes are read the same way: a "U" starts
// knife-up moves and a "D" cuts ("PU"/"PD" in HPGL, "U"/"D" in DM/PL); every
// further pair of numbers is a point; numbers after any other letter belong
// to a command that moves nothing ("EC1", "MK...", "!PG").
#include <cstdint>
#include <string_view>

namespace tarnik::cli {

class JobTravelMeter {
  public:
    void Feed(std::string_view piece);
    // In plotter units of the job's language.
    double Travel() const { return travel_; }
    double CutLength() const { return cut_; }

  private:
    enum class Mode { Other, Up, Down };
    void EndNumber();

    Mode mode_ = Mode::Other;
    bool in_number_ = false;
    bool negative_ = false;
    int64_t number_ = 0;
    int numbers_ = 0;  // numbers of the current pair taken
    int64_t pair_x_ = 0;
    int64_t x_ = 0;
    int64_t y_ = 0;
    double travel_ = 0.0;
    double cut_ = 0.0;
};

}  // namespace tarnik::cli
