// Saving and loading the game being played: the whole world comes back
// after trades, jumps, a new pilot and a refit; bad slots change nothing;
// the save window asks before saving over a slot; autosaves follow every
// arrival and every battle; and a scripted road shows the same panels
// before saving and after loading.
#include "hud/SaveWindow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "game/SaveGames.h"
#include "platform/SafeFile.h"
#include "platform/Window.h"
#include "shell/Scenario.h"
#include "shell/UnitMain.h"
#include "SaveTestWorld.h"
#include "support/Pictures.h"
#include "support/Roads.h"

namespace fs = std::filesystem;

namespace {

class Saves : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::remove_all(folder);
        form.FormCreate();
        Play({"seed 1"});
        Play(kv::testing::ToSpace);
        ASSERT_EQ(game().CurrentScene, kv::SceneSpace);
        ASSERT_EQ(game().ui.Saves.Folder, folder + "/saves") << "a scripted run saves beside its frames";
    }
    void TearDown() override { fs::remove_all(folder); }
    void Play(const std::vector<std::string>& script) { runner.Run(script); }
    kv::Game& game() { return form.game; }
    std::string World() { return kv::EncodeSave(kv::CaptureSave(game())); }
    std::string LastMessage() { return game().ui.Console.Entries[game().ui.Console.Count].Text; }
    std::string SlotFile(int slot) { return kv::SlotPath(game().ui.Saves.Folder, slot); }

    // A career: goods bought, a jump to seed 1's star 4, a refit, points.
    void Career()
    {
        Play({"key F5", "tick", "click 300 215", "click 530 220", "click 530 220", "tick"});
        ASSERT_EQ(game().world.Pilot.Cargo[5].Quantity, 2);
        Play({"key F1", "tick", "click 369 319", "tick", "click 745 152", "tick"});
        ASSERT_EQ(game().world.Pilot.Star, 4);
        ASSERT_EQ(game().CurrentScene, kv::SceneSpace);
        Play({"key F4", "tick 45", "click 700 235", "click 777 237", "tick"});
        ASSERT_EQ(game().ui.shipChoices.EngineChoice, 2);
        game().world.Pilot.TradePoints = 12345.678L;
        game().world.Difficulty = 2;
    }

    std::string folder = ::testing::TempDir() + "kvspace_saves_" + std::to_string(::getpid());
    kv::Window window;
    kv::TfrmMain form{window};
    kv::ScenarioRunner runner{form, folder};
};

TEST_F(Saves, TheWholeWorldComesBackAfterANewGame)
{
    Career();
    game().ui.map.MapLevel = 0;
    const std::string before = World();
    kv::World world = kvtest::CopyOf(game().world);
    ASSERT_TRUE(kv::SaveToSlot(game(), 3));
    EXPECT_NE(LastMessage().find("Game saved: Slot 3"), std::string::npos);

    Play({"key Grave", "type newgame Mary 5 3 2", "key Enter", "tick 2"});
    ASSERT_EQ(game().world.Pilot.Name, "Mary");
    ASSERT_NE(World(), before);
    // The generator is not saved: it runs on from the running game's draws.
    world.random = game().world.random;
    ASSERT_TRUE(kv::LoadFromSlot(game(), 3));
    EXPECT_NE(LastMessage().find("Game loaded: Slot 3"), std::string::npos);
    kvtest::ExpectSameWorld(world, game().world);
    EXPECT_EQ(World(), before) << "the ship window's choices, the selection and the map level alike";
    EXPECT_EQ(game().ui.map.MapLevel, 0);
}

// A save the reader takes but this game's catalogues cannot fit, beside the
// files the reader refuses.
std::string SaveWithHull(const kv::Game& game, uint8_t hull)
{
    kv::SavedGame save = kv::CaptureSave(game);
    save.HullChoice = hull;
    return kv::EncodeSave(save);
}

