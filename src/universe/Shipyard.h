// The shipyard of a career game: another hull, engine or weapon costs its
// Price less a trade-in of the part it replaces, and is sold only at stars
// of a high enough tech level. A hull must hold what the hold carries.
#pragma once

#include <cstdint>

#include "universe/Career.h"
#include "universe/SpaceCraft.h"

namespace kv {

enum class PartKind : uint8_t { Hull, Engine, Weapon };

// The tech level a star needs to sell catalogue entry `entry` of any kind.
uint8_t PartTechLevel(uint8_t entry);
// What changing the fitted part of `kind` for catalogue entry `wanted`
// costs: its price less the trade-in of the part fitted now (a cheaper part
// can pay the pilot).
int32_t PartCost(const ShipCatalogue& catalogue, const PartChoices& fitted, PartKind kind, uint8_t wanted);

enum class PartResult : uint8_t { Bought, NoSuchPart, NotSoldHere, CashShort, HoldTooSmall };

// Buys entry `wanted` of `kind` at the current star: on success the cash
// pays, `fitted` names the new part and the ship is refitted; otherwise
// nothing changes and a notice says why.
PartResult BuyPart(World& world, PartChoices& fitted, PartKind kind, uint8_t wanted);

}  // namespace kv
