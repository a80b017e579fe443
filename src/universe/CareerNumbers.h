// Every number of the career rules that a designer chose, in one place, each
// with the reason for it. The career bot's balance tests hold them to their
// promises: change one here and run them.
#pragma once

#include <cstdint>

namespace kv::career {

// Time. A jump across a galaxy (about 260 map units) takes 26 days; a hop to
// a neighbour (30 to 60 units) three to six, so the system view's planets,
// which turn 0.1 to 1.1 radians a day, have moved visibly after each jump.
constexpr double DaysPerMapUnit = 0.1;

// The market. Pressure counts the units traded at a row, in generated
// stores: buying raises it by 1 / (generated stock + cushion) a unit,
// selling lowers it. The asking and paying prices are the generated ones
// times 1 + Elasticity x pressure (news multiplies on top).
// Half a price step per generated store traded: dumping a whole store's
// worth halves the price, which a player notices after a few loads.
constexpr double Elasticity = 0.5;
// Keeps the smallest stores (7 Clones at a poor star) from swinging by a
// seventh of their price per unit: every store moves like one 20 units larger.
constexpr double StockCushion = 20.0;
// The band round the generated price: never below half, never above double.
// The peers' players accept halving and doubling; beyond it a market feels
// broken rather than alive.
constexpr double LowestPriceShare = 0.5;
constexpr double HighestPriceShare = 2.0;
// A store never holds more than twice its generated stock: beyond it the
// market buys no more, so a glut has a floor of stock as well as of price.
constexpr double StoreCapShare = 2.0;
// Pressure and a store's stock halve their distance to the generated values
// every 20 days: a route run every ten days or so wears down, and three
// months away restores it.
constexpr double RelaxHalfLifeDays = 20.0;

// News. About one arrival in four brings news: often enough to steer by,
// rarely enough to be worth reading.
constexpr double NewsChance = 0.25;
// News is of a star within two ordinary jumps.
constexpr double NewsReach = 120.0;
// A shortage lifts a row's prices by 70 %, a glut drops them by 40 %: more
// than any margin between stars of neighbouring tech levels, so the news
// matters, and within the band.
constexpr double ShortageFactor = 1.7;
constexpr double GlutFactor = 0.6;
// The news holds for 20 to 40 days: long enough to fly there.
constexpr uint32_t NewsLeastDays = 20;
constexpr uint32_t NewsMoreDays = 21;

// Combat. An enemy destroyed pays 15 % of what its hull and weapon cost: the
// set-up's Viper with its Pulser pays 615, about one good trade early in a
// career, and with an ambush on three jumps in ten a pilot who wins most
// battles earns the fuel of every hop from bounties alone.
constexpr double BountyShare = 0.15;
// Combat points are the bounty's credits, as trade points are a sale's
// profit: one ladder for money earned either way.
constexpr double CombatPointsPerCredit = 1.0;
// A lost ship: the cargo in the hold is gone, the rescue leaves at least the
// 16 units of fuel a career starts with (so the career goes on), and repairs
// cost a quarter of the hull's price.
constexpr double RepairShare = 0.25;
// The repairs never take the last 500 credits: fuel for a few hops and a
// small load, so a wreck never ends a career.
constexpr int32_t RepairSpareCash = 500;

// The score counts what a career achieved: 10 an enemy destroyed, 25 a
// contract delivered, 100 a galaxy reached for the first time.
constexpr int32_t ScorePerKill = 10;
constexpr int32_t ScorePerDelivery = 25;
constexpr int32_t ScorePerGalaxy = 100;

// The shipyard takes the part it replaces for 60 % of its price: changing
// parts back and forth always costs, but an upgrade is not a fresh purchase.
constexpr double TradeInShare = 0.6;
// Part n of its catalogue is sold at stars of tech level 2n - 1 and above:
// the first of each everywhere, the best hull (5) only at tech 9 and 10.
constexpr int PartTechStep = 2;

// Galaxies. The galactic jump leaves from a galaxy's gateway (its star of
// the highest tech level) for the next galaxy's gateway, for a fee of about
// an evening's trading, and takes a month.
constexpr int32_t GalacticJumpFee = 20000;
constexpr double GalacticJumpDays = 30.0;

// Contracts. Up to three offers at each arrival, up to four accepted.
constexpr uint32_t MostOffers = 3;
constexpr std::size_t MostContracts = 4;
// 5 to 30 units: a contract shares the hold with trade.
constexpr uint32_t ContractLeastUnits = 5;
constexpr uint32_t ContractMoreUnits = 26;
// The reward: 15 % of the goods' base value plus 8 credits a map unit, so a
// long carry of cheap goods pays too. The deposit: 30 % of the base value,
// enough to hurt when the date is missed.
constexpr double RewardShare = 0.15;
constexpr double RewardPerMapUnit = 8.0;
constexpr double DepositShare = 0.3;
// The date: three times the direct flight's days plus ten, room for a detour
// to trade on the way.
constexpr double DeadlineSlack = 3.0;
constexpr double DeadlineSpareDays = 10.0;

}  // namespace kv::career
