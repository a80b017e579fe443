// One tick of the game clock under a flood of pointer moves, through the real
// event queue and the window's event pump, to be read as a ratio to
// BM_FrameMemcpy. The flood is 10,000 moves a second, so each tick finds 156
// of them waiting; ticks_per_s tells how many ticks a second that load
// leaves room for, and the game runs 64 when it is at least that.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Window.h"
#include "shell/MessageLoop.h"
#include "shell/Scenario.h"
#include "shell/UnitMain.h"

namespace {

void PushPointerMove(int x, int y)
{
    SDL_Event move{};
    move.type = SDL_MOUSEMOTION;
    move.motion.x = x;
    move.motion.y = y;
    SDL_PushEvent(&move);
}

void BM_TickUnderPointerFlood(benchmark::State& state)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    kv::Window window;
    kv::TfrmMain form(window);
    form.FormCreate();
    kv::ScenarioRunner runner(form, "");
    runner.Run({"click 234 56", "tick", "move 150 450", "tick", "click 150 450", "tick 45"});
    const auto movesPerTick = static_cast<int>(state.range(0) / kv::TicksPerSecond);
    int step = 0;
    for (auto _ : state) {
        for (int i = 0; i < movesPerTick; ++i, ++step) PushPointerMove(50 + step % 700, 50 + step % 500);
        while (auto event = window.WaitEvent(0)) form.Dispatch(*event);
        form.Tick();
    }
    state.counters["ticks_per_s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TickUnderPointerFlood)->ArgName("moves_per_s")->Arg(0)->Arg(10000);

}  // namespace
