// The console's command line: splitting, numbers, and every command with
// its errors, on a freshly built HUD.
#include "console/Commands.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/Game.h"
#include "hud/ConsoleCommands.h"
#include "hud/Hud.h"

namespace {

using kv::CommandLine;
using kv::ParseCommandInteger;

TEST(CommandWords, RunsOfSpacesMakeNoEmptyWords)
{
    CommandLine line;
    kv::ParseCommandLine(line, "   quit    game   ");
    EXPECT_EQ(line.WordsUsed, 2);
    EXPECT_EQ(line.Code, kv::command::Quit);
    EXPECT_EQ(line.Word(2), "game");
    kv::ParseCommandLine(line, "");
    EXPECT_EQ(line.WordsUsed, 0);
    EXPECT_EQ(line.Word(1), "");
    kv::ParseCommandLine(line, "    ");
    EXPECT_EQ(line.WordsUsed, 0);
    EXPECT_EQ(line.Code, kv::command::Unknown);
    kv::ParseCommandLine(line, "Quit");
    EXPECT_EQ(line.Code, kv::command::Unknown);
}

TEST(CommandWords, ALineOfMoreThanThirtyWordsKeepsTheFirstThirty)
{
    std::string text;
    for (int i = 1; i <= 40; ++i) text += "w" + std::to_string(i) + " ";
    CommandLine line;
    kv::ParseCommandLine(line, text);
    EXPECT_EQ(line.WordsUsed, 30);
    EXPECT_EQ(line.Word(30), "w30");
    EXPECT_EQ(line.Word(31), "");
    kv::ParseCommandLine(line, "set money 5");  // the long line's words are gone
    EXPECT_EQ(line.WordsUsed, 3);
    EXPECT_EQ(line.Words[4], "");
}

TEST(CommandWords, NumbersAreThirtyTwoBitDecimalOrHexadecimal)
{
    EXPECT_EQ(ParseCommandInteger("5000"), 5000);
    EXPECT_EQ(ParseCommandInteger("  12"), 12);
    EXPECT_EQ(ParseCommandInteger("-7"), -7);
    EXPECT_EQ(ParseCommandInteger("x1f"), 31);
    EXPECT_EQ(ParseCommandInteger("X10"), 16);
    EXPECT_EQ(ParseCommandInteger("0x10"), 16);
    EXPECT_EQ(ParseCommandInteger("$10"), 16);
    EXPECT_EQ(ParseCommandInteger("2147483647"), 2147483647);
    for (const char* bad : {"", "abc", "12a", "4294967296", "99999999999", "x", "1 2"})
        EXPECT_EQ(ParseCommandInteger(bad), std::nullopt) << bad;
}

class Commands : public ::testing::Test {
protected:
    void SetUp() override
    {
        kv::BuildHud(game);
        game.SwitchScene = [this](uint8_t scene) { scenes.push_back(scene); };
        alertsBefore = game.ui.Console.Count;
    }
    void Type(const std::string& text)
    {
        kv::ParseCommandLine(game.ui.Command, text);
        kv::RunCommand(game);
        kv::ComposeMarkedPanels(game);
        EXPECT_EQ(game.ui.Command.Code, kv::command::None);
    }
    // The text of the last console line, without its timestamp.
    std::string LastMessage() const
    {
        if (game.ui.Console.Count == alertsBefore) return "";
        return game.ui.Console.Entries[game.ui.Console.Count].Text.substr(9);
    }

    kv::Game game;
    std::vector<uint8_t> scenes;
    std::size_t alertsBefore = 0;
};

TEST_F(Commands, QuitLeavesForTheTitleAndQuitGameEndsTheProgram)
{
    Type("quit");
    Type("quit now");
    EXPECT_EQ(scenes, (std::vector<uint8_t>{kv::SceneTitle, kv::SceneTitle}));
    EXPECT_FALSE(game.TerminateRequested);
    Type("  quit   game ");
    EXPECT_TRUE(game.TerminateRequested);
    EXPECT_EQ(LastMessage(), "");
}

TEST_F(Commands, CombatSwitchesToTheBattle)
{
    Type("combat");
    EXPECT_EQ(scenes, (std::vector<uint8_t>{kv::SceneCombat}));
}

TEST_F(Commands, NewgameStoresEachGoodChoiceUntilTheFirstBadOne)
{
    Type("newgame bob 8 1 1");
    EXPECT_EQ(LastMessage(), "Parameter does not belong to acceptable range");
    EXPECT_EQ(game.ui.hud.NameEdit.Text, "bob");
    EXPECT_EQ(game.ui.Console.Entries[game.ui.Console.Count].Kind, kv::MessageKind::Alert);

    Type("newgame bob 2 abc 1");
    EXPECT_EQ(LastMessage(), "Illegal parameter type");
    EXPECT_EQ(game.ui.newGameChoices.AvatarChoice, 2);

    Type("newgame bob 1 1");
    EXPECT_EQ(LastMessage(), "Illegal parameter type");
    EXPECT_EQ(game.world.Pilot.Name, "Noname");
}

TEST_F(Commands, NewgameWithGoodChoicesStartsTheGame)
{
    game.world.Pilot.Cash = 5;
    Type("newgame ann 3 2 4");
    EXPECT_EQ(game.world.Pilot.Name, "ann");
    EXPECT_EQ(game.world.Pilot.Avatar, 3);
    EXPECT_EQ(game.world.Difficulty, 2);
    EXPECT_EQ(game.world.Pilot.Class, 4);
    EXPECT_EQ(game.world.Pilot.Cash, 1000);
    EXPECT_EQ(LastMessage(), "Space Navigation Center on Planet Earth: Welcome, ann");
}

TEST_F(Commands, SetMoneySetsTheCashAndOtherSettingsDoNothing)
{
    Type("set money 5000");
    EXPECT_EQ(game.world.Pilot.Cash, 5000);
    EXPECT_EQ(game.RepaintNeeded, 1);
    Type("set cash 5");
    EXPECT_EQ(game.world.Pilot.Cash, 5000);
    EXPECT_EQ(LastMessage(), "");
    Type("set money");
    EXPECT_EQ(LastMessage(), "Illegal parameter type");
    Type("set money 99999999999");
    EXPECT_EQ(LastMessage(), "Illegal parameter type");
    EXPECT_EQ(game.world.Pilot.Cash, 5000);
    // The market's buttons follow the new cash at once.
    Type("set money 0");
    EXPECT_EQ(game.ui.hud.BuyButton.Enabled, 0);
}

TEST_F(Commands, UnknownWordsAreNamedAndEmptyLinesIgnored)
{
    Type("");
    Type("   ");
    EXPECT_EQ(LastMessage(), "");
    Type("Quit");
    EXPECT_EQ(LastMessage(), "Unknown command \"Quit\"");
    EXPECT_TRUE(scenes.empty());
}

}  // namespace
