// Where saves and settings live, and reading and writing files that must not
// be lost where nothing can be written or read.
#include "platform/SafeFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/Settings.h"

namespace fs = std::filesystem;

namespace {

// Saves in the XDG data folder, settings in the XDG configuration folder,
// both by one rule: an unset, empty or relative variable falls back to the
// home folder, and without an absolute home there is no folder at all.
TEST(SafeFile, SavesAndSettingsLiveInTheXdgFolders)
{
    const struct {
        const char* variable;
        const char* home;
        const char* saves;
        const char* settings;
    } cases[] = {
        {"/xdg", "/home/p", "/xdg/kvspace/saves", "/xdg/kvspace/settings.ini"},
        {"/xdg", nullptr, "/xdg/kvspace/saves", "/xdg/kvspace/settings.ini"},
        {nullptr, "/home/p", "/home/p/.local/share/kvspace/saves", "/home/p/.config/kvspace/settings.ini"},
        {"", "/home/p", "/home/p/.local/share/kvspace/saves", "/home/p/.config/kvspace/settings.ini"},
        {"relative", "/home/p", "/home/p/.local/share/kvspace/saves", "/home/p/.config/kvspace/settings.ini"},
        {"relative", "home/p", "", ""},
        {nullptr, "", "", ""},
        {nullptr, nullptr, "", ""},
    };
    for (const auto& c : cases) {
        const std::string where = std::string(c.variable ? c.variable : "(unset)") + " " + (c.home ? c.home : "(unset)");
        EXPECT_EQ(kv::SavesFolderPath(c.variable, c.home), c.saves) << where;
        EXPECT_EQ(kv::SettingsPath(c.variable, c.home), c.settings) << where;
    }
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
