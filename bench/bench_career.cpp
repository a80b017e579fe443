// 10,000 jumps of a greedy career trader, market, news, contracts and all,
// to be read against the one second of CPU a player would wait for them, and
// as a ratio to BM_FrameMemcpy. Run in the game folder: the bot reads the
// equipment catalogues.
#include <benchmark/benchmark.h>

#include "CareerBot.h"
#include "FrameMemcpy.h"

namespace {

constexpr uint32_t CareerJumps = 10000;

void BM_CareerJumps(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        kv::bot::CareerBot bot(kv::bot::Style::Trader, 3);
        state.ResumeTiming();
        for (uint32_t i = 0; i < CareerJumps && bot.Step(); ++i) {}
        benchmark::DoNotOptimize(bot.world.Pilot.Cash);
        state.counters["jumps"] = bot.jumps;
    }
}
BENCHMARK(BM_CareerJumps)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace
