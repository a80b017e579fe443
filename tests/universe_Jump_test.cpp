// The hyperjump as a rule of the world alone: no window is built.
#include "universe/Jump.h"

#include <gtest/gtest.h>

namespace {

class Jump : public ::testing::Test {
protected:
    void SetUp() override
    {
        kv::LoadCatalogues(world);
        world.random.Seed(12);
        kv::StartWorld(world);
        Galaxy().StarCount = 3;
        Place(1, 0, 0, 0);
        Place(2, 0, 100, 0);
        Place(3, 0, 0, 400);
        world.Ship.Fuel = 160.0;
        world.Ship.Engine.Consumption = 1.0;
    }

    kv::kvGalaxy& Galaxy() { return (*world.galaxies)[world.Pilot.Galaxy]; }
    void Place(uint8_t star, double x, double y, double z)
    {
        kv::kvStar& s = Galaxy().Stars[star];
        s.Number = star;
        s.X = x;
        s.Y = y;
        s.Z = z;
    }

    kv::World world;
};

TEST_F(Jump, AJumpWithinRangeSpendsTheDistanceAndMovesThePilot)
{
    ASSERT_TRUE(kv::CanJump(world, 2));
    const kv::JumpOutcome outcome = kv::Hyperjump(world, 2);
    EXPECT_NE(outcome, kv::JumpOutcome::Refused);
    EXPECT_EQ(world.Pilot.Star, 2);
    EXPECT_EQ(world.Ship.Fuel, 60.0);
    EXPECT_EQ(world.Pilot.Cargo[kv::FuelGoods].Quantity, 6);
}

TEST_F(Jump, RefusedJumpsChangeNothingAndDrawNothing)
{
    const uint32_t seed = world.random.CurrentSeed();
    for (uint8_t star : {uint8_t{0}, uint8_t{1}, uint8_t{3}, uint8_t{4}, uint8_t{255}}) {
        EXPECT_FALSE(kv::CanJump(world, star)) << int{star};
        EXPECT_EQ(kv::Hyperjump(world, star), kv::JumpOutcome::Refused) << int{star};
    }
    EXPECT_EQ(world.Pilot.Star, 1);
    EXPECT_EQ(world.Ship.Fuel, 160.0);
    EXPECT_EQ(world.random.CurrentSeed(), seed);
}

TEST_F(Jump, TheAmbushIsTheNextDrawAtMostThreeTenths)
{
    for (const bool ambush : {false, true}) {
        uint32_t seed = 0;
        while ((kv::Random(seed).NextReal() <= 0.3) != ambush) ++seed;
        world.Pilot.Star = 1;
        world.Ship.Fuel = 160.0;
        world.random.Seed(seed);
        EXPECT_EQ(kv::Hyperjump(world, 2), ambush ? kv::JumpOutcome::Ambushed : kv::JumpOutcome::Arrived);
    }
}

}  // namespace
