// The new-game window's choices and the player and ship windows' rows.
#include "hud/NewGameWindow.h"

#include <gtest/gtest.h>

#include "game/Game.h"
#include "hud/Hud.h"
#include "hud/PilotWindows.h"
#include "platform/Window.h"
#include "shell/Scenario.h"
#include "shell/UnitMain.h"
#include "support/Roads.h"

namespace {

class PilotScreens : public ::testing::Test {
protected:
    void SetUp() override { kv::BuildHud(game); }
    kv::Game game;
};

TEST_F(PilotScreens, ChoicesWrapAtBothEnds)
{
    game.ui.newGameChoices = {1, 1, 1};
    kv::PreviousAvatar(game);
    EXPECT_EQ(game.ui.newGameChoices.AvatarChoice, 7);
    kv::NextAvatar(game);
    EXPECT_EQ(game.ui.newGameChoices.AvatarChoice, 1);
    kv::PreviousDifficulty(game);
    EXPECT_EQ(game.ui.newGameChoices.DifficultyChoice, 3);
    EXPECT_EQ(kv::DifficultyName(game.ui.newGameChoices.DifficultyChoice), "hardcore");
    kv::NextDifficulty(game);
    EXPECT_EQ(game.ui.newGameChoices.DifficultyChoice, 1);
    kv::PreviousSpecialisation(game);
    EXPECT_EQ(game.ui.newGameChoices.SpecialisationChoice, 4);
    kv::NextSpecialisation(game);
    EXPECT_EQ(game.ui.newGameChoices.SpecialisationChoice, 1);
    EXPECT_EQ(kv::DifficultyName(0), "");
}

TEST_F(PilotScreens, ReopeningResetsDifficultyAndClassButKeepsAvatarAndName)
{
    game.ui.hud.NameEdit.Text = "kim";
    game.ui.newGameChoices = {5, 3, 2};
    game.ui.hud.PlayerWindow.SlideIn = 1;
    kv::OpenNewGameWindow(game);
    EXPECT_EQ(game.ui.newGameChoices.AvatarChoice, 5);
    EXPECT_EQ(game.ui.newGameChoices.DifficultyChoice, 1);
    EXPECT_EQ(game.ui.newGameChoices.SpecialisationChoice, 1);
    EXPECT_EQ(game.ui.hud.NameEdit.Text, "kim");
    EXPECT_EQ(game.ui.hud.NewGame.Visible, 1);
    EXPECT_EQ(game.ui.hud.StarMap.Visible, 0);
    EXPECT_EQ(game.ui.hud.PlayerWindow.SlideOut, 1);
    EXPECT_EQ(game.ui.hud.PlayerWindow.SlideIn, 0);
}

TEST_F(PilotScreens, TheNameFieldTakesNineteenLettersAndAnEmptyNameStarts)
{
    kv::kvEdit& name = game.ui.hud.NameEdit;
    name.TypeText(std::string(25, 'a'));
    EXPECT_EQ(name.Text.size(), 19u);
    name.Text.clear();
    game.ui.hud.NewGame.Visible = 1;
    kv::StartNewGame(game);
    EXPECT_EQ(game.world.Pilot.Name, "");
    EXPECT_EQ(game.ui.hud.NewGame.Visible, 0);
}

TEST_F(PilotScreens, ShipRowsFollowTheClickAndArrowsStopAtTheCatalogueEnds)
{
    kv::SelectShipRow(game, 0, 129, 0);
    EXPECT_EQ(game.ui.shipChoices.SelectedRow, 1);
    kv::SelectShipRow(game, 0, 300, 0);
    EXPECT_EQ(game.ui.shipChoices.SelectedRow, 5);
    kv::SelectShipRow(game, 0, 150, 0);
    EXPECT_EQ(game.ui.shipChoices.SelectedRow, 2);
    EXPECT_EQ(game.ui.hud.NextPartButton.Top, 150);
    EXPECT_EQ(game.ui.hud.PreviousPartButton.Top, 150);

    const uint8_t engines = game.world.Equipment.EngineCount;
    const uint64_t shownLimit = game.ui.hud.PlayerWindow.Face.Version();
    for (int i = 0; i < engines + 2; ++i) kv::NextShipPart(game);
    kv::ComposeMarkedPanels(game);
    EXPECT_NE(game.ui.hud.PlayerWindow.Face.Version(), shownLimit) << "the jump limit follows the engine";
    EXPECT_EQ(game.ui.shipChoices.EngineChoice, engines);
    EXPECT_EQ(game.world.Ship.Engine.Name, game.world.Equipment.EngineCatalogue[engines].Name);
    for (int i = 0; i < engines + 2; ++i) kv::PreviousShipPart(game);
    EXPECT_EQ(game.ui.shipChoices.EngineChoice, 1);

    const kv::ShipChoices before = game.ui.shipChoices;
    for (int16_t y : {int16_t{170}, int16_t{210}}) {
        kv::SelectShipRow(game, 0, y, 0);
        kv::NextShipPart(game);
        kv::PreviousShipPart(game);
        EXPECT_EQ(game.ui.shipChoices.HullChoice, before.HullChoice);
        EXPECT_EQ(game.ui.shipChoices.EngineChoice, before.EngineChoice);
        EXPECT_EQ(game.ui.shipChoices.WeaponChoice, before.WeaponChoice);
    }
    kv::SelectShipRow(game, 0, 130, 0);
    kv::NextShipPart(game);
    kv::ComposeMarkedPanels(game);
    EXPECT_EQ(game.world.Ship.Hull.Name, game.world.Equipment.HullCatalogue[2].Name);
}

// The pilot's road through the HUD, played from the launcher: the ship's
// parts changed with clicks, a new game with a typed name, and the cash set
// at the console prompt.
TEST(PilotRoad, ShipPartsANewPilotAndTheConsolePrompt)
{
    kv::Window window;
    kv::TfrmMain form{window};
    kv::ScenarioRunner runner{form, ::testing::TempDir() + "kvspace_pilot"};
    kv::Game& game = form.game;
    form.FormCreate();
    runner.Run(kv::testing::ToSpace);

    // The ship window rests at (600, 80): row 2 is y 150..169 inside it.
    runner.Run({"key F4", "tick 45", "click 620 235", "tick", "click 777 235", "tick", "shot ship_engine2"});
    EXPECT_EQ(game.ui.shipChoices.SelectedRow, 2);
    EXPECT_EQ(game.ui.shipChoices.EngineChoice, 2);
    EXPECT_EQ(game.world.Ship.Engine.Name, game.world.Equipment.EngineCatalogue[2].Name);

    runner.Run({"click 87 17", "tick 45", "click 400 140", "type Zed", "click 545 260", "click 515 180", "tick",
                "shot newgame_filled", "click 310 342", "tick 45", "shot newgame_started"});
    EXPECT_EQ(game.world.Pilot.Name, "Zed");
    EXPECT_EQ(game.world.Pilot.Avatar, 2);
    EXPECT_EQ(game.world.Difficulty, 2);
    EXPECT_EQ(game.ui.hud.NewGame.Visible, 0);
    EXPECT_EQ(game.ui.hud.PlayerWindow.Left, 0);

    runner.Run({"key Grave", "type set money 777", "key Enter", "tick", "shot console_money"});
    EXPECT_EQ(game.world.Pilot.Cash, 777);
    EXPECT_EQ(game.ui.hud.ConsoleEdit.Text, "");
    EXPECT_EQ(runner.FramesWritten().size(), 4u);
}

}  // namespace
