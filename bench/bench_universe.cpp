// A whole new world, to be read as a ratio to BM_FrameMemcpy: all ten
// galaxies with their stars, planets and markets, as "newgame" builds them.
#include <benchmark/benchmark.h>

#include <memory>

#include "FrameMemcpy.h"
#include "universe/World.h"

namespace {

void BM_GenerateGalaxies(benchmark::State& state)
{
    const kv::GoodsTable goods = kv::GoodsCatalogue();
    const auto world = std::make_unique<kv::Galaxies>();
    kv::Random random(1);
    for (auto _ : state) {
        kv::GenerateGalaxies(*world, goods, random);
        benchmark::DoNotOptimize(world.get());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_GenerateGalaxies);

}  // namespace
