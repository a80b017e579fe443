// The one pseudo-random generator of the whole game: a 32-bit linear
// congruential generator, seed = seed * 134775813 + 1 (mod 2^32).
//
// Every random draw of the game goes through one Random object held in the
// game's state, so a test can seed it and replay a sequence of draws.
#pragma once

#include <cstdint>

namespace kv {

class Random {
public:
    explicit Random(uint32_t seed = 0) : seed_(seed) {}

    // Seeds from the high-resolution clock, as the game does when the HUD is
    // built and when a battle is set up.
    void Randomize();
    void Seed(uint32_t seed) { seed_ = seed; }
    uint32_t CurrentSeed() const { return seed_; }

    // A whole number 0..n-1: the high 32 bits of the 64-bit product seed * n.
    uint32_t Next(uint32_t n);
    // A real number in [0, 1): seed / 2^32.
    double NextReal();

private:
    void Advance() { seed_ = seed_ * 134775813u + 1u; }
    uint32_t seed_;
};

}  // namespace kv
