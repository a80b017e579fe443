// Hyperjumps between the stars of the pilot's galaxy. Distances and the jump
// range are in map units. The range is the ship's fuel reserve over its
// engine's consumption; a jump spends distance x consumption of the reserve,
// after which the hold's "Fuel" units are the reserve's whole tens. By the
// classic rules jumps take no game time; in a career game the arrival rules
// of universe/Career.h run after the ambush is drawn. On arrival about three
// times in ten an ambush awaits.
#pragma once

#include <cstdint>

#include "universe/World.h"

namespace kv {

// The straight three-dimensional distance between stars a and b (1-based).
double StarDistance(const kvGalaxy& galaxy, uint8_t a, uint8_t b);
// How far the ship's fuel reaches.
double JumpRange(const kvShip& ship);

// The galaxy the pilot is in.
const kvGalaxy& CurrentGalaxy(const World& world);

// Another star of the pilot's galaxy than the one the ship is at.
bool IsDestination(const World& world, uint8_t star);
// A destination within the jump range.
bool CanJump(const World& world, uint8_t star);

enum class JumpOutcome : uint8_t { Refused, Arrived, Ambushed };

// The jump to `star`: refused, changing nothing, unless CanJump; otherwise
// the fuel is spent, the pilot is at `star`, and one draw of the random
// generator decides the ambush.
JumpOutcome Hyperjump(World& world, uint8_t star);

}  // namespace kv
