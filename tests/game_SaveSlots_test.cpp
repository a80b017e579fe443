// The save slots on disk: backups kept, damaged files shown as such with
// their good backup offered, and crashes and full disks that lose nothing.
#include "game/SaveSlots.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "SaveTestWorld.h"
#include "platform/SafeFile.h"

namespace fs = std::filesystem;

namespace {

using kv::SaveState;

std::string Bytes(const fs::path& path) { return kv::ReadWholeFile(path.string(), kv::MostSaveBytes).Bytes; }

class SaveSlotsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = (fs::path(::testing::TempDir()) / ("kvspace_slots_" + std::to_string(::getpid())) / "saves").string();
        fs::remove_all(fs::path(folder).parent_path());
    }
    void TearDown() override { fs::remove_all(fs::path(folder).parent_path()); }

    std::string SaveOf(uint32_t seed, int32_t cash)
    {
        kv::SavedGame save = kvtest::PlayedSave(seed);
        save.world.Pilot.Cash = cash;
        return kv::EncodeSave(save);
    }
    std::string folder;
};

TEST_F(SaveSlotsTest, SavingKeepsThePreviousVersionAsTheBackup)
{
    const std::string first = SaveOf(1, 100);
    const std::string second = SaveOf(1, 200);
    ASSERT_FALSE(kv::WriteSlot(folder, 3, first).has_value());
    EXPECT_FALSE(fs::exists(kv::BackupPath(folder, 3))) << "nothing to keep yet";
    ASSERT_FALSE(kv::WriteSlot(folder, 3, second).has_value());
    EXPECT_EQ(Bytes(kv::SlotPath(folder, 3)), second);
    EXPECT_EQ(Bytes(kv::BackupPath(folder, 3)), first);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 2) << "no temporary files";

    ASSERT_FALSE(kv::WriteSlot(folder, kv::AutosaveSlot, first).has_value());
    EXPECT_TRUE(fs::exists(fs::path(folder) / "autosave.sav"));
    const auto summaries = kv::ReadSlotSummaries(folder);
    EXPECT_EQ(summaries[0].State, SaveState::Good) << "the autosave comes first";
    EXPECT_EQ(summaries[0].Cash, 100);
    EXPECT_EQ(summaries[3].Cash, 200);
    EXPECT_EQ(summaries[3].PilotName, "Ann Bonny 2");
    EXPECT_EQ(summaries[3].StarName, (*kvtest::PlayedSave(1).world.galaxies)[1].Stars[3].Name);
    EXPECT_EQ(summaries[1].State, SaveState::Empty);
    EXPECT_FALSE(summaries[1].Loadable());
}

TEST_F(SaveSlotsTest, DamagedAndNewerFilesAreShownAsSuchAndAGoodBackupIsOffered)
{
    ASSERT_FALSE(kv::WriteSlot(folder, 1, SaveOf(1, 100)).has_value());
    ASSERT_FALSE(kv::WriteSlot(folder, 1, SaveOf(1, 200)).has_value());
    std::ofstream(kv::SlotPath(folder, 1), std::ios::trunc) << "";
    const kv::SlotRead offered = kv::ReadSlot(folder, 1);
    EXPECT_EQ(offered.State, SaveState::Damaged);
    EXPECT_TRUE(offered.FromBackup);
    ASSERT_EQ(offered.Save.State, SaveState::Good);
    EXPECT_EQ(offered.Save.Game->world.Pilot.Cash, 100);
    EXPECT_TRUE(kv::Summarise(offered).Loadable());

    // A damaged file never pushes a good backup out.
    ASSERT_FALSE(kv::WriteSlot(folder, 1, SaveOf(1, 300)).has_value());
    EXPECT_EQ(kv::DecodeSave(Bytes(kv::BackupPath(folder, 1))).Game->world.Pilot.Cash, 100);

    std::string cut = SaveOf(2, 5);
    cut.resize(cut.size() / 2);
    std::ofstream(kv::SlotPath(folder, 2), std::ios::binary) << cut;
    const kv::SlotSummary damaged = kv::Summarise(kv::ReadSlot(folder, 2));
    EXPECT_EQ(damaged.State, SaveState::Damaged);
    EXPECT_FALSE(damaged.Loadable()) << "no backup to offer";

    std::string newer = SaveOf(2, 5);
    newer[8] = static_cast<char>(kv::SaveFormatVersion + 1);
    std::ofstream(kv::SlotPath(folder, 4), std::ios::binary) << newer;
    const kv::SlotSummary later = kv::Summarise(kv::ReadSlot(folder, 4));
    EXPECT_EQ(later.State, SaveState::Newer);
    EXPECT_FALSE(later.Loadable());

    fs::create_directories(kv::SlotPath(folder, 5));
    EXPECT_EQ(kv::ReadSlot(folder, 5).State, SaveState::Damaged) << "a folder in a slot's place";
}

TEST_F(SaveSlotsTest, AWriterKilledBeforeTheRenameLeavesTheOldSave)
{
    const std::string old = SaveOf(1, 100);
    ASSERT_FALSE(kv::WriteSlot(folder, 2, old).has_value());
    // The writer dies with its new file complete beside the old one.
    std::string temporary;
    ASSERT_FALSE(kv::WriteTemporary(kv::SlotPath(folder, 2), SaveOf(1, 999), temporary).has_value());
    EXPECT_EQ(Bytes(kv::SlotPath(folder, 2)), old);
    EXPECT_EQ(kv::ReadSlot(folder, 2).Save.Game->world.Pilot.Cash, 100);
    // The next run saves over it as usual and removes the stray file, but
    // no file that is not its own.
    const std::string notes = kv::SlotPath(folder, 2) + ".notes";
    std::ofstream(notes) << "mine";
    ASSERT_FALSE(kv::WriteSlot(folder, 2, SaveOf(1, 300)).has_value());
    EXPECT_EQ(kv::ReadSlot(folder, 2).Save.Game->world.Pilot.Cash, 300);
    EXPECT_EQ(Bytes(kv::BackupPath(folder, 2)), old);
    EXPECT_FALSE(fs::exists(temporary));
    EXPECT_TRUE(fs::exists(notes));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 3);
}

// A file size limit makes every write stop part-way, as a full disk does,
// for every user.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousSignal_);
    }

private:
    rlimit previous_{};
    void (*previousSignal_)(int) = nullptr;
};

TEST_F(SaveSlotsTest, AWriteThatFailsPartWayLeavesTheSaveAndItsBackup)
{
    const std::string first = SaveOf(1, 100);
    const std::string second = SaveOf(1, 200);
    ASSERT_FALSE(kv::WriteSlot(folder, 6, first).has_value());
    ASSERT_FALSE(kv::WriteSlot(folder, 6, second).has_value());
    {
        const FileSizeLimit full(4096);
        const std::optional<std::string> problem = kv::WriteSlot(folder, 6, SaveOf(1, 300));
        ASSERT_TRUE(problem.has_value());
        EXPECT_NE(problem->find("slot6.sav"), std::string::npos) << *problem;
    }
    EXPECT_EQ(Bytes(kv::SlotPath(folder, 6)), second);
    EXPECT_EQ(Bytes(kv::BackupPath(folder, 6)), first);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 2) << "nothing left behind";
}

}  // namespace
