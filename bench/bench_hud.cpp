// The space scene's frame with its panels, to be read as a ratio to
// BM_FrameMemcpy: the top bar, console, player and star information panels
// at rest and the star map open, all at Alpha 179.
#include <benchmark/benchmark.h>

#include "hud/Hud.h"
#include "platform/BmpFile.h"
#include "shell/SpaceScene.h"

namespace {

void BM_SpaceFrame(benchmark::State& state)
{
    static kv::Game game;
    kv::BuildHud(game);
    kv::LoadBmp("res\\gfx\\backgrounds\\planet3.bmp", game.scene.SpaceBackground);
    kv::Hud& h = game.ui.hud;
    kv::PlaceSpaceWindows(h);
    h.TopBar.Top = 0;
    h.ConsoleWindow.Top = 455;
    h.PlayerWindow.Left = 0;
    h.StarInfo.Left = 600;
    h.StarMap.Face.Fill(kv::Rgb{0, 0, 8});  // a map drawn all over: every pixel blends
    for (auto _ : state) {
        kv::ComposeSpace(game);
        benchmark::DoNotOptimize(game.BackBuffer.Data());
    }
}
BENCHMARK(BM_SpaceFrame);

}  // namespace
