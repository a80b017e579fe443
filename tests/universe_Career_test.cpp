// The career rules on a world alone: time, the remembering market, battles'
// pay, the shipyard, the galactic jump, contracts and news.
#include "universe/Career.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "universe/CareerMarket.h"
#include "universe/CareerNumbers.h"
#include "universe/Contracts.h"
#include "universe/Jump.h"
#include "universe/Market.h"
#include "universe/Shipyard.h"

namespace {

class Career : public ::testing::Test {
protected:
    void SetUp() override
    {
        kv::LoadCatalogues(world);
        world.random.Seed(7);
        kv::StartWorld(world);
        kv::FitShip(world.Ship, world.Equipment, parts);
        kv::StartCareer(world);
        kv::TakeNotices(world);
    }

    kv::PriceListItem& Store(uint8_t k) { return kv::CurrentMarket(world)[k]; }
    const kv::CareerRow& Memory(uint8_t k)
    {
        return (*world.Career.Markets)[world.Pilot.Galaxy][world.Pilot.Star].Rows[k];
    }
    kv::kvStar& Here() { return (*world.galaxies)[world.Pilot.Galaxy].Stars[world.Pilot.Star]; }
    bool Told(const std::string& start)
    {
        for (const kv::Notice& n : kv::TakeNotices(world))
            if (n.Text.rfind(start, 0) == 0) return true;
        return false;
    }

