// The autosave's own thread: saves handed over are written in turn, a
// waiting save gives way to a newer one of its slot, failures come back,
// and the writer's end loses none.
#include "game/SaveWriter.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "SaveTestWorld.h"
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

}  // namespace
