#include "universe/Jump.h"

#include <algorithm>
#include <cmath>

namespace kv {

namespace {

constexpr double AmbushChance = 0.3;

// The reserve pays for the distance; the hold's fuel units follow it. The
// units are the whole tens the reserve holds: rounding the reserve to the
// nearest first made 99.6 ten units, and selling them all left the reserve
// below 0. A jump over the whole range leaves exactly 0, not a rounding
// error below it.
void SpendFuel(World& world, double distance)
{
    kvShip& ship = world.Ship;
    ship.Fuel = std::max(0.0, ship.Fuel - distance * ship.Engine.Consumption);
    const double units = std::min(std::floor(ship.Fuel / FuelPerUnit), 65535.0);
    world.Pilot.Cargo[FuelGoods].Quantity = static_cast<uint16_t>(units);
}

}  // namespace

double StarDistance(const kvGalaxy& galaxy, uint8_t a, uint8_t b)
{
    const kvStar& s = galaxy.Stars[a];
    const kvStar& t = galaxy.Stars[b];
    const double dx = s.X - t.X, dy = s.Y - t.Y, dz = s.Z - t.Z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

double JumpRange(const kvShip& ship) { return ship.Fuel / ship.Engine.Consumption; }

const kvGalaxy& CurrentGalaxy(const World& world) { return (*world.galaxies)[world.Pilot.Galaxy]; }

bool IsDestination(const World& world, uint8_t star)
{
    return star >= 1 && star <= CurrentGalaxy(world).StarCount && star != world.Pilot.Star;
}

bool CanJump(const World& world, uint8_t star)
{
    return IsDestination(world, star) &&
           JumpRange(world.Ship) >= StarDistance(CurrentGalaxy(world), world.Pilot.Star, star);
}

JumpOutcome Hyperjump(World& world, uint8_t star)
{
    if (!CanJump(world, star)) return JumpOutcome::Refused;
    const double distance = StarDistance(CurrentGalaxy(world), world.Pilot.Star, star);
    const uint16_t fuelUnits = world.Pilot.Cargo[FuelGoods].Quantity;
    SpendFuel(world, distance);
    world.Pilot.Star = star;
    const JumpOutcome outcome = world.random.NextReal() <= AmbushChance ? JumpOutcome::Ambushed : JumpOutcome::Arrived;
    if (IsCareer(world)) CareerJumped(world, distance, fuelUnits);
    return outcome;
}

}  // namespace kv
