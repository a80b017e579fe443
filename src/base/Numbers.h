// Whole-number helpers shared by every rule of the game.
#pragma once

#include <cmath>
#include <cstdint>

namespace kv {

// The nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Every "nearest" of the game means this rounding, never half-away-from-zero.
inline int64_t Nearest(double v) { return static_cast<int64_t>(std::nearbyint(v)); }

// Wraps a whole number into 0..n-1, also for negative values (n > 0).
inline int64_t WrapIndex(int64_t v, int64_t n)
{
    const int64_t r = v % n;
    return r < 0 ? r + n : r;
}

}  // namespace kv
