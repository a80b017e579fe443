#include "base/Random.h"

#include <chrono>

namespace kv {

void Random::Randomize()
{
    if (fixedSeed_) {
        seed_ = *fixedSeed_;
        return;
    }
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    seed_ = static_cast<uint32_t>(ticks);
}

void Random::FixSeed(uint32_t seed)
{
    fixedSeed_ = seed;
    seed_ = seed;
}

uint32_t Random::Next(uint32_t n)
{
    Advance();
    return static_cast<uint32_t>((static_cast<uint64_t>(seed_) * n) >> 32);
}

double Random::NextReal()
{
    Advance();
    return static_cast<double>(seed_) / 4294967296.0;
}

}  // namespace kv
