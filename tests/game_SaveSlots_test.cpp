// The save slots on disk: backups kept, damaged files shown as such with
// their good backup offered, and crashes and full disks that lose nothing.
#include "game/SaveSlots.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "SaveTestWorld.h"
#include "platform/SafeFile.h"

namespace fs = std::filesystem;

namespace {

using kv::SaveState;

std::string Bytes(const fs::path& path) { return kv::ReadWholeFile(path.string(), kv::MostSaveBytes).Bytes; }

// The names in a folder, sorted.
std::vector<std::string> Names(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

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
    ASSERT_FALSE(kv::WriteSlot(folder, 3, first, 0).Problem.has_value());
    EXPECT_FALSE(fs::exists(kv::BackupPath(folder, 3))) << "nothing to keep yet";
    ASSERT_FALSE(kv::WriteSlot(folder, 3, second, 0).Problem.has_value());
    EXPECT_EQ(Bytes(kv::SlotPath(folder, 3)), second);
    EXPECT_EQ(Bytes(kv::BackupPath(folder, 3)), first);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 2) << "no temporary files";

    ASSERT_FALSE(kv::WriteSlot(folder, kv::AutosaveSlot, first, 0).Problem.has_value());
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
    ASSERT_FALSE(kv::WriteSlot(folder, 1, SaveOf(1, 100), 0).Problem.has_value());
    ASSERT_FALSE(kv::WriteSlot(folder, 1, SaveOf(1, 200), 0).Problem.has_value());
    std::ofstream(kv::SlotPath(folder, 1), std::ios::trunc) << "";
    const kv::SlotRead offered = kv::ReadSlot(folder, 1);
    EXPECT_EQ(offered.State, SaveState::Damaged);
    EXPECT_TRUE(offered.FromBackup);
    ASSERT_EQ(offered.Save.State, SaveState::Good);
    EXPECT_EQ(offered.Save.Game->world.Pilot.Cash, 100);
    EXPECT_TRUE(kv::SummariseSlot(folder, 1).Loadable());

    // A damaged file never pushes a good backup out.
    ASSERT_FALSE(kv::WriteSlot(folder, 1, SaveOf(1, 300), 0).Problem.has_value());
    EXPECT_EQ(kv::DecodeSave(Bytes(kv::BackupPath(folder, 1))).Game->world.Pilot.Cash, 100);

    std::string cut = SaveOf(2, 5);
    cut.resize(cut.size() / 2);
    std::ofstream(kv::SlotPath(folder, 2), std::ios::binary) << cut;
    const kv::SlotSummary damaged = kv::SummariseSlot(folder, 2);
    EXPECT_EQ(damaged.State, SaveState::Damaged);
    EXPECT_FALSE(damaged.Loadable()) << "no backup to offer";

    std::string newer = SaveOf(2, 5);
    newer[8] = static_cast<char>(kv::SaveFormatVersion + 1);
    std::ofstream(kv::SlotPath(folder, 4), std::ios::binary) << newer;
    const kv::SlotSummary later = kv::SummariseSlot(folder, 4);
    EXPECT_EQ(later.State, SaveState::Newer);
    EXPECT_FALSE(later.Loadable());

    fs::create_directories(kv::SlotPath(folder, 5));
    EXPECT_EQ(kv::ReadSlot(folder, 5).State, SaveState::Damaged) << "a folder in a slot's place";
}

TEST_F(SaveSlotsTest, AWriterKilledBeforeTheRenameLeavesTheOldSave)
{
    const std::string old = SaveOf(1, 100);
    ASSERT_FALSE(kv::WriteSlot(folder, 2, old, 0).Problem.has_value());
    // The writer dies with its new file complete beside the old one.
    std::string temporary;
    ASSERT_FALSE(kv::WriteTemporary(kv::SlotPath(folder, 2), SaveOf(1, 999), temporary).has_value());
    EXPECT_EQ(Bytes(kv::SlotPath(folder, 2)), old);
    EXPECT_EQ(kv::ReadSlot(folder, 2).Save.Game->world.Pilot.Cash, 100);
    // The next run saves over it as usual and removes the stray file, but
    // no file that is not its own.
    const std::string notes = kv::SlotPath(folder, 2) + ".notes";
    std::ofstream(notes) << "mine";
    ASSERT_FALSE(kv::WriteSlot(folder, 2, SaveOf(1, 300), 0).Problem.has_value());
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
    ASSERT_FALSE(kv::WriteSlot(folder, 6, first, 0).Problem.has_value());
    ASSERT_FALSE(kv::WriteSlot(folder, 6, second, 0).Problem.has_value());
    {
        const FileSizeLimit full(4096);
        const std::optional<std::string> problem = kv::WriteSlot(folder, 6, SaveOf(1, 300), 0).Problem;
        ASSERT_TRUE(problem.has_value());
        EXPECT_NE(problem->find("cannot write slot6.sav: the file is larger than this disk allows"), std::string::npos)
            << *problem;
    }
    EXPECT_EQ(Bytes(kv::SlotPath(folder, 6)), second);
    EXPECT_EQ(Bytes(kv::BackupPath(folder, 6)), first);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 2) << "nothing left behind";
}

