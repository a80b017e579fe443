// The yardstick every benchmark is read against: one memcpy of an 800 x 600
// 24-bit frame, measured in the same run.
#pragma once

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

inline void BM_FrameMemcpy(benchmark::State& state)
{
    std::vector<unsigned char> from(800 * 600 * 3, 7);
    std::vector<unsigned char> to(800 * 600 * 3);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
