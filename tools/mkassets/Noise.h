// Deterministic randomness for the generator: every picture and sound is made
// from fixed seeds, so two builds produce the same files byte for byte.
#pragma once

#include <cstdint>

namespace mkassets {

class Rng {
public:
    explicit Rng(uint32_t seed) : state_(seed * 2654435761u + 0x9E3779B9u) {}
    uint32_t Next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // Uniform in [0, 1).
    double Real() { return (Next() >> 8) * (1.0 / 16777216.0); }
    // Uniform in [lo, hi).
    double Between(double lo, double hi) { return lo + (hi - lo) * Real(); }
    int Below(int n) { return static_cast<int>(Real() * n); }

private:
    uint32_t state_;
};

// Smooth value noise in [0, 1] on a unit lattice.
double ValueNoise(double x, double y, uint32_t seed);
// Fractal sum of `octaves` layers of value noise, in [0, 1].
double FractalNoise(double x, double y, int octaves, uint32_t seed);

}  // namespace mkassets
