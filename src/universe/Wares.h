// The twelve goods of the game, the price-list row that every star's market
// and the player's hold are made of, and the rules that set a market's
// prices and stock when a galaxy is generated.
//
// Goods are known by their place 1..12 in the catalogue: row k of every price
// list is goods k, and no list is ever reordered or searched by name.
#pragma once

#include <cstdint>
#include <string>

#include "base/OneBased.h"
#include "base/Random.h"

namespace kv {

struct kvGoods {
    std::string Name;
    uint16_t AttrA = 0;  // unit attributes carried with the goods; no rule reads them
    uint16_t AttrB = 0;
    double BasePrice = 0.0;  // reference price of one unit, in credits
    bool operator==(const kvGoods&) const = default;
};

constexpr std::size_t GoodsCount = 12;
using GoodsTable = OneBased<kvGoods, GoodsCount>;

// Goods 3 is the ship's jump fuel: one unit in the hold is 10 reserve units.
constexpr std::size_t FuelGoods = 3;
constexpr double FuelPerUnit = 10.0;

// The fixed catalogue, in its fixed order ("Prodium" first, "Energy cells"
// last). Filled once at start-up and never changed.
GoodsTable GoodsCatalogue();

// One row of a price list. In a star's market only Quantity and the prices
// are used and Goods stays empty; in the player's hold Goods is a copy of the
// catalogue entry and the prices stay zero.
struct PriceListItem {
    kvGoods Goods;
    uint16_t Quantity = 0;   // units in store, or units carried
    int32_t SellPrice = 0;   // what the market asks for one unit
    int32_t BuyPrice = 0;    // what the market pays for one unit
    bool operator==(const PriceListItem&) const = default;
};

using PriceTable = OneBased<PriceListItem, GoodsCount>;

// The nearest whole number of an extended real, halves to even: the same
// rounding as kv::Nearest, taken before the value is narrowed to a double so
// that a result a hair off a half still rounds the way it was computed.
int64_t NearestExtended(long double v);

// The market rules with their draws given: r is 0..24, s is 0..49, q is
// 0..5999 and the tech level 1..10. High-tech systems pay less and keep more
// in store; the markup of the asking price is 0.5 % to 5.4 %, and for cheap
// goods it can vanish in the rounding.
int32_t MarketBuyPrice(double basePrice, uint8_t techLevel, uint32_t r);
int32_t MarketSellPrice(int32_t buyPrice, uint32_t s);
uint16_t MarketQuantity(double basePrice, uint8_t techLevel, uint32_t q);

// Sets the prices and stock of one market row for goods of the given kind at
// a star of the given tech level, drawing r, s and q in that order. The row's
// Goods is left as it was.
void GenerateMarketRow(PriceListItem& row, const kvGoods& goods, uint8_t techLevel, Random& random);

}  // namespace kv