    kv::World world;
    kv::PartChoices parts;
};

TEST_F(Career, ANewWorldIsClassicAndItsJumpsTakeNoTime)
{
    kv::StartWorld(world);
    EXPECT_EQ(world.Rules, kv::RuleSet::Classic);
    EXPECT_EQ(world.Career.Markets, nullptr);
    const double date = world.Pilot.GameDate;
    world.Ship.Fuel = 1000;
    ASSERT_NE(kv::Hyperjump(world, 2), kv::JumpOutcome::Refused);
    EXPECT_EQ(world.Pilot.GameDate, date);
}

TEST_F(Career, AJumpTakesDaysInProportionToItsDistance)
{
    const double distance = kv::StarDistance(kv::CurrentGalaxy(world), 1, 2);
    const double date = world.Pilot.GameDate;
    world.Ship.Fuel = 1000;
    ASSERT_NE(kv::Hyperjump(world, 2), kv::JumpOutcome::Refused);
    EXPECT_DOUBLE_EQ(world.Pilot.GameDate, date + distance * kv::career::DaysPerMapUnit);
}

TEST_F(Career, BuyingRaisesThePricesSellingLowersThemAndTimeBringsThemBack)
{
    constexpr uint8_t k = 6;
    world.Pilot.Cash = 1000000;
    const kv::PriceListItem generated = Store(k);
    for (int i = 0; i < 40; ++i) kv::BuyOne(world, k);
    EXPECT_GT(Store(k).SellPrice, generated.SellPrice);
    EXPECT_GT(Store(k).BuyPrice, generated.BuyPrice);
    EXPECT_EQ(Store(k).Quantity, generated.Quantity - 40);
    const kv::PriceListItem raised = Store(k);
    kv::CareerArrival(world, kv::career::RelaxHalfLifeDays);
    EXPECT_LT(Store(k).SellPrice, raised.SellPrice);
    EXPECT_NEAR(Store(k).Quantity, generated.Quantity - 20, 1);
    kv::CareerArrival(world, 50 * kv::career::RelaxHalfLifeDays);
    EXPECT_EQ(Store(k), generated);
    for (int i = 0; i < 40; ++i) kv::SellOne(world, k);
    EXPECT_LT(Store(k).BuyPrice, generated.BuyPrice);
}

TEST_F(Career, TheStoreTakesNoMoreThanItsCapAndTheHoldNoMoreThanTheHull)
{
    constexpr uint8_t k = 7;
    world.Pilot.Cash = 1000000;
    Store(k).Quantity = kv::StoreCap(Memory(k));
    world.Pilot.Cargo[k].Quantity = 1;
    EXPECT_FALSE(kv::CanSell(world, k));
    Store(k).Quantity = 5000;
    world.Pilot.Cargo[k].Quantity = static_cast<uint16_t>(world.Ship.Hull.Volume - kv::HoldUsed(world) + 1);
    EXPECT_EQ(kv::HoldRoom(world), 0u);
    EXPECT_FALSE(kv::CanBuy(world, 5));
    --world.Pilot.Cargo[k].Quantity;
    EXPECT_TRUE(kv::CanBuy(world, 5));
}

TEST_F(Career, ASaleEarnsItsProfitInTradePointsAndBuyingEarnsNone)
{
    constexpr uint8_t k = 4;
    world.Pilot.Cash = 100000;
    kv::BuyOne(world, k);
    EXPECT_EQ(world.Pilot.TradePoints, 0);
    const int32_t paid = static_cast<int32_t>(world.Career.CostPaid[k]);
    world.Career.BoughtAt[k] = 0;  // as if bought at another star
    kv::CareerArrival(world, 0);
    (*world.Career.Markets)[1][world.Pilot.Star].Rows[k].NewsFactor = 1.5;
    (*world.Career.Markets)[1][world.Pilot.Star].Rows[k].NewsUntil = world.Pilot.GameDate + 1;
    kv::CareerArrival(world, 0);
    const int32_t pay = Store(k).BuyPrice;
    kv::SellOne(world, k);
    EXPECT_EQ(world.Pilot.TradePoints, pay - paid);
    EXPECT_EQ(world.Career.CostPaid[k], 0);
}

TEST_F(Career, AKillPaysItsBountyAndPointsAndALostShipCostsTheCargoAndRepairs)
{
    const kv::ShipCatalogue& c = world.Equipment;
    const int32_t cash = world.Pilot.Cash;
    EXPECT_EQ(kv::PayForKill(world, c.HullCatalogue[2], c.WeaponCatalogue[2]), 615);  // 15 % of 3500 + 600
    EXPECT_EQ(world.Pilot.Cash, cash + 615);
    EXPECT_EQ(world.Pilot.CombatPoints, 615);
    EXPECT_EQ(world.Pilot.CombatRank, 1);
    EXPECT_EQ(world.Pilot.Score, kv::career::ScorePerKill);
    world.Pilot.Cargo[1].Quantity = 5;
    world.Pilot.Cash = 300;
    kv::LoseShip(world);
    EXPECT_EQ(world.Pilot.Cargo[1].Quantity, 0);
    EXPECT_EQ(world.Pilot.Cargo[kv::FuelGoods].Quantity, kv::StartFuelUnits);
    EXPECT_EQ(world.Pilot.Cash, 300);  // the repairs leave the last 500 credits
    world.Pilot.Cash = 800;
    kv::LoseShip(world);
    EXPECT_EQ(world.Pilot.Cash, kv::career::RepairSpareCash);
    world.Pilot.Cash = 2000;
    kv::LoseShip(world);
    EXPECT_EQ(world.Pilot.Cash, 1500);  // the Sparrow's repairs cost a quarter of 2000
    EXPECT_TRUE(Told("Your ship was wrecked"));
}

// A pilot with an empty tank, an empty hold and no money is given the fuel
// for the nearest star, and only then: goods to sell or money for the fuel
// leave the pilot to help itself.
TEST_F(Career, AStrandedPilotIsGivenFuelForTheNearestStar)
{
    const auto strand = [&](int32_t cash, uint16_t goods) {
        world.Pilot.Cash = cash;
        world.Pilot.Cargo[1].Quantity = goods;
        world.Pilot.Cargo[kv::FuelGoods].Quantity = 0;
        world.Ship.Fuel = 0.0;
        kv::CareerArrival(world, 0.0);
    };
    const kv::kvGalaxy& galaxy = kv::CurrentGalaxy(world);
    double nearest = 1e9;
    for (uint8_t j = 1; j <= galaxy.StarCount; ++j)
        if (j != world.Pilot.Star) nearest = std::min(nearest, kv::StarDistance(galaxy, world.Pilot.Star, j));

    strand(0, 0);
    EXPECT_TRUE(Told("Space Navigation Center: emergency fuel for the jump to "));
    EXPECT_GE(kv::JumpRange(world.Ship), nearest);
    EXPECT_LT(kv::JumpRange(world.Ship), nearest + kv::FuelPerUnit / world.Ship.Engine.Consumption)
        << "just the fuel for that star";
    EXPECT_EQ(world.Pilot.Cargo[kv::FuelGoods].Quantity * kv::FuelPerUnit, world.Ship.Fuel);
    EXPECT_EQ(world.Pilot.Cash, 0);

    strand(0, 3);
    EXPECT_EQ(world.Ship.Fuel, 0.0) << "the goods can be sold for fuel";
    strand(100000, 0);
    EXPECT_EQ(world.Ship.Fuel, 0.0) << "the fuel can be bought";
    Store(kv::FuelGoods).Quantity = 0;
    strand(100000, 0);
    EXPECT_GE(kv::JumpRange(world.Ship), nearest) << "a market without fuel strands the richest pilot";
}

TEST_F(Career, TheShipyardSellsByTechLevelForThePriceLessTheTradeIn)
{
    Here().TechLevel = 4;
    world.Pilot.Cash = 100000;
    EXPECT_EQ(kv::BuyPart(world, parts, kv::PartKind::Hull, 3), kv::PartResult::NotSoldHere);
    EXPECT_TRUE(Told("Hauler is sold at tech level 5"));
    Here().TechLevel = 5;
    world.Pilot.Cash = 4799;  // 6000 less 60 % of the Sparrow's 2000 is 4800
    EXPECT_EQ(kv::BuyPart(world, parts, kv::PartKind::Hull, 3), kv::PartResult::CashShort);
    EXPECT_EQ(parts.Hull, 1);
    world.Pilot.Cash = 4800;
    EXPECT_EQ(kv::BuyPart(world, parts, kv::PartKind::Hull, 3), kv::PartResult::Bought);
    EXPECT_EQ(world.Pilot.Cash, 0);
    EXPECT_EQ(world.Ship.Hull.Name, "Hauler");
    world.Pilot.Cargo[5].Quantity = 200;  // more than the Viper's 150 with the fuel
    world.Pilot.Cash = 100000;
    EXPECT_EQ(kv::BuyPart(world, parts, kv::PartKind::Hull, 2), kv::PartResult::HoldTooSmall);
    EXPECT_EQ(kv::BuyPart(world, parts, kv::PartKind::Weapon, 2), kv::PartResult::Bought);
    EXPECT_EQ(world.Pilot.Cash, 100000 - (600 - 480));
    EXPECT_EQ(kv::BuyPart(world, parts, kv::PartKind::Engine, 9), kv::PartResult::NoSuchPart);
}

TEST_F(Career, TheGalacticJumpLeavesFromTheGatewayForTheFee)
{
    world.Pilot.Cash = kv::career::GalacticJumpFee;
    const uint8_t gateway = kv::GatewayStar(world, 1);
    world.Pilot.Star = gateway == 1 ? 2 : 1;
    EXPECT_FALSE(kv::GalacticJump(world));
    EXPECT_TRUE(Told("The galactic jump leaves from"));
    world.Pilot.Star = gateway;
    const double date = world.Pilot.GameDate;
    ASSERT_TRUE(kv::GalacticJump(world));
    EXPECT_EQ(world.Pilot.Galaxy, 2);
    EXPECT_EQ(world.Pilot.Star, kv::GatewayStar(world, 2));
    EXPECT_EQ(world.Pilot.Cash, 0);
    EXPECT_EQ(world.Pilot.Score, kv::career::ScorePerGalaxy);
    EXPECT_DOUBLE_EQ(world.Pilot.GameDate, date + kv::career::GalacticJumpDays);
    EXPECT_FALSE(kv::GalacticJump(world));
    EXPECT_TRUE(Told("The galactic jump costs"));
}

TEST_F(Career, AContractPaysOnTimeAndForfeitsItsDepositWhenLate)
{
    world.Career.Offers = {kv::Contract{5, 10, 1, 2, world.Pilot.GameDate + 30, 900, 120},
                           kv::Contract{6, 10, 1, 3, world.Pilot.GameDate + 1, 500, 200}};
    world.Pilot.Cash = 1000;
    ASSERT_EQ(kv::AcceptOffer(world, 1), kv::AcceptResult::Accepted);
    ASSERT_EQ(kv::AcceptOffer(world, 1), kv::AcceptResult::Accepted);
    EXPECT_EQ(kv::AcceptOffer(world, 1), kv::AcceptResult::NoSuchOffer);
    EXPECT_EQ(world.Pilot.Cash, 680);
    EXPECT_EQ(kv::HoldUsed(world), kv::StartFuelUnits + 20u);
    kv::TakeNotices(world);
    world.Pilot.Star = 2;
    kv::CareerArrival(world, 5);
    const int32_t afterDelivery = world.Pilot.Cash;
    EXPECT_EQ(afterDelivery, 680 + 900 + 120);
    EXPECT_EQ(world.Career.Deliveries, 1u);
    EXPECT_EQ(world.Pilot.Score, kv::career::ScorePerDelivery);
    EXPECT_TRUE(world.Career.Accepted.empty());  // the late one is forfeit too
    world.Career.Offers = {kv::Contract{5, 10, 1, 3, 0, 900, 5000}};
    EXPECT_EQ(kv::AcceptOffer(world, 1), kv::AcceptResult::CashShort);
}

TEST_F(Career, NewsOfAShortageOrGlutMovesARowNearbyForDays)
{
    for (int i = 0; i < 200 && !Told("News: "); ++i) kv::CareerArrival(world, 0);
    int moved = 0;
    for (std::size_t j = 1; j <= kv::CurrentGalaxy(world).StarCount; ++j)
        for (const kv::CareerRow& row : (*world.Career.Markets)[1][j].Rows)
            if (row.NewsFactor != 1.0) {
                ++moved;
                EXPECT_LE(kv::StarDistance(kv::CurrentGalaxy(world), world.Pilot.Star, static_cast<uint8_t>(j)),
                          kv::career::NewsReach);
                EXPECT_GE(row.NewsUntil, world.Pilot.GameDate + kv::career::NewsLeastDays);
            }
    EXPECT_GE(moved, 1);
}

}  // namespace
