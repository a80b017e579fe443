// The career market: prices that move with trade and drift back.
//
// Each row's asking and paying prices are its generated ones times
// 1 + Elasticity x Pressure, times the news' factor while it holds, held in
// the band LowestPriceShare .. HighestPriceShare of the generated price. A
// price shown is the price of the next unit: the asking price is the one
// after that unit is bought, the paying price the one after it is sold. So
// buying units and selling them back at one star always loses the spread,
// however many are traded.
//
// The band, exactly: the asking price stays within [ceil(Low x GenSell),
// floor(High x GenSell)], the paying price within [ceil(Low x GenBuy) - 1,
// floor(High x GenBuy)], and the paying price is always below the asking
// price (the one credit below the band only where generation left no
// markup and both sit on the floor). So a career market at rest shows its
// generated prices moved by one unit's step.
//
// Only the current star's rows are kept up to date; another star's show
// what they were when the ship left, and PeekRow says what they will be.
#pragma once

#include <cstdint>

#include "universe/Career.h"
#include "universe/World.h"

namespace kv {

// Sets the row's prices from its memory at the game date `now`.
void RepriceRow(PriceListItem& row, const CareerRow& memory, double now);
// Relaxes the star's rows to the date `now` and reprices them.
void SettleStar(World& world, uint8_t galaxy, uint8_t star, double now);
// What row `goods` of a star will show at the date `at`, changing nothing.
PriceListItem PeekRow(const World& world, uint8_t galaxy, uint8_t star, uint8_t goods, double at);

// Whether a price is inside its band (above).
bool AskInBand(int32_t ask, const CareerRow& memory);
bool PayInBand(int32_t pay, const CareerRow& memory);

// The career's trading rules at the current star, one unit at a time. A
// unit can be bought when the store has one, the pilot can pay and the hold
// has room under the hull's Volume; sold when the hold has one, the store is
// under its cap and the cash stays within 32 bits. A sale's trade points are
// its profit over what the unit cost on average, and only at another star
// than where the row was last bought; buying earns none. So trade points
// reward carrying goods between stars, never a round trip at one store.
bool CareerCanBuy(const World& world, uint8_t goods);
bool CareerCanSell(const World& world, uint8_t goods);
void CareerBuyOne(World& world, uint8_t goods);
void CareerSellOne(World& world, uint8_t goods);

// The most units the store of a row takes.
uint16_t StoreCap(const CareerRow& memory);

}  // namespace kv
