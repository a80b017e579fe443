// The pilot's ranks, the reset that starts every world, and a new game.
#include "universe/Player.h"

#include <gtest/gtest.h>

#include "game/Game.h"
#include "hud/Hud.h"
#include "hud/NewGameWindow.h"
#include "navigation/StarInfo.h"
#include "universe/Jump.h"
#include "universe/World.h"

namespace {

TEST(Ranks, EachLadderStepIsReachedAtItsThreshold)
{
    kv::kvPlayer pilot;
    const std::pair<long double, uint8_t> steps[] = {{0, 0},        {99.9L, 0},      {100, 1},     {19999.99L, 1},
                                                     {20000, 2},    {400000, 3},     {8000000, 4}, {16000000, 5},
                                                     {319999999, 5}, {320000000, 6}, {1e12L, 6}};
    for (const auto& [points, rank] : steps) {
        pilot.TradePoints = points;
        pilot.CombatPoints = points;
        kv::UpdateRanks(pilot);
        EXPECT_EQ(pilot.TradeRank, rank) << static_cast<double>(points);
        EXPECT_EQ(pilot.CombatRank, rank);
    }
    EXPECT_EQ(kv::TradeRankNames[1], "Seller");
    EXPECT_EQ(kv::CombatRankNames[0], "Recruit");
}

class NewWorld : public ::testing::Test {
protected:
    void SetUp() override { kv::BuildHud(game); }
    kv::Game game;
};

TEST_F(NewWorld, TheFirstPilotStartsAtTheSunWithFuelAndCredits)
{
    const kv::kvPlayer& p = game.world.Pilot;
    EXPECT_EQ(p.Name, "Noname");
    EXPECT_GE(p.Avatar, 1);
    EXPECT_LE(p.Avatar, 7);
    EXPECT_EQ(p.Class, 1);
    EXPECT_EQ(p.Cash, 1000);
    EXPECT_EQ(p.Galaxy, 1);
    EXPECT_EQ(p.Star, 1);
    EXPECT_EQ((*game.world.galaxies)[1].Stars[1].Name, "Sun");
    EXPECT_EQ(p.GameDate, 38464.0);
    EXPECT_EQ(p.Cargo[kv::FuelGoods].Quantity, 16);
    EXPECT_EQ(p.Cargo[kv::FuelGoods].Goods.Name, "Fuel");
    EXPECT_EQ(game.world.Ship.Fuel, 160.0);
    EXPECT_EQ(kv::DistanceText(kv::JumpRange(game.world.Ship)), "160.000 пк");  // the player window's jump limit
    EXPECT_EQ(game.world.Ship.Engine.Name, game.world.Equipment.EngineCatalogue[1].Name);
    EXPECT_EQ(game.world.Ship.Weapons[1].Name, game.world.Equipment.WeaponCatalogue[1].Name);
    EXPECT_EQ(game.world.Ship.WeaponSlot, 1);
    EXPECT_EQ(game.ui.SelectedStar, 1);
    EXPECT_EQ(game.ui.hud.SellButton.Enabled, 0);  // nothing of row 1 in the hold
    ASSERT_GE(game.ui.Console.Count, 1);
    EXPECT_EQ(game.ui.Console.Entries[game.ui.Console.Count].Text.find("World initialised") != std::string::npos, true);
}

TEST_F(NewWorld, InitPlayerEmptiesTheHoldAndResetsTheMapViewButNotItsLevel)
{
    game.world.Pilot.Cargo[5].Quantity = 40;
    game.world.Pilot.Cargo[kv::FuelGoods].Quantity = 3;
    game.world.Pilot.Cash = 5;
    game.world.Pilot.TradePoints = 500;
    game.world.Pilot.Star = 9;
    game.world.Pilot.Name = "Kept";
    game.ui.map = {0, 3.5, 1.0, 2.0, true, false, {}};
    kv::InitPlayer(game.world);
    EXPECT_EQ(game.world.Pilot.Star, 1);
    game.ui.SelectedStar = 4;
    kv::BeginWorld(game);
    for (std::size_t k = 1; k <= kv::GoodsCount; ++k)
        EXPECT_EQ(game.world.Pilot.Cargo[k].Quantity, k == kv::FuelGoods ? 16 : 0);
    EXPECT_EQ(game.world.Pilot.Cash, 1000);
    EXPECT_EQ(game.world.Pilot.TradeRank, 0);
    EXPECT_EQ(game.world.Pilot.Star, 1);
    EXPECT_EQ(game.ui.SelectedStar, 1);
    EXPECT_EQ(game.world.Pilot.Name, "Kept");
    EXPECT_EQ(game.ui.map.MapZoom, 1.0);
    EXPECT_EQ(game.ui.map.MapTilt, 0.0);
    EXPECT_EQ(game.ui.map.MapSpin, 0.0);
    EXPECT_TRUE(game.ui.map.ShowAxes);
    EXPECT_EQ(game.ui.map.MapLevel, 0);
}

TEST_F(NewWorld, StartNewGameTakesTheChoicesAndGreetsThePilot)
{
    const std::string secondStar = (*game.world.galaxies)[1].Stars[2].Name;
    const double secondX = (*game.world.galaxies)[1].Stars[2].X;
    game.ui.hud.NameEdit.Text = "bob";
    game.ui.newGameChoices = {7, 3, 4};
    game.ui.hud.NewGame.Visible = 1;
    game.ui.hud.StarMap.Visible = 0;
    const std::size_t before = game.ui.Console.Count;
    kv::StartNewGame(game);

    EXPECT_EQ(game.world.Pilot.Name, "bob");
    EXPECT_EQ(game.world.Pilot.Avatar, 7);
    EXPECT_EQ(game.world.Pilot.Class, 4);
    EXPECT_EQ(game.world.Difficulty, 3);
    EXPECT_EQ(game.ui.hud.NewGame.Visible, 0);
    EXPECT_EQ(game.ui.hud.StarMap.Visible, 1);
    EXPECT_EQ(game.ui.hud.PlayerWindow.SlideIn, 1);
    ASSERT_EQ(game.ui.Console.Count, before + 2);
    EXPECT_EQ(game.ui.Console.Entries[before + 1].Text.substr(9), "World initialised");
    EXPECT_EQ(game.ui.Console.Entries[before + 2].Text.substr(9),
              "Space Navigation Center on Planet Earth: Welcome, bob");
    EXPECT_EQ(game.ui.Console.Entries[before + 2].Kind, kv::MessageKind::Mail);
    EXPECT_TRUE((*game.world.galaxies)[1].Stars[2].Name != secondStar || (*game.world.galaxies)[1].Stars[2].X != secondX);
}

}  // namespace
