// Where saves live, and reading and writing files that must not be lost
// where nothing can be written or read.
#include "platform/SafeFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

TEST(SafeFile, SavesLiveInTheXdgDataFolder)
{
    EXPECT_EQ(kv::SavesFolderPath("/data", "/home/p"), "/data/kvspace/saves");
    EXPECT_EQ(kv::SavesFolderPath(nullptr, "/home/p"), "/home/p/.local/share/kvspace/saves");
    EXPECT_EQ(kv::SavesFolderPath("", "/home/p"), "/home/p/.local/share/kvspace/saves");
    EXPECT_EQ(kv::SavesFolderPath("relative", "/home/p"), "/home/p/.local/share/kvspace/saves");
    EXPECT_EQ(kv::SavesFolderPath(nullptr, nullptr), "");
}

class SafeFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::path(::testing::TempDir()) / ("kvspace_safefile_" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    fs::path folder;
};

TEST_F(SafeFileTest, ReadsWholeFilesAndRefusesWhatIsNoneOrTooLarge)
{
    const std::string path = (folder / "a" / "b.sav").string();
    ASSERT_FALSE(kv::WriteFileAtomically(path, "first").has_value()) << "the folders are made";
    ASSERT_FALSE(kv::WriteFileAtomically(path, "second").has_value());
    EXPECT_EQ(kv::ReadWholeFile(path, 100).Bytes, "second");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "a"), fs::directory_iterator{}), 1)
        << "no temporary file stays behind";
    EXPECT_NE(kv::ReadWholeFile(path, 5).Problem, "") << "larger than allowed";
    EXPECT_TRUE(kv::ReadWholeFile(path, 5).Bytes.empty());
    const kv::FileRead missing = kv::ReadWholeFile((folder / "none").string(), 100);
    EXPECT_TRUE(missing.Missing);
    const kv::FileRead notAFile = kv::ReadWholeFile(folder.string(), 100);
    EXPECT_FALSE(notAFile.Missing);
    EXPECT_NE(notAFile.Problem, "");
}

TEST_F(SafeFileTest, AFolderThatCannotBeMadeOrWrittenGivesAReason)
{
    EXPECT_TRUE(kv::WriteFileAtomically("", "x").has_value()) << "no home folder";
    // A plain file where the folder should be fails for every user, root too.
    std::ofstream(folder / "saves") << "in the way";
    EXPECT_TRUE(kv::WriteFileAtomically((folder / "saves" / "slot1.sav").string(), "x").has_value());
    if (::geteuid() != 0) {
        fs::create_directories(folder / "readonly");
        fs::permissions(folder / "readonly", fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_TRUE(kv::WriteFileAtomically((folder / "readonly" / "slot1.sav").string(), "x").has_value());
        fs::permissions(folder / "readonly", fs::perms::owner_all);
    }
}

}  // namespace
