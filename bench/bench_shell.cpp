// Title, outro and presenting costs, to be read as ratios to BM_FrameMemcpy.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "game/Game.h"
#include "platform/Window.h"
#include "shell/Outro.h"
#include "shell/TitleScene.h"

namespace {

kv::Game& TitleGame()
{
    static kv::Game game;
    game.BackBuffer.SetSize(800, 600);
    game.ui.hud.TitleWindow.Create(800, 600);
    game.ui.hud.TitleWindow.Face.Fill(kv::Rgb{120, 140, 160});
    game.ui.hud.Logo.SetSize(628, 40);
    game.ui.hud.Logo.Fill(kv::Rgb{200, 180, 40});
    game.ui.hud.OutroSheet.Create(800, 2100);
    game.scene.HoveredItem = kv::title::StartGame;
    game.scene.Crosshair = {300, 200};
    game.scene.LastMouse = {320, 240};
    return game;
}

void BM_TitleFrame(benchmark::State& state)
{
    kv::Game& game = TitleGame();
    kv::LogoRing ring;
    ring.Build(game.ui.hud.Logo.Width(), game.ui.hud.Logo.Height());
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
    kv::Bitmap& sheet = game.ui.hud.OutroSheet.Face;
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

// Composing hostile outro files on the 800 x 2100 sheet with the crawl's
// font: each must stay well under 100 ms (a few thousand frame copies). The
// words differ from run to run, so each run measures and renders afresh, as
// entering the outro scene does.
enum class OutroText { LongLine, OneWord, Blanks, ControlBytes, BrokenUtf8 };

std::vector<std::string> HostileOutro(OutroText kind, int run)
{
    const std::string mark = std::to_string(run);
    std::string text;
    switch (kind) {
    case OutroText::LongLine:
        for (int i = 0; text.size() < (1u << 20); ++i) text += "w" + std::to_string(i % 1000) + mark + " ";
        return {text};
    case OutroText::OneWord: return {mark + std::string(10u << 20, 'w')};
    case OutroText::Blanks: return std::vector<std::string>(kv::OutroSheetLines, std::string(20000, ' '));
    case OutroText::ControlBytes:
        for (int i = 0; i < 20000; ++i) text += static_cast<char>(i % 8 == 7 ? ' ' : (i + run) % 31 + 1);
        return std::vector<std::string>(kv::OutroSheetLines, text);
    case OutroText::BrokenUtf8:
        for (int i = 0; i < 20000; ++i) text += static_cast<char>(i % 5 == 4 ? ' ' : 0x80 + (i + run) % 127);
        return std::vector<std::string>(kv::OutroSheetLines, text);
    }
    return {};
}

void BM_OutroCompose(benchmark::State& state)
{
    kv::Bitmap sheet(800, 2100);
    sheet.font = kv::Font{"Arial Black", 30, kv::Rgb{252, 210, 69}};
    sheet.brush.Style = kv::BrushStyle::Clear;
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::vector<std::string> lines = HostileOutro(static_cast<OutroText>(state.range(0)), ++run);
        state.ResumeTiming();
        kv::ComposeOutroText(lines, sheet);
        benchmark::DoNotOptimize(sheet.Data());
    }
}
BENCHMARK(BM_OutroCompose)
    ->ArgName("text")
    ->Arg(static_cast<int>(OutroText::LongLine))
    ->Arg(static_cast<int>(OutroText::OneWord))
    ->Arg(static_cast<int>(OutroText::Blanks))
    ->Arg(static_cast<int>(OutroText::ControlBytes))
    ->Arg(static_cast<int>(OutroText::BrokenUtf8))
    ->Unit(benchmark::kMillisecond);

// Presenting with the software renderer into a window of the given size and
// scaling style (0 sharp, 1 smooth): 800 x 600, 1600 x 1200 (2x),
// 2400 x 1800 (3x) and a 3840 x 2160 screen filled smoothly.
void BM_PresentFrame(benchmark::State& state)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    kv::Window window;
    window.SetScaling(state.range(2) == 0 ? kv::ScalingStyle::Sharp : kv::ScalingStyle::Smooth);
    window.Resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    kv::Bitmap frame(800, 600);
    frame.Fill(kv::Rgb{10, 20, 30});
    for (auto _ : state) window.Present(frame);
}
BENCHMARK(BM_PresentFrame)->Args({800, 600, 0})->Args({1600, 1200, 0})->Args({2400, 1800, 0})->Args({3840, 2160, 1});

}  // namespace