TEST_F(SaveSlotsTest, ThePlayersOwnFilesSurviveAndWhatKilledSavesLeftGoesAtStart)
{
    ASSERT_FALSE(kv::WriteSlot(folder, 1, SaveOf(1, 100), 0).Problem.has_value());
    const std::vector<std::string> players{"slot1.sav.2024v1", "slot1.sav.backup", "slot1.sav.before", "slot1.sav.old"};
    for (const std::string& name : players) std::ofstream(fs::path(folder) / name) << Bytes(kv::SlotPath(folder, 1));
    // What killed saves leave: a new file and the backup's link, of slots
    // that are never saved again.
    std::ofstream(fs::path(folder) / ".slot5.sav.Ab12Cd.kvspace-part") << "half";
    std::ofstream(fs::path(folder) / ".autosave.bak.link.kvspace-part") << "linked";
    EXPECT_TRUE(kv::IsGameTemporary(".slot5.sav.Ab12Cd.kvspace-part"));
    EXPECT_FALSE(kv::IsGameTemporary("slot1.sav.backup"));
    EXPECT_FALSE(kv::IsGameTemporary(".kvspace-part"));

    ASSERT_FALSE(kv::WriteSlot(folder, 1, SaveOf(1, 200), 0).Problem.has_value());
    std::vector<std::string> expected = players;
    expected.insert(expected.begin(), {"slot1.bak", "slot1.sav"});
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(folder), expected) << "a save removes leftovers of every slot, and only those";

    std::ofstream(fs::path(folder) / ".slot7.sav.Zz99zZ.kvspace-part") << "half";
    kv::SweepSavesFolder(folder);
    EXPECT_EQ(Names(folder), expected) << "so does the start of a game";
    kv::SweepSavesFolder((fs::path(folder) / "none").string());
    EXPECT_FALSE(fs::exists(fs::path(folder) / "none")) << "a start makes no folder";
}

// A backup that is already the save's second name (a save killed between
// keeping it and the rename) stays the same file, and no link is left over.
TEST_F(SaveSlotsTest, BackupsAreRealFilesAndASymlinkedSlotIsCopiedNeverLinked)
{
    const std::string old = SaveOf(1, 100);
    ASSERT_FALSE(kv::WriteSlot(folder, 2, old, 0).Problem.has_value());
    fs::create_hard_link(kv::SlotPath(folder, 2), kv::BackupPath(folder, 2));
    ASSERT_FALSE(kv::WriteSlot(folder, 2, SaveOf(1, 200), 0).Problem.has_value());
    EXPECT_EQ(Bytes(kv::BackupPath(folder, 2)), old);
    EXPECT_EQ(Names(folder), (std::vector<std::string>{"slot2.bak", "slot2.sav"}));

    // Slot 3 is the player's link to a save kept elsewhere.
    const fs::path elsewhere = fs::path(folder).parent_path() / "elsewhere.sav";
    std::ofstream(elsewhere, std::ios::binary) << old;
    fs::create_symlink(elsewhere, kv::SlotPath(folder, 3));
    ASSERT_FALSE(kv::WriteSlot(folder, 3, SaveOf(1, 300), 0).Problem.has_value());
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(kv::BackupPath(folder, 3)))) << "a copy, not a link";
    EXPECT_EQ(Bytes(kv::BackupPath(folder, 3)), old);
    EXPECT_EQ(Bytes(elsewhere), old) << "never written through the link";
    EXPECT_EQ(kv::ReadSlot(folder, 3).Save.Game->world.Pilot.Cash, 300);
    fs::remove(elsewhere);
    EXPECT_EQ(kv::ReadSlot(folder, 3).Save.Game->world.Pilot.Cash, 300) << "the slot no longer depends on it";
    EXPECT_EQ(Bytes(kv::BackupPath(folder, 3)), old);
}

