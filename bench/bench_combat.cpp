// The battle's costs, to be read as ratios to BM_FrameMemcpy: a combat frame
// with the objects of a battle's start, one with 50 enemies and their
// exhaust (about 600 objects), frames with 100 to 2,000 enemies firing at
// the player (the cost should grow about linearly with the enemies), and
// one enemy spawned once its hull's rotation strip exists. Run from the game
// folder (the ship pictures).
#include <benchmark/benchmark.h>

#include "shell/CombatScene.h"
#include "game/Game.h"
#include "hud/Hud.h"

namespace {

// Frames between fresh set-ups, so rams and kills do not thin the battle out.
constexpr int64_t FramesPerBattle = 400;
// Every battle set up here places its enemies and asteroids the same way,
// so one run's figures compare with another's.
constexpr uint32_t BattleSeed = 20261210;

kv::Game& BattleGame()
{
    static kv::Game game;
    static bool built = false;
    if (!built) {
        kv::BuildHud(game);
        game.BackBuffer.SetSize(800, 600);
        game.SwitchScene = [](uint8_t scene) { game.CurrentScene = scene; };
        game.world.Ship.Hull = game.world.Equipment.HullCatalogue[1];
        game.world.Ship.Weapons[1] = game.world.Equipment.WeaponCatalogue[1];
        game.world.random.FixSeed(BattleSeed);
        built = true;
    }
    return game;
}

void HoldSpawnKeys(kv::Game& game, int enemies)
{
    for (int i = 0; i < enemies; ++i) {
        game.Keys.Clear();
        game.Keys.Set(kv::SpawnKeys[i % 5][(i / 5) % 4], true);
        kv::CombatInput(game);
        kv::ComposeCombatFrame(game);
    }
    game.Keys.Clear();
}

void StartBattle(kv::Game& game, int enemies)
{
    kv::SetUpBattle(game);
    HoldSpawnKeys(game, enemies);
}

void RunFrames(benchmark::State& state, int enemies)
{
    kv::Game& game = BattleGame();
    StartBattle(game, enemies);
    int64_t frames = 0;
    for (auto _ : state) {
        if (++frames % FramesPerBattle == 0) {
            state.PauseTiming();
            StartBattle(game, enemies);
            state.ResumeTiming();
        }
        game.world.Ship.Hull.HP = 1000000;
        kv::CombatInput(game);
        kv::ComposeCombatFrame(game);
        benchmark::DoNotOptimize(game.BackBuffer.Data());
    }
    state.counters["objects"] = static_cast<double>(game.battle.CombatObjects.size());
    kv::LeaveCombat(game);
}

void BM_CombatFrameAtStart(benchmark::State& state) { RunFrames(state, 0); }
BENCHMARK(BM_CombatFrameAtStart);

void BM_CombatFrameWith50Enemies(benchmark::State& state) { RunFrames(state, 50); }
BENCHMARK(BM_CombatFrameWith50Enemies);

// Every spawn key held at once: 20 enemies a tick.
void SpawnFleet(kv::Game& game, int enemies)
{
    kv::SetUpBattle(game);
    for (int spawned = 0; spawned < enemies; spawned += 20) {
        game.world.Ship.Hull.HP = 1000000;
        game.Keys.Clear();
        for (const auto& keys : kv::SpawnKeys)
            for (uint16_t key : keys) game.Keys.Set(key, true);
        kv::CombatInput(game);
        kv::ComposeCombatFrame(game);
    }
    game.Keys.Clear();
}

// A crowd of enemies chasing and shooting the player, who never dies. The
// battle runs for two bullet lifetimes before the timing starts, so the
// bullets in flight and the exhaust have reached their steady numbers. The
// battle still changes as it goes on, so every run times the same frames of
// the same battle: a count of frames chosen by the run's own speed would
// time a different stretch of it.
void BM_CombatFrameWithEnemies(benchmark::State& state)
{
    kv::Game& game = BattleGame();
    SpawnFleet(game, static_cast<int>(state.range(0)));
    for (int tick = 0; tick < 200; ++tick) {
        game.world.Ship.Hull.HP = 1000000;
        kv::ComposeCombatFrame(game);
    }
    for (auto _ : state) {
        game.world.Ship.Hull.HP = 1000000;
        kv::ComposeCombatFrame(game);
        benchmark::DoNotOptimize(game.BackBuffer.Data());
    }
    if (game.CurrentScene != kv::SceneCombat) state.SkipWithError("the battle ended");
    state.counters["objects"] = static_cast<double>(game.battle.CombatObjects.size());
    kv::LeaveCombat(game);
}
constexpr int64_t TimedFrames = 100;
BENCHMARK(BM_CombatFrameWithEnemies)
    ->Arg(100)
    ->Arg(200)
    ->Arg(400)
    ->Arg(1000)
    ->Arg(2000)
    ->Iterations(TimedFrames)
    ->Unit(benchmark::kMicrosecond);

void BM_SpawnEnemy(benchmark::State& state)
{
    kv::Game& game = BattleGame();
    StartBattle(game, 1);
    game.Keys.Set('A', true);
    for (auto _ : state) kv::CombatInput(game);
    game.Keys.Clear();
    kv::LeaveCombat(game);
}
BENCHMARK(BM_SpawnEnemy)->Iterations(2000);

}  // namespace
