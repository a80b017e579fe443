// A career game through the screens: the console's commands, the new-game
// window's rules choice, the ship window's shipyard and a battle's pay, on a
// freshly built HUD.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "console/Commands.h"
#include "game/Game.h"
#include "hud/ConsoleCommands.h"
#include "hud/ContractsWindow.h"
#include "hud/Hud.h"
#include "hud/NewGameWindow.h"
#include "hud/PilotWindows.h"
#include "shell/CombatScene.h"
#include "universe/Career.h"
#include "universe/Jump.h"

namespace {

class CareerGame : public ::testing::Test {
protected:
    void SetUp() override { kv::BuildHud(game); }
    void Type(const std::string& text)
    {
        kv::ParseCommandLine(game.ui.Command, text);
        kv::RunCommand(game);
        kv::ComposeMarkedPanels(game);
    }
    std::string LastMessage() const { return game.ui.Console.Entries[game.ui.Console.Count].Text.substr(9); }
    bool SaidSince(std::size_t count, const std::string& start) const
    {
        for (std::size_t i = count + 1; i <= game.ui.Console.Count; ++i)
            if (game.ui.Console.Entries[i].Text.substr(9).rfind(start, 0) == 0) return true;
        return false;
    }

    kv::Game game;
};

TEST_F(CareerGame, NewgameTakesTheRulesAndTheCareerCommandsNeedACareer)
{
    EXPECT_FALSE(kv::IsCareer(game.world));  // the first world of a run
    Type("contracts");
    EXPECT_EQ(LastMessage(), "Only a career game has contracts and the galactic jump");
    Type("newgame ann 3 2 4 arcade");
    EXPECT_EQ(LastMessage(), "Parameter does not belong to acceptable range");
    Type("newgame ann 3 2 4 career");
    ASSERT_TRUE(kv::IsCareer(game.world));
    EXPECT_EQ(game.ui.newGameChoices.RulesChoice, kv::RuleSet::Career);
    Type("accept 9");
    EXPECT_EQ(LastMessage(), "Parameter does not belong to acceptable range");
    game.world.Career.Offers = {kv::Contract{5, 10, 1, 2, game.world.Pilot.GameDate + 30, 900, 120}};
    Type("accept 1");
    EXPECT_EQ(game.world.Pilot.Cash, 880);
    Type("contracts");
    EXPECT_EQ(LastMessage().rfind("Accepted: 10 Food to ", 0), 0u) << LastMessage();
    Type("galaxy");
    EXPECT_EQ(game.world.Pilot.Galaxy, 1);
    Type("newgame ann 3 2 4");
    EXPECT_FALSE(kv::IsCareer(game.world));
}

// Offers sit at window y 60, 94 and 128, each two lines high; the accepted
// contracts below them take no clicks.
TEST_F(CareerGame, TheContractsWindowListsOffersAndAcceptsTheOneClicked)
{
    kv::ToggleContractsWindow(game);
    EXPECT_FALSE(kv::ContractsWindowShown(game));
    EXPECT_EQ(LastMessage(), "Only a career game has contracts");

    Type("newgame ann 3 2 4 career");
    const double date = game.world.Pilot.GameDate;
    game.world.Career.Offers = {kv::Contract{5, 10, 1, 2, date + 30, 900, 120},
                                kv::Contract{6, 4, 1, 3, date + 40, 500, 70}};
    game.ui.hud.StarMap.Visible = 1;
    kv::ToggleContractsWindow(game);
    kv::ComposeMarkedPanels(game);
    ASSERT_TRUE(kv::ContractsWindowShown(game));
    EXPECT_FALSE(game.ui.hud.StarMap.Visible) << "one panel in the middle at a time";
    EXPECT_EQ(game.ui.hud.FocusedItem, &game.ui.hud.ContractsWindow);
    const kv::Bitmap& face = game.ui.hud.ContractsWindow.Face;
    const std::vector<uint8_t> offered(face.Data(), face.Data() + face.Stride() * face.Height());

    game.ui.hud.ContractsWindow.OnClick(100, 200, 0);  // among the accepted
    game.ui.hud.ContractsWindow.OnClick(100, 110, 1);  // a right click
    EXPECT_TRUE(game.world.Career.Accepted.empty());
    game.ui.hud.ContractsWindow.OnClick(100, 110, 0);  // the second offer's second line
    ASSERT_EQ(game.world.Career.Accepted.size(), 1u);
    EXPECT_EQ(game.world.Career.Accepted[0].Reward, 500);
    EXPECT_EQ(game.world.Pilot.Cash, 1000 - 70);
    kv::ComposeMarkedPanels(game);
    EXPECT_FALSE(std::equal(offered.begin(), offered.end(), face.Data())) << "the window shows the contract accepted";

    kv::ToggleStarMap(game);
    EXPECT_FALSE(kv::ContractsWindowShown(game)) << "the star map coming in sends the contracts out";
    EXPECT_EQ(game.ui.hud.FocusedItem, nullptr);
    kv::ToggleContractsWindow(game);
    kv::ToggleContractsWindow(game);
    EXPECT_FALSE(kv::ContractsWindowShown(game));
    EXPECT_FALSE(game.ui.hud.StarMap.Visible);
}

TEST_F(CareerGame, TheRulesChoiceIsKeptForTheNextNewGame)
{
    kv::OpenNewGameWindow(game);
    kv::ToggleRules(game);
    kv::StartNewGame(game);
    EXPECT_TRUE(kv::IsCareer(game.world));
    kv::OpenNewGameWindow(game);
    EXPECT_EQ(game.ui.newGameChoices.RulesChoice, kv::RuleSet::Career);
    kv::ToggleRules(game);
    kv::StartNewGame(game);
    EXPECT_FALSE(kv::IsCareer(game.world));
}

TEST_F(CareerGame, TheShipWindowsArrowsBuyPartsOnlyInACareer)
{
    game.ui.shipChoices.SelectedRow = 4;
    kv::NextShipPart(game);
    EXPECT_EQ(game.ui.shipChoices.WeaponChoice, 2);  // classic: free
    Type("newgame ann 1 1 1 career");
    EXPECT_EQ(game.ui.shipChoices.WeaponChoice, 1);  // a career starts with the first parts
    (*game.world.galaxies)[1].Stars[1].TechLevel = 10;
    game.world.Pilot.Cash = 100;
    const std::size_t before = game.ui.Console.Count;
    kv::NextShipPart(game);
    kv::ComposeMarkedPanels(game);
    EXPECT_EQ(game.ui.shipChoices.WeaponChoice, 1);
    EXPECT_TRUE(SaidSince(before, "Pulser costs 120 credits"));
    game.world.Pilot.Cash = 120;
    kv::NextShipPart(game);
    EXPECT_EQ(game.ui.shipChoices.WeaponChoice, 2);
    EXPECT_EQ(game.world.Pilot.Cash, 0);
}

TEST_F(CareerGame, LeavingABattlePaysForTheEnemiesDestroyed)
{
    Type("newgame ann 1 1 1 career");
    const kv::ShipCatalogue& c = game.world.Equipment;
    game.battle.EnemiesDestroyed = {{c.HullCatalogue[2], c.WeaponCatalogue[2]}, {c.HullCatalogue[2], c.WeaponCatalogue[2]}};
    const int32_t cash = game.world.Pilot.Cash;
    kv::LeaveCombat(game);
    EXPECT_EQ(game.world.Pilot.Cash, cash + 2 * 615);
    EXPECT_EQ(game.world.Career.Kills, 2u);
    EXPECT_TRUE(game.battle.EnemiesDestroyed.empty());
}

}  // namespace
