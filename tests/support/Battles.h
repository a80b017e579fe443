// Helpers for the battle's tests: a game ready to fight, and small hand-made
// ships whose pictures the tests choose.
#pragma once

#include <memory>

#include "combat/Combat.h"
#include "game/Game.h"

namespace kv::testing {

// The player's ship fitted with hull 1 and weapon 1 of the catalogues read
// from the game folder.
inline void FitPlayerShip(Game& game)
{
    LoadShipCatalogue(game.world.Equipment);
    game.world.Ship.Hull = game.world.Equipment.HullCatalogue[1];
    game.world.Ship.WeaponSlot = 1;
    game.world.Ship.Weapons[1] = game.world.Equipment.WeaponCatalogue[1];
}

// A fitted ship, an 800 x 600 frame, and a scene switch that only records
// the scene.
inline void ReadyForBattle(Game& game)
{
    game.BackBuffer.SetSize(800, 600);
    game.SwitchScene = [&game](uint8_t scene) { game.CurrentScene = scene; };
    FitPlayerShip(game);
}

// A W x H ship of one colour with its own record, appended to the battle.
inline kvCombatShip& AddShip(Game& game, int32_t side, double x, double y, uint16_t w = 10, uint16_t h = 10)
{
    auto ship = std::make_unique<kvCombatShip>(w, h);
    ship->Image.Fill(Rgb{200, 100, 50});
    ship->OwnRecord = std::make_unique<kvShip>();
    ship->OwnRecord->Hull.HP = 1000;
    ship->ShipRecord = ship->OwnRecord.get();
    ship->Side = side;
    ship->X = x;
    ship->Y = y;
    return game.battle.Append(std::move(ship));
}

}  // namespace kv::testing
