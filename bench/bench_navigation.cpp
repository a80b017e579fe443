// Redrawing the star map, which a right-button drag does on every mouse
// move; to be read as a ratio to BM_FrameMemcpy. The galaxy level has the
// most stars a galaxy can hold (49) with the plane ring, the axis cross and a
// jump line; the system level is the Sun with its six planets, at zoom 1 and
// zoomed in until the outer rings leave the window.
#include <benchmark/benchmark.h>

#include "game/Game.h"
#include "hud/Hud.h"
#include "navigation/StarMap.h"

namespace {

kv::Game& BuiltGame()
{
    static kv::Game game;
    static const bool built = (kv::BuildHud(game), true);
    benchmark::DoNotOptimize(built);
    return game;
}

// 49 stars spread through the galaxy as generation spreads them.
void FillGalaxy(kv::kvGalaxy& galaxy)
{
    kv::Random random(7);
    galaxy.StarCount = 49;
    for (std::size_t i = 2; i <= galaxy.StarCount; ++i) {
        kv::kvStar& star = galaxy.Stars[i];
        star.Number = static_cast<uint8_t>(i);
        star.Name = "KQ-" + std::to_string(i);
        star.X = random.NextReal() * 280 - 140;
        star.Y = random.NextReal() * 280 - 140;
        star.Z = random.NextReal() * 60 - 30;
    }
}

void BM_StarMapGalaxy(benchmark::State& state)
{
    kv::Game& game = BuiltGame();
    FillGalaxy((*game.world.galaxies)[1]);
    game.ui.map = kv::MapView{};
    game.ui.map.ShowEcliptic = true;
    game.ui.map.MapTilt = 0.6;
    game.ui.map.MapSpin = 0.3;
    game.ui.SelectedStar = 17;
    for (auto _ : state) {
        game.ui.map.MapSpin += 0.001;
        kv::DrawStarMap(game);
        benchmark::DoNotOptimize(game.ui.hud.StarMap.Face.Data());
    }
}
BENCHMARK(BM_StarMapGalaxy);

void BM_StarMapSystem(benchmark::State& state)
{
    kv::Game& game = BuiltGame();
    game.ui.map = kv::MapView{};
    game.ui.map.MapLevel = 0;
    game.ui.map.MapTilt = 0.6;
    game.ui.map.MapZoom = static_cast<double>(state.range(0));
    game.ui.SelectedStar = 1;  // the Sun
    for (auto _ : state) {
        game.ui.map.MapSpin += 0.001;
        kv::DrawStarMap(game);
        benchmark::DoNotOptimize(game.ui.hud.StarMap.Face.Data());
    }
}
BENCHMARK(BM_StarMapSystem)->Arg(1)->Arg(3);

}  // namespace