// A slot the game cannot read is never saved over without a copy: it keeps
// a dated name of its own, and the good backup stays as it was.
TEST_F(SaveSlotsTest, AFileThatCannotBeReadKeepsANameOfItsOwn)
{
    std::string newer = SaveOf(2, 5);
    newer[8] = static_cast<char>(kv::SaveFormatVersion + 1);
    fs::create_directories(folder);
    std::ofstream(kv::SlotPath(folder, 4), std::ios::binary) << newer;
    const kv::SlotWrite first = kv::WriteSlot(folder, 4, SaveOf(1, 100), 0);
    ASSERT_FALSE(first.Problem.has_value()) << *first.Problem;
    EXPECT_FALSE(first.KeptBackup);
    ASSERT_EQ(first.KeptAside.rfind("slot4.newer-19700101-", 0), 0u) << first.KeptAside;
    EXPECT_EQ(Bytes(fs::path(folder) / first.KeptAside), newer);
    EXPECT_FALSE(fs::exists(kv::BackupPath(folder, 4)));

    ASSERT_FALSE(kv::WriteSlot(folder, 4, SaveOf(1, 200), 0).Problem.has_value());
    std::string damaged = Bytes(kv::SlotPath(folder, 4));
    damaged[damaged.size() / 2] ^= 1;
    std::ofstream(kv::SlotPath(folder, 4), std::ios::binary | std::ios::trunc) << damaged;
    const kv::SlotWrite second = kv::WriteSlot(folder, 4, SaveOf(1, 300), 0);
    EXPECT_EQ(second.KeptAside.rfind("slot4.unreadable-19700101-", 0), 0u) << second.KeptAside;
    EXPECT_EQ(Bytes(fs::path(folder) / second.KeptAside), damaged);
    EXPECT_EQ(kv::DecodeSave(Bytes(kv::BackupPath(folder, 4))).Game->world.Pilot.Cash, 100) << "the good backup stays";

    std::ofstream(kv::SlotPath(folder, 4), std::ios::binary | std::ios::trunc) << damaged;
    const kv::SlotWrite again = kv::WriteSlot(folder, 4, SaveOf(1, 400), 0);
    EXPECT_NE(again.KeptAside, second.KeptAside) << "the same second gives the next free name";
    EXPECT_EQ(Bytes(fs::path(folder) / again.KeptAside), damaged);

    if (::geteuid() != 0) {
        fs::permissions(kv::SlotPath(folder, 4), fs::perms::none);
        const kv::SlotWrite locked = kv::WriteSlot(folder, 4, SaveOf(1, 500), 0);
        EXPECT_NE(locked.KeptAside.find("unreadable"), std::string::npos) << "a file the player cannot read";
        EXPECT_EQ(kv::ReadSlot(folder, 4).Save.Game->world.Pilot.Cash, 500);
    }
}

// Saves that need the disk's flush to be free to be many: tmpfs where there
// is one.
std::string QuickFolder()
{
    const fs::path memory("/dev/shm");
    const fs::path base = fs::is_directory(memory) ? memory : fs::path(::testing::TempDir());
    return (base / ("kvspace_quick_" + std::to_string(::getpid())) / "saves").string();
}

class QuickSlotsTest : public SaveSlotsTest {
protected:
    void SetUp() override
    {
        folder = QuickFolder();
        fs::remove_all(fs::path(folder).parent_path());
        fs::create_directories(folder);
    }
};

// A child saving `saves` times, its exit code the number of failures.
pid_t StartSaving(const std::string& folder, int slot, const std::string& bytes, int saves)
{
    const pid_t child = ::fork();
    if (child != 0) return child;
    int failures = 0;
    for (int i = 0; i < saves || saves < 0; ++i) failures += kv::WriteSlot(folder, slot, bytes, 0).Problem ? 1 : 0;
    ::_exit(std::min(failures, 100));
}

TEST_F(QuickSlotsTest, TwoRunningGamesSaveOneSlotInTurn)
{
    const std::string first = SaveOf(1, 100);
    const std::string second = SaveOf(1, 200);
    const pid_t one = StartSaving(folder, 1, first, 100);
    const pid_t two = StartSaving(folder, 1, second, 100);
    ASSERT_GT(one, 0);
    ASSERT_GT(two, 0);
    for (const pid_t child : {one, two}) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "saves that failed";
    }
    EXPECT_EQ(Names(folder), (std::vector<std::string>{"slot1.bak", "slot1.sav"})) << "nothing left over";
    EXPECT_EQ(kv::ReadSlot(folder, 1).State, SaveState::Good);
    EXPECT_EQ(kv::DecodeSave(Bytes(kv::BackupPath(folder, 1))).State, SaveState::Good);
}

// A game killed at any point of a save: the slot loads, or its backup does,
// and the next start leaves nothing of the killed save behind.
TEST_F(QuickSlotsTest, AGameKilledMidSaveLosesNothing)
{
    const std::string first = SaveOf(1, 100);
    const std::string second = SaveOf(1, 200);
    ASSERT_FALSE(kv::WriteSlot(folder, 2, first, 0).Problem.has_value());
    std::mt19937 random(22);
    for (int kill = 0; kill < 100; ++kill) {
        const pid_t child = StartSaving(folder, 2, kill % 2 == 0 ? second : first, -1);
        ASSERT_GT(child, 0);
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 3000)(random));
        ::kill(child, SIGKILL);
        ASSERT_EQ(::waitpid(child, nullptr, 0), child);
        const kv::SlotRead read = kv::ReadSlot(folder, 2);
        ASSERT_EQ(read.Save.State, SaveState::Good) << "after kill " << kill;
        kv::SweepSavesFolder(folder);
        const std::vector<std::string> names = Names(folder);
        ASSERT_TRUE(names == (std::vector<std::string>{"slot2.bak", "slot2.sav"}) ||
                    names == std::vector<std::string>{"slot2.sav"})
            << "after kill " << kill << ": " << ::testing::PrintToString(names);
    }
}

}  // namespace
