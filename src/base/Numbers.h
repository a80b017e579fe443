// Whole-number helpers shared by every rule of the game.
#pragma once

#include <cmath>
#include <cstdint>

namespace kv {

// The nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Every "nearest" of the game means this rounding, never half-away-from-zero.
//
// Adding and taking away 1.5 * 2^52 leaves a double rounded to a whole number
// by the processor's own rounding, which is to nearest with halves to even:
// the same result as nearbyint, without a library call per pixel in the
// title ring and the crawl.
inline int64_t Nearest(double v)
{
    constexpr double Shifter = 6755399441055744.0;
    if (v > -2251799813685248.0 && v < 2251799813685248.0) {
        const double shifted = v + Shifter;
        return static_cast<int64_t>(shifted - Shifter);
    }
    return static_cast<int64_t>(std::nearbyint(v));
}

// A 64-bit whole number held within 32 bits: the nearest end of the range
// instead of a wrap. For coordinates far out in a battle and hull points.
inline int32_t ClampToInt32(int64_t v)
{
    return static_cast<int32_t>(v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : v);
}

// Nearest, held within int: the place to draw at, however far out.
inline int NearestInt(double v) { return ClampToInt32(Nearest(v)); }

}  // namespace kv
