// The autosave's own thread: saves handed over are written in turn, a
// waiting save gives way to a newer one of its slot, failures come back,
// and the writer's end loses none.
#include "game/SaveWriter.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "SaveTestWorld.h"
#include "game/Game.h"
#include "game/SaveGames.h"
#include "platform/SafeFile.h"

namespace fs = std::filesystem;

namespace {

class SaveWriterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::remove_all(fs::path(folder).parent_path());
        for (int32_t cash : {100, 200, 300}) {
            kv::SavedGame save = kvtest::PlayedSave(1);
            save.world.Pilot.Cash = cash;
            saves.push_back(kv::EncodeSave(save));
        }
    }
    void TearDown() override { fs::remove_all(fs::path(folder).parent_path()); }
    int32_t CashIn(int slot) { return kv::ReadSlot(folder, slot).Save.Game->world.Pilot.Cash; }

    std::string folder = (fs::path(::testing::TempDir()) / ("kvspace_writer_" + std::to_string(::getpid())) / "saves").string();
    std::vector<std::string> saves;
};

TEST_F(SaveWriterTest, SavesAreWrittenInTurnAndTheNewestOfASlotWins)
{
    kv::SaveWriter writer;
    for (std::size_t i = 0; i < saves.size(); ++i) {
        kv::SlotSummary summary;
        summary.Cash = static_cast<int32_t>(100 * (i + 1));
        writer.Hand(folder, kv::AutosaveSlot, saves[i], 0, summary);
    }
    writer.Hand(folder, 5, saves[0], 0, {});
    writer.Wait();
    const std::vector<kv::SaveWriter::Written> written = writer.TakeWritten();
    ASSERT_GE(written.size(), 2u);
    EXPECT_LE(written.size(), 4u) << "a save still waiting gives way";
    for (const auto& w : written) EXPECT_FALSE(w.Write.Problem.has_value()) << *w.Write.Problem;
    EXPECT_EQ(written.back().Slot, 5);
    EXPECT_EQ(written[written.size() - 2].Summary.Cash, 300);
    EXPECT_EQ(CashIn(kv::AutosaveSlot), 300);
    EXPECT_EQ(CashIn(5), 100);
    EXPECT_TRUE(writer.TakeWritten().empty());
}

TEST_F(SaveWriterTest, AFailureComesBackAndTheEndLosesNoSave)
{
    {
        kv::SaveWriter writer;
        writer.Hand(folder, 2, saves[1], 0, {});
    }
    EXPECT_EQ(CashIn(2), 200) << "written before the writer ended";

    const std::string blocked = (fs::path(folder).parent_path() / "blocked").string();
    std::ofstream(blocked) << "in the way";
    kv::SaveWriter writer;
    writer.Hand(blocked, 1, saves[0], 0, {});
    writer.Wait();
    const std::vector<kv::SaveWriter::Written> written = writer.TakeWritten();
    ASSERT_EQ(written.size(), 1u);
    ASSERT_TRUE(written[0].Write.Problem.has_value());
    EXPECT_NE(written[0].Write.Problem->find("cannot make the folder"), std::string::npos) << *written[0].Write.Problem;
}

// Outside a scripted run the game does not wait for its saves: the console
// says how one went on the tick that takes it back.
TEST_F(SaveWriterTest, TheGameSaysHowASaveWentOnceItIsWritten)
{
    kv::Game game;
    game.ui.Saves.Folder = folder;
    kv::LoadCatalogues(game.world);
    kv::StartWorld(game.world);
    game.world.Pilot.Cash = 4242;
    ASSERT_TRUE(kv::SaveToSlot(game, 6));
    EXPECT_EQ(game.ui.Saves.Slots[6].Cash, 4242) << "the window's row at once";
    kv::WaitForSaves(game);
    ASSERT_GE(game.ui.Console.Count, 1);
    EXPECT_NE(game.ui.Console.Entries[game.ui.Console.Count].Text.find("Game saved: Slot 6"), std::string::npos);
    EXPECT_EQ(CashIn(6), 4242);
    EXPECT_FALSE(kv::TakeWrittenSaves(game)) << "said once";

    fs::remove_all(folder);
    std::ofstream(folder) << "in the way";
    kv::SaveToSlot(game, 6);
    kv::WaitForSaves(game);
    EXPECT_NE(game.ui.Console.Entries[game.ui.Console.Count].Text.find("Game not saved: cannot make the folder"),
              std::string::npos);
    EXPECT_EQ(game.ui.Saves.Slots[6].State, kv::SaveState::Empty) << "the row shows what the folder holds again";
    EXPECT_EQ(game.ui.Saves.FailedSaves, 1);
}

}  // namespace
