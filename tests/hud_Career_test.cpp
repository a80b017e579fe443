// A career game through the screens: the console's commands, the new-game
// window's rules choice, the ship window's shipyard and a battle's pay, on a
// freshly built HUD.
#include <gtest/gtest.h>

#include <string>

#include "console/Commands.h"
#include "game/Game.h"
#include "hud/ConsoleCommands.h"
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
