// Saving and loading the largest world the game can make (ten galaxies of
// 49 stars, five planets each), to be read as ratios to BM_FrameMemcpy: both
// must fit in one tick. Saving encodes the world and writes its slot through
// a flushed temporary file, keeping the backup; loading reads the slot and
// checks the whole file into a fresh record. The disk's flush dominates the
// real time of saving and varies with the machine, so the encoding and the
// checked reading are also measured alone.
//
// A save as the game makes it (the player's "save N", the autosave after
// every jump and battle) must not stall the game thread by more than one
// tick: BM_SaveGameWorstOfTen and BM_AutosaveWorstOfTen save the largest
// world ten times into an occupied slot and report the slowest time on the
// game thread as worst_ms; the disk's flush runs on the save writer's
// thread. BM_OpenSaveWindow reads the
// nine summaries the save window shows, every slot holding the largest world.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "FrameMemcpy.h"
#include "game/Game.h"
#include "game/SaveGames.h"
#include "game/SaveSlots.h"

namespace {

kv::SavedGame LargestWorld()
{
    kv::SavedGame save;
    kv::Random random(5);
    kv::GenerateGalaxies(*save.world.galaxies, kv::GoodsCatalogue(), random);
    for (kv::kvGalaxy& galaxy : *save.world.galaxies) {
        for (uint8_t j = 1; j <= 49; ++j) {
            kv::kvStar& star = galaxy.Stars[j];
            if (j > galaxy.StarCount) star = galaxy.Stars[1 + j % galaxy.StarCount];
            star.Number = j;
            star.Name = "QK-" + std::to_string(j);
            star.PlanetCount = 5;
            for (std::size_t p = 1; p <= 5; ++p) star.Planets[p] = galaxy.Stars[1].Planets[1 + p % 5];
            star.Planets[5].Name = "bobob";
        }
        galaxy.StarCount = 49;
    }
    save.world.Pilot.Name = "Noname";
    return save;
}

// A scratch saves folder of this run, removed at the end.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string name = (std::filesystem::temp_directory_path() / "kvspace_bench_XXXXXX").string();
        path = ::mkdtemp(name.data()) != nullptr ? name : "";
    }
    ~ScratchFolder()
    {
        if (!path.empty()) std::filesystem::remove_all(path);
    }
    std::string path;
};

void BM_EncodeWorld(benchmark::State& state)
{
    const kv::SavedGame save = LargestWorld();
    for (auto _ : state) benchmark::DoNotOptimize(kv::EncodeSave(save));
}
BENCHMARK(BM_EncodeWorld);

void BM_DecodeWorld(benchmark::State& state)
{
    const std::string bytes = kv::EncodeSave(LargestWorld());
    for (auto _ : state) benchmark::DoNotOptimize(kv::DecodeSave(bytes).Game);
}
BENCHMARK(BM_DecodeWorld);

void BM_SaveWorld(benchmark::State& state)
{
    const kv::SavedGame save = LargestWorld();
    const ScratchFolder folder;
    for (auto _ : state) {
        if (kv::WriteSlot(folder.path, 1, kv::EncodeSave(save), 0).Problem) state.SkipWithError("the save was not written");
    }
    state.counters["bytes"] = static_cast<double>(kv::EncodeSave(save).size());
}
BENCHMARK(BM_SaveWorld);

void BM_LoadWorld(benchmark::State& state)
{
    const ScratchFolder folder;
    if (kv::WriteSlot(folder.path, 1, kv::EncodeSave(LargestWorld()), 0).Problem) state.SkipWithError("the save was not written");
    for (auto _ : state) {
        const kv::SlotRead read = kv::ReadSlot(folder.path, 1);
        if (read.State != kv::SaveState::Good) state.SkipWithError("the save did not load");
        benchmark::DoNotOptimize(read.Save.Game.get());
    }
}
BENCHMARK(BM_LoadWorld);

// A game playing the largest world, saving into a scratch folder.
std::unique_ptr<kv::Game> GameOfLargestWorld(const std::string& folder)
{
    auto game = std::make_unique<kv::Game>();
    kv::SavedGame save = LargestWorld();
    *game->world.galaxies = *save.world.galaxies;
    game->world.Pilot = save.world.Pilot;
    game->world.Pilot.Galaxy = 1;
    game->world.Pilot.Star = 7;
    game->ui.Saves.Folder = folder;
    return game;
}

// Ten saves of the largest world into an occupied slot, each timed on the
// game thread; its writing, flush included, runs on the save writer's
// thread and is waited for outside the timing, so each save replaces a
// written one.
void SaveWorstOfTen(benchmark::State& state, void (*save)(kv::Game&))
{
    const ScratchFolder folder;
    const std::unique_ptr<kv::Game> game = GameOfLargestWorld(folder.path);
    save(*game);
    kv::WaitForSaves(*game);
    double worst = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        save(*game);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        kv::WaitForSaves(*game);
        state.SetIterationTime(took.count());
        worst = std::max(worst, took.count());
    }
    if (game->ui.Saves.FailedSaves != 0) state.SkipWithError("a save was not written");
    state.counters["worst_ms"] = worst * 1000.0;
}

void BM_SaveGameWorstOfTen(benchmark::State& state)
{
    SaveWorstOfTen(state, [](kv::Game& game) { kv::SaveToSlot(game, 1); });
}
BENCHMARK(BM_SaveGameWorstOfTen)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_AutosaveWorstOfTen(benchmark::State& state) { SaveWorstOfTen(state, kv::Autosave); }
BENCHMARK(BM_AutosaveWorstOfTen)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_OpenSaveWindow(benchmark::State& state)
{
    const ScratchFolder folder;
    const std::unique_ptr<kv::Game> game = GameOfLargestWorld(folder.path);
    for (int slot = 0; slot < kv::SlotsShown; ++slot) kv::SaveToSlot(*game, slot);
    kv::WaitForSaves(*game);
    if (game->ui.Saves.FailedSaves != 0) state.SkipWithError("a save was not written");
    for (auto _ : state) benchmark::DoNotOptimize(kv::ReadSlotSummaries(folder.path));
}
BENCHMARK(BM_OpenSaveWindow)->Unit(benchmark::kMillisecond);

}  // namespace
