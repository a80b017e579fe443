// Trading at the star the pilot is at: one unit of one goods at a time.
// Goods are known by their row 1..12. By the classic rules below the prices
// never move; a career game trades by the career market's rules instead
// (universe/CareerMarket.h), through these same four functions.
#pragma once

#include <cstdint>

#include "universe/World.h"

namespace kv {

// The price list of the pilot's current star.
PriceTable& CurrentMarket(World& world);
const PriceTable& CurrentMarket(const World& world);

// A unit can be bought when the store has one, the hold has room and the
// pilot can pay; sold when the hold has one, the store has room and the cash
// stays within 32 bits. The market's "+" and "-" are enabled exactly then.
bool CanBuy(const World& world, uint8_t goods);
bool CanSell(const World& world, uint8_t goods);

// One unit from the store into the hold, or back. Buying earns a tenth of the
// asking price in trade points, selling the whole asking price; the ranks
// follow. A unit of fuel is 10 units of the ship's reserve, and the reserve
// never goes below empty. The caller asks CanBuy or CanSell first.
void BuyOne(World& world, uint8_t goods);
void SellOne(World& world, uint8_t goods);

}  // namespace kv
