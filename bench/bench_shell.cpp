// Title, outro and presenting costs, to be read as ratios to BM_FrameMemcpy.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "game/Game.h"
#include "platform/Window.h"
#include "shell/Outro.h"
#include "shell/TitleScene.h"

namespace {

kv::Game& TitleGame()
{
    static kv::Game game;
    game.BackBuffer.SetSize(800, 600);
    game.hud.TitleWindow.Create(800, 600);
    game.hud.TitleWindow.Face.Fill(kv::Rgb{120, 140, 160});
    game.hud.Logo.SetSize(628, 40);
    game.hud.Logo.Fill(kv::Rgb{200, 180, 40});
    game.hud.OutroSheet.Create(800, 2100);
    game.scene.HoveredItem = kv::title::StartGame;
    game.scene.Crosshair = {300, 200};
    game.scene.LastMouse = {320, 240};
    return game;
}

void BM_TitleFrame(benchmark::State& state)
{
    kv::Game& game = TitleGame();
    kv::LogoRing ring;
    ring.Build(game.hud.Logo.Width(), game.hud.Logo.Height());
    for (auto _ : state) {
        kv::TitleTick(game);
        kv::ComposeTitle(game, ring);
        benchmark::DoNotOptimize(game.BackBuffer.Data());
    }
}
BENCHMARK(BM_TitleFrame);

void BM_OutroFrame(benchmark::State& state)
{
    kv::Game& game = TitleGame();
    kv::Bitmap& sheet = game.hud.OutroSheet.Face;
    sheet.Fill(kv::White);
    for (int y = 0; y < sheet.Height(); y += 3)
        for (int x = y % 7; x < 800; x += 5) sheet.SetPixel(x, y, kv::Rgb{252, 210, 69});
    const kv::OutroCrawl crawl;
    game.scene.OutroCounter = 900;
    for (auto _ : state) {
        kv::ComposeOutro(game, crawl);
        benchmark::DoNotOptimize(game.BackBuffer.Data());
    }
}
BENCHMARK(BM_OutroFrame);

void BM_PresentFrame(benchmark::State& state)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    kv::Window window;
    kv::Bitmap frame(800, 600);
    frame.Fill(kv::Rgb{10, 20, 30});
    for (auto _ : state) window.Present(frame);
}
BENCHMARK(BM_PresentFrame);

}  // namespace
