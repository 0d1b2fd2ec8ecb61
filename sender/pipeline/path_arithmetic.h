#pragma once
// The arithmetic every path rework shares: millimetre settings turned into
// plotter units, point distances in single precision, and the conversion of
// a computed coordinate back into a signed 32-bit plotter coordinate.
#include <cmath>
#include <cstdint>

namespace tarnik {

// Plotter units per millimetre (800 per inch). A millimetre setting is held
// as a float and multiplied by this double.
constexpr double kUnitsPerMillimetre = 31.496;

inline double MillimetresToUnits(float millimetres) {
    return static_cast<double>(millimetres) * kUnitsPerMillimetre;
}

// The square of a coordinate difference as a float. Any difference of two
// signed 32-bit coordinates is below 2^32, so its square is exact in an
// unsigned 64-bit integer before the one rounding to float; larger
// differences (a virtual point outside the plotter range) are squared in
// double.
// A square below 2^63 (every difference of at most 3037000499 units, which
// covers any design on a real bed) is converted as a signed number: the same
// value rounded the same way, in one conversion instead of the unsigned one's
// several steps.
inline float SquareToFloat(int64_t difference) {
    const uint64_t magnitude =
        difference < 0 ? 0 - static_cast<uint64_t>(difference) : static_cast<uint64_t>(difference);
    if (magnitude <= 3037000499ull)
        return static_cast<float>(static_cast<int64_t>(magnitude * magnitude));
    if (magnitude <= 0xFFFFFFFFull)
        return static_cast<float>(magnitude * magnitude);
    const double wide = static_cast<double>(magnitude);
    return static_cast<float>(wide * wide);
}

// Distance between two points: the single-precision square root of the
// single-precision sum of the two squared differences (each square converted
// to float, then added in float).
inline float PointDistance(int64_t ax, int64_t ay, int64_t bx, int64_t by) {
    const float sum = SquareToFloat(bx - ax) + SquareToFloat(by - ay);
    return std::sqrt(sum);
}

// A computed coordinate written into a point: truncated toward zero. Values
// beyond the signed 32-bit range (including infinities) are clamped to its
// ends, so a huge setting or a design at the edge of the range cannot wrap a
// point to the other side of the plotter; a value that is not a number gives
// the fallback (the caller's unchanged coordinate).
inline int32_t TruncateToCoordinate(double value, int32_t fallback) {
    if (std::isnan(value))
        return fallback;
    if (value >= 2147483647.0)
        return INT32_MAX;
    if (value <= -2147483648.0)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

}  // namespace tarnik
