// Redrawing the market window after a trade, to be read as a ratio to
// BM_FrameMemcpy.
#include <benchmark/benchmark.h>

#include "game/Game.h"
#include "hud/Hud.h"
#include "hud/MarketWindow.h"

namespace {

void BM_DrawMarket(benchmark::State& state)
{
    static kv::Game game;
    kv::BuildHud(game);
    game.ui.SelectedGoods = 7;
    for (auto _ : state) {
        kv::DrawMarket(game);
        benchmark::DoNotOptimize(game.ui.hud.Market.Face.Data());
    }
}
BENCHMARK(BM_DrawMarket);

}  // namespace
