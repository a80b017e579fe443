// Trading as a rule of the world alone: no window is built.
#include "universe/Market.h"

#include <gtest/gtest.h>

namespace {

class Trade : public ::testing::Test {
protected:
    void SetUp() override
    {
        kv::LoadCatalogues(world);
        world.random.Seed(5);
        kv::StartWorld(world);
    }

    kv::PriceListItem& Store(uint8_t k) { return kv::CurrentMarket(world)[k]; }

    kv::World world;
};

TEST_F(Trade, OneUnitBoughtAndSoldBackCostsTheSpread)
{
    constexpr uint8_t k = 5;
    Store(k).Quantity = 1;
    world.Pilot.Cash = Store(k).SellPrice;
    ASSERT_TRUE(kv::CanBuy(world, k));
    ASSERT_FALSE(kv::CanSell(world, k));
    kv::BuyOne(world, k);
    EXPECT_EQ(world.Pilot.Cash, 0);
    EXPECT_EQ(Store(k).Quantity, 0);
    EXPECT_EQ(world.Pilot.Cargo[k].Quantity, 1);
    EXPECT_FALSE(kv::CanBuy(world, k));
    ASSERT_TRUE(kv::CanSell(world, k));
    kv::SellOne(world, k);
    EXPECT_EQ(world.Pilot.Cash, Store(k).BuyPrice);
    EXPECT_EQ(world.Pilot.Cargo[k].Quantity, 0);
    EXPECT_EQ(world.Pilot.TradePoints, Store(k).SellPrice / 10.0L + Store(k).SellPrice);
}

TEST_F(Trade, TheRanksFollowTheTrades)
{
    constexpr uint8_t k = 1;
    Store(k).Quantity = 1;
    Store(k).SellPrice = 1000;
    world.Pilot.Cargo[k].Quantity = 1;
    kv::SellOne(world, k);
    EXPECT_EQ(world.Pilot.TradeRank, 1);
}

}  // namespace
