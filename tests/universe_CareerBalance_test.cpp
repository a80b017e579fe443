// The career economy's promises, held by seeded careers of the career bot.
#include "CareerBot.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "universe/Career.h"
#include "universe/CareerMarket.h"
#include "universe/Market.h"

namespace {

using kv::bot::CareerBot;
using kv::bot::Style;

constexpr uint32_t CareerJumps = 2000;
// The greedy trader reaches "Merchant", the middle of the trade ladder,
// between these jumps in every seed.
constexpr uint32_t MerchantFrom = 60;
constexpr uint32_t MerchantBy = 300;

uint32_t FirstJumpAtTradeRank(const CareerBot& bot, uint8_t rank)
{
    for (const kv::bot::Sample& s : bot.curve)
        if (s.TradeRank >= rank) return s.Jump;
    return 0;
}

TEST(CareerBalance, TheGreedyTraderGrowsAndReachesMerchantInTheStatedBand)
{
    for (uint32_t seed = 1; seed <= 10; ++seed) {
        CareerBot bot(Style::Trader, seed);
        bot.Play(CareerJumps);
        ASSERT_EQ(bot.jumps, CareerJumps) << "seed " << seed;
        EXPECT_GT(bot.curve[999].Wealth, bot.curve[99].Wealth) << "seed " << seed;
        EXPECT_GT(bot.curve.back().Wealth, bot.curve[999].Wealth) << "seed " << seed;
        const uint32_t merchant = FirstJumpAtTradeRank(bot, 3);
        EXPECT_GE(merchant, MerchantFrom) << "seed " << seed;
        EXPECT_LE(merchant, MerchantBy) << "seed " << seed;
        EXPECT_GT(merchant, 0u) << "seed " << seed;
    }
}

// The band is checked at every star of every galaxy after every jump: the
// rows of stars left behind keep the prices they had, which were in band.
TEST(CareerBalance, NoPriceEverLeavesItsBand)
{
    for (uint32_t seed = 1; seed <= 3; ++seed) {
        CareerBot bot(Style::Trader, seed);
        for (uint32_t i = 0; i < 500 && bot.Step(); ++i) {
            for (std::size_t g = 1; g <= kv::GalaxyCount; ++g) {
                const kv::kvGalaxy& galaxy = (*bot.world.galaxies)[g];
                for (std::size_t j = 1; j <= galaxy.StarCount; ++j)
                    for (std::size_t k = 1; k <= kv::GoodsCount; ++k) {
                        const kv::PriceListItem& row = galaxy.Stars[j].PriceList[k];
                        const kv::CareerRow& memory = (*bot.world.Career.Markets)[g][j].Rows[k];
                        ASSERT_TRUE(kv::AskInBand(row.SellPrice, memory)) << seed << " " << g << " " << j << " " << k;
                        ASSERT_TRUE(kv::PayInBand(row.BuyPrice, memory)) << seed << " " << g << " " << j << " " << k;
                        ASSERT_LT(row.BuyPrice, row.SellPrice);
                    }
            }
        }
    }
}

// Round trips of one route: the tenth earns clearly less than the first ones,
// and a long absence restores the margin. A trip is measured from the first
// star's market to its market again, so its sales at either end fall in it;
// the first trip's sale at home is of nothing, so the best of the first two
// stands for the fresh route.
TEST(CareerBalance, RepeatingARouteWearsItDownAndLeavingItRestoresIt)
{
    for (uint32_t seed = 1; seed <= 10; ++seed) {
        // The capital and hold of a trader some way into a career, so that the
        // market's memory rather than the cash limits each trip.
        CareerBot bot(Style::Repeater, seed);
        bot.world.Pilot.Cash = 200000;
        bot.parts.Hull = 3;
        kv::FitShip(bot.world.Ship, bot.world.Equipment, bot.parts);
        ASSERT_TRUE(bot.FindRoute()) << "seed " << seed;
        std::vector<int64_t> trips;
        for (int trip = 0; trip < 10; ++trip) {
            const int64_t before = kv::bot::Wealth(bot.world);
            ASSERT_TRUE(bot.Step() && bot.Step()) << "seed " << seed;
            trips.push_back(kv::bot::Wealth(bot.world) - before);
        }
        const int64_t fresh = std::max(trips[0], trips[1]);
        EXPECT_GT(fresh, 0) << "seed " << seed;
        EXPECT_LT(trips.back(), fresh * 6 / 10) << "seed " << seed;
        kv::CareerArrival(bot.world, 120.0);
        const int64_t before = kv::bot::Wealth(bot.world);
        ASSERT_TRUE(bot.Step() && bot.Step());
        EXPECT_GT(kv::bot::Wealth(bot.world) - before, trips.back() * 3 / 2) << "seed " << seed;
    }
}

// Buying any number of units and selling them back at the same star loses
// money and earns no trade points, while a trip between stars earns both.
TEST(CareerBalance, TradingAtOneStarNeverBeatsTradingBetweenStars)
{
    for (uint32_t seed = 1; seed <= 10; ++seed) {
        CareerBot bot(Style::Trader, seed);
        kv::World& w = bot.world;
        w.Pilot.Cash = 1000000;
        for (uint8_t k = 1; k <= kv::GoodsCount; ++k) {
            const int32_t cash = w.Pilot.Cash;
            const long double points = w.Pilot.TradePoints;
            int bought = 0;
            for (; bought < 200 && kv::CanBuy(w, k); ++bought) kv::BuyOne(w, k);
            for (int i = 0; i < bought && kv::CanSell(w, k); ++i) kv::SellOne(w, k);
            EXPECT_LE(w.Pilot.Cash, cash) << "seed " << seed << " goods " << int(k);
            EXPECT_EQ(w.Pilot.TradePoints, points) << "seed " << seed << " goods " << int(k);
        }
        CareerBot trader(Style::Trader, seed);
        trader.Play(20);
        EXPECT_GT(trader.world.Pilot.TradePoints, 0) << "seed " << seed;
        EXPECT_GT(kv::bot::Wealth(trader.world), kv::StartCash) << "seed " << seed;
    }
}

// The fighter's rank climbs in every career, and every career flies all its
// jumps to Sergeant: a run of lost battles that leaves a poor pilot without
// fuel or money (seed 8's, after 59 jumps) ends in emergency fuel, never at
// a star for good.
TEST(CareerBalance, AFightersCombatRankClimbs)
{
    int flown = 0;
    for (uint32_t seed = 1; seed <= 10; ++seed) {
        CareerBot bot(Style::Fighter, seed);
        ASSERT_EQ(bot.world.Pilot.CombatRank, 0);
        bot.Play(CareerJumps);
        EXPECT_GE(bot.curve.back().CombatRank, 1) << "seed " << seed;
        EXPECT_EQ(bot.jumps, CareerJumps) << "seed " << seed;
        if (bot.jumps < CareerJumps) continue;
        ++flown;
        EXPECT_GE(bot.curve.back().CombatRank, 2) << "seed " << seed;
        EXPECT_GT(bot.world.Career.Kills, 300u) << "seed " << seed;
    }
    EXPECT_EQ(flown, 10);
}

}  // namespace