TEST_F(Saves, SlotsThatCannotBeLoadedChangeNothing)
{
    ASSERT_TRUE(kv::SaveToSlot(game(), 1));
    const std::string good = kv::ReadWholeFile(SlotFile(1), kv::MostSaveBytes).Bytes;
    std::string newer = good;
    newer[8] = static_cast<char>(kv::SaveFormatVersion + 1);
    std::ofstream(SlotFile(2), std::ios::binary) << newer;
    std::ofstream(SlotFile(3), std::ios::binary) << SaveWithHull(game(), 10);
    std::ofstream(SlotFile(4), std::ios::binary) << "";
    std::ofstream(SlotFile(5), std::ios::binary) << good.substr(0, good.size() - 1);
    game().world.Pilot.Cash = 4321;
    game().ui.SelectedStar = 2;
    const std::string running = World();
    const kv::World world = kvtest::CopyOf(game().world);
    for (int slot : {2, 3, 4, 5, 6}) {
        EXPECT_FALSE(kv::LoadFromSlot(game(), slot)) << slot;
        EXPECT_NE(LastMessage().find("cannot be loaded"), std::string::npos) << LastMessage();
        kvtest::ExpectSameWorld(world, game().world);
        EXPECT_EQ(World(), running) << slot;
    }
    EXPECT_NE(LastMessage().find("Slot 6 cannot be loaded: it is empty"), std::string::npos);
    kv::LoadFromSlot(game(), 3);
    EXPECT_NE(LastMessage().find("parts this game does not have"), std::string::npos) << LastMessage();
    Play({"click 87 47", "tick 90", "shot load_window"});
    const auto& slots = game().ui.Saves.Slots;
    EXPECT_EQ(slots[1].State, kv::SaveState::Good);
    EXPECT_EQ(slots[2].State, kv::SaveState::Newer);
    EXPECT_EQ(slots[4].State, kv::SaveState::Damaged);
    EXPECT_EQ(slots[5].State, kv::SaveState::Damaged);
    EXPECT_EQ(slots[6].State, kv::SaveState::Empty);
    EXPECT_EQ(game().ui.hud.SaveWindow.Top, kv::SaveWindowTop);
}

TEST_F(Saves, AFolderThatCannotBeWrittenLeavesTheGameAsItWas)
{
    fs::create_directories(folder);
    std::ofstream(game().ui.Saves.Folder) << "in the way";
    const std::string running = World();
    EXPECT_FALSE(kv::SaveToSlot(game(), 1));
    EXPECT_NE(LastMessage().find("Game not saved: cannot make the folder saves"), std::string::npos) << LastMessage();
    EXPECT_EQ(World(), running);
}

TEST_F(Saves, TheWindowAsksOnceBeforeSavingOverASlot)
{
    // "Save" on the top bar; the window slides down from the top.
    Play({"click 238 47", "tick"});
    const kv::kvWindow& w = game().ui.hud.SaveWindow;
    EXPECT_LT(w.Top, kv::SaveWindowTop);
    // Mid-way down it hides what it passes over but takes no click.
    Play({"tick 14", "click 400 190", "key 5", "tick"});
    EXPECT_EQ(w.Alpha, 256);
    EXPECT_LT(w.Top, kv::SaveWindowTop);
    EXPECT_FALSE(fs::exists(SlotFile(5)));
    Play({"tick 4"});
    ASSERT_EQ(w.Top, kv::SaveWindowTop) << "in place 20 ticks after the click";
    // Rows are 31 pixels from y 45 of the window: slot 2 at screen y 187.
    Play({"click 400 190", "tick"});
    EXPECT_TRUE(fs::exists(SlotFile(2)));
    EXPECT_EQ(game().ui.Saves.Slots[2].State, kv::SaveState::Good);
    game().world.Pilot.Cash = 777;
    Play({"click 400 190", "tick", "shot save_asking"});
    EXPECT_EQ(game().ui.Saves.AskingSlot, 2);
    EXPECT_NE(kv::ReadSlot(game().ui.Saves.Folder, 2).Save.Game->world.Pilot.Cash, 777) << "not yet";
    Play({"click 400 190", "tick", "shot save_saved"});
    EXPECT_EQ(kv::ReadSlot(game().ui.Saves.Folder, 2).Save.Game->world.Pilot.Cash, 777);
    EXPECT_EQ(game().ui.Saves.AskingSlot, -1);
    // The autosave row takes no save; Esc closes the window.
    Play({"click 400 130", "tick"});
    EXPECT_FALSE(fs::exists(SlotFile(kv::AutosaveSlot)));
    EXPECT_EQ(game().ui.hud.StarMap.Visible, 0) << "the window takes the star map's place";
    Play({"key Esc", "tick"});
    EXPECT_EQ(w.SlideOut, 1);
    EXPECT_EQ(game().ui.hud.StarMap.Visible, 1) << "and gives it back";
}

