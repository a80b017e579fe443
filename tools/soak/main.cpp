// A 10,000-tick battle with enemies spawned and destroyed all along, built
// with the leak checker (or the address sanitizer, which holds it): it fails
// when memory in use keeps growing while the battle runs, and (through the
// checker, at exit) when anything the battle made is never freed. Run from
// the game folder.
//
// Memory in use is what the checker's own allocator says is allocated, not
// the resident size: the address sanitizer keeps freed blocks in quarantine,
// which swells the resident size of any program that allocates a lot.
#include <cstddef>
#include <cstdio>

#include "shell/CombatScene.h"
#include "combat/Effects.h"
#include "game/Game.h"

// The sanitizers' allocator interface, present in every build of the soak.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();

namespace {

constexpr int Ticks = 10000;
constexpr int WarmUpTicks = 2000;
constexpr int TicksPerSpawn = 20;
constexpr int TicksPerAsteroid = 500;
constexpr int EnemiesKept = 8;
constexpr long GrowthAllowedKilobytes = 8 * 1024;

long AllocatedKilobytes() { return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024); }

void FitOut(kv::Game& game)
{
    game.BackBuffer.SetSize(800, 600);
    game.SwitchScene = [&game](uint8_t scene) { game.CurrentScene = scene; };
    kv::LoadShipCatalogue(game.world.Equipment);
    game.world.Ship.Hull = game.world.Equipment.HullCatalogue[1];
    game.world.Ship.WeaponSlot = 1;
    game.world.Ship.Weapons[1] = game.world.Equipment.WeaponCatalogue[1];
    game.ui.hud.Scanner.Create(101, 101);
}

// Every enemy past the first few is shot down at once, so the battle goes
// on (its first enemy lives) while ships keep coming and going.
void DestroySurplusEnemies(kv::Battle& battle)
{
    int enemies = 0;
    for (const auto& o : battle.CombatObjects) {
        if (o->Class != kv::ObjectClass::Ship) continue;
        auto& ship = static_cast<kv::kvCombatShip&>(*o);
        if (ship.Side != kv::EnemySide || ++enemies <= EnemiesKept) continue;
        ship.ShipRecord->Hull.HP = 0;
    }
}

void HoldKeysForTick(kv::Game& game, int tick)
{
    game.Keys.Clear();
    game.Keys.Set('M', true);
    if (tick % TicksPerSpawn == 0) {
        const int n = tick / TicksPerSpawn;
        game.Keys.Set(kv::SpawnKeys[n % 5][(n / 5) % 4], true);
    }
    if (tick % TicksPerAsteroid == 0) game.Keys.Set('N', true);
}

}  // namespace

int main()
{
    kv::Game game;
    FitOut(game);
    kv::SetUpBattle(game);
    long warm = 0;
    std::size_t mostObjects = 0;
    for (int tick = 1; tick <= Ticks; ++tick) {
        if (game.CurrentScene != kv::SceneCombat) kv::SetUpBattle(game);
        HoldKeysForTick(game, tick);
        DestroySurplusEnemies(game.battle);
        kv::CombatInput(game);
        if (game.CurrentScene == kv::SceneCombat) kv::ComposeCombatFrame(game);
        mostObjects = std::max(mostObjects, game.battle.CombatObjects.size());
        if (tick == WarmUpTicks) warm = AllocatedKilobytes();
    }
    const long end = AllocatedKilobytes();
    const long growth = end - warm;
    kv::LeaveCombat(game);
    std::printf("%d ticks, at most %zu objects, %ld KiB in use after the warm-up, %ld KiB at the end\n", Ticks,
                mostObjects, warm, end);
    if (growth > GrowthAllowedKilobytes) {
        std::fprintf(stderr, "memory kept growing during the battle\n");
        return 1;
    }
    return 0;
}
