// The one pseudo-random generator of the whole game: a 32-bit linear
// congruential generator, seed = seed * 134775813 + 1 (mod 2^32).
//
// Every random draw of the game goes through one Random object held in the
// game's state, so a test can seed it and replay a sequence of draws.
#pragma once

#include <cstdint>
#include <optional>

namespace kv {

class Random {
public:
    explicit Random(uint32_t seed = 0) : seed_(seed) {}

    // Seeds from the seed source, as the game does when the HUD is built and
    // when a battle is set up. The source is the high-resolution clock,
    // unless a fixed seed was given: then every Randomize takes that seed, so
    // a scripted run replays the same galaxies and battles every time.
    void Randomize();
    // Fixes the seed source to `seed` and seeds with it now.
    void FixSeed(uint32_t seed);
    void Seed(uint32_t seed) { seed_ = seed; }
    uint32_t CurrentSeed() const { return seed_; }
    bool operator==(const Random&) const = default;

    // A whole number 0..n-1: the high 32 bits of the 64-bit product seed * n.
    uint32_t Next(uint32_t n);
    // A real number in [0, 1): seed / 2^32.
    double NextReal();

private:
    void Advance() { seed_ = seed_ * 134775813u + 1u; }
    uint32_t seed_;
    std::optional<uint32_t> fixedSeed_;
};

}  // namespace kv