// "save N" never asks: it says what became of the file it replaced. The
// window asks once, and says that a file it cannot read is kept aside.
TEST_F(Saves, SavingOverASlotSaysWhatBecameOfTheOldOne)
{
    fs::create_directories(game().ui.Saves.Folder);
    std::ofstream(SlotFile(2)) << "not a save";
    Play({"key Grave", "type save 2", "key Enter", "tick"});
    EXPECT_NE(LastMessage().find("Game saved: Slot 2; the old file kept as slot2.unreadable-"), std::string::npos)
        << LastMessage();
    Play({"type save 2", "key Enter", "tick"});
    EXPECT_NE(LastMessage().find("Game saved: Slot 2; the one it replaced is its backup"), std::string::npos)
        << LastMessage();
    Play({"key Grave"});

    std::ofstream(SlotFile(3)) << "not a save";
    Play({"click 238 47", "tick 90", "click 400 225", "tick", "shot save_asking_unreadable"});
    EXPECT_EQ(game().ui.Saves.AskingSlot, 3);
    EXPECT_EQ(kv::ReadWholeFile(SlotFile(3), 100).Bytes, "not a save") << "not yet";
    Play({"click 400 225", "tick"});
    EXPECT_NE(LastMessage().find("Game saved: Slot 3; the old file kept as slot3.unreadable-"), std::string::npos)
        << LastMessage();
    EXPECT_EQ(game().ui.Saves.Slots[3].State, kv::SaveState::Good);
}

// While the window is out it has the keyboard: typing reaches neither the
// console's command line nor the space scene's shortcuts, a slot's number
// chooses it, Enter answers the window's question, and once the window
// goes the command line has the keys again.
TEST_F(Saves, TheWindowTakesTheKeyboardWhileItIsOut)
{
    const kv::Hud& h = game().ui.hud;
    Play({"key Grave", "type abc", "click 238 47", "tick 90"});
    ASSERT_TRUE(kv::SaveWindowShown(game()));
    Play({"type xyz", "key F5", "key Grave", "key F1", "tick"});
    EXPECT_EQ(h.ConsoleEdit.Text, "abc");
    EXPECT_EQ(h.ConsoleEdit.Visible, 1);
    EXPECT_EQ(h.Market.Visible, 0);
    EXPECT_EQ(h.StarMap.Visible, 0);
    EXPECT_TRUE(kv::SaveWindowShown(game()));

    Play({"key 2", "tick"});
    EXPECT_EQ(game().ui.Saves.Slots[2].State, kv::SaveState::Good);
    game().world.Pilot.Cash = 777;
    Play({"key 2", "tick"});
    EXPECT_EQ(game().ui.Saves.AskingSlot, 2);
    Play({"key Enter", "tick"});
    EXPECT_EQ(game().ui.Saves.AskingSlot, -1);
    EXPECT_EQ(kv::ReadSlot(game().ui.Saves.Folder, 2).Save.Game->world.Pilot.Cash, 777);
    Play({"key Enter", "key 9", "tick"});
    EXPECT_FALSE(fs::exists(SlotFile(9))) << "only the slots shown";

    Play({"key Esc", "tick", "type d"});
    EXPECT_FALSE(kv::SaveWindowShown(game()));
    EXPECT_EQ(h.StarMap.Visible, 1);
    EXPECT_EQ(h.ConsoleEdit.Text, "abcd");
}

