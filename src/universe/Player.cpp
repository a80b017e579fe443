#include "universe/Player.h"

#include "universe/World.h"

namespace kv {

namespace {

uint8_t RankFor(long double points)
{
    for (std::size_t i = RankThresholds.size(); i-- > 0;)
        if (points >= RankThresholds[i]) return static_cast<uint8_t>(i);
    return 0;
}

void ResetPilot(kvPlayer& pilot, const GoodsTable& goods)
{
    pilot.TradeRank = 0;
    pilot.CombatRank = 0;
    pilot.TradePoints = 0;
    pilot.CombatPoints = 0;
    pilot.Cash = StartCash;
    pilot.Score = 0;
    pilot.Galaxy = 1;
    pilot.Star = 1;
    pilot.Reserved = 1;
    pilot.GameDate = StartDate;
    for (std::size_t k = 1; k <= GoodsCount; ++k) {
        pilot.Cargo[k].Goods = goods[k];
        pilot.Cargo[k].Quantity = 0;
    }
    pilot.Cargo[FuelGoods].Quantity = StartFuelUnits;
}

void RefitShip(kvShip& ship, const ShipCatalogue& equipment)
{
    ship.Engine = equipment.EngineCatalogue[1];
    ship.WeaponSlot = 1;
    ship.Weapons[1] = equipment.WeaponCatalogue[1];
    ship.Fuel = StartFuelUnits * FuelPerUnit;
}

}  // namespace

void UpdateRanks(kvPlayer& pilot)
{
    pilot.TradeRank = RankFor(pilot.TradePoints);
    pilot.CombatRank = RankFor(pilot.CombatPoints);
}

void InitPlayer(World& world)
{
    ResetPilot(world.Pilot, world.Goods);
    RefitShip(world.Ship, world.Equipment);
}

}  // namespace kv