TEST_F(Saves, LoadingFromTheWindowAndTheConsole)
{
    ASSERT_TRUE(kv::SaveToSlot(game(), 8));
    const std::string saved = World();
    game().world.Pilot.Cash = 5;
    Play({"click 87 47", "tick 90", "click 400 385", "tick"});
    EXPECT_EQ(World(), saved);
    EXPECT_EQ(game().ui.hud.SaveWindow.SlideOut, 1) << "the window goes once the game is loaded";

    Play({"key Grave", "type set money 99", "key Enter", "tick", "type save 7", "key Enter", "tick",
          "type load 8", "key Enter", "tick"});
    EXPECT_EQ(World(), saved);
    EXPECT_EQ(kv::ReadSlot(game().ui.Saves.Folder, 7).Save.Game->world.Pilot.Cash, 99);
    Play({"type save 9", "key Enter", "tick"});
    EXPECT_NE(LastMessage().find("acceptable range"), std::string::npos);
    Play({"type load x", "key Enter", "tick"});
    EXPECT_NE(LastMessage().find("Illegal parameter"), std::string::npos);
}

TEST_F(Saves, EveryArrivalAndEveryBattleAutosaves)
{
    Play({"click 369 319", "tick", "click 745 152", "tick"});
    ASSERT_EQ(game().world.Pilot.Star, 4);
    EXPECT_EQ(kv::ReadSlot(game().ui.Saves.Folder, kv::AutosaveSlot).Save.Game->world.Pilot.Star, 4);
    game().world.Pilot.Cash = 31337;
    Play({"scene 2", "tick 5", "hold Esc", "tick 200", "let Esc", "tick"});
    ASSERT_EQ(game().CurrentScene, kv::SceneSpace);
    EXPECT_EQ(kv::ReadSlot(game().ui.Saves.Folder, kv::AutosaveSlot).Save.Game->world.Pilot.Cash, 31337);
    EXPECT_EQ(game().ui.Saves.Slots[kv::AutosaveSlot].Cash, 31337) << "the window's row follows the autosave";
}

// An autosave that keeps failing says so once, until one works again.
TEST_F(Saves, AnAutosaveThatFailsSaysSoOnce)
{
    const auto failures = [this] {
        int said = 0;
        for (uint16_t i = 1; i <= game().ui.Console.Count; ++i)
            said += game().ui.Console.Entries[i].Text.find("Autosave failed") != std::string::npos;
        return said;
    };
    fs::create_directories(folder);
    std::ofstream(game().ui.Saves.Folder) << "in the way";
    for (int i = 0; i < 3; ++i) {
        kv::Autosave(game());
        Play({"tick"});
    }
    EXPECT_EQ(failures(), 1);
    fs::remove(game().ui.Saves.Folder);
    kv::Autosave(game());
    Play({"tick"});
    fs::remove_all(game().ui.Saves.Folder);
    std::ofstream(game().ui.Saves.Folder) << "in the way";
    kv::Autosave(game());
    Play({"tick"});
    EXPECT_EQ(failures(), 2) << "said again after one worked";
}

// The panels a player looks at, cut from a frame.
std::vector<kv::Rgb> Panels(const kv::Bitmap& frame)
{
    std::vector<kv::Rgb> pixels;
    for (int y = 80; y < 455; ++y)
        for (int x = 0; x < 800; ++x) pixels.push_back(frame.Pixel(x, y));
    return pixels;
}

TEST_F(Saves, TheSamePanelsBeforeSavingAndAfterLoading)
{
    Career();
    Play({"move 790 590", "tick 50", "shot panels_before"});
    const std::vector<kv::Rgb> before = Panels(form.ShownFrame());
    Play({"click 238 47", "tick 90", "shot save_window", "click 400 220", "tick", "key Esc", "tick"});
    Play({"key Grave", "type newgame Mary 5 3 2", "key Enter", "key Grave", "tick 60", "shot panels_other"});
    EXPECT_NE(Panels(form.ShownFrame()), before);
    Play({"click 87 47", "tick 90", "click 400 220", "move 790 590", "tick 90", "shot panels_after"});
    EXPECT_TRUE(Panels(form.ShownFrame()) == before);
}

}  // namespace
