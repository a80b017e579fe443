// Where the game looks for its data folder, and what it tells the player
// when no folder holds the data.
#include "platform/DataFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/DataPath.h"

namespace fs = std::filesystem;

namespace {

class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = fs::path(::testing::TempDir()) / "datafolder";
        fs::remove_all(root_);
        fs::create_directories(bin_);
        fs::create_directories(root_ / "copy" / "RES" / "gfx");
        std::ofstream(root_ / "copy" / "RES" / "gfx" / "Copied.bmp") << "x";
        fs::create_directories(root_ / "empty");
    }
    void TearDown() override { kv::SetDataFolder({}); }

    std::vector<fs::path> Folders(const char* environment, const fs::path& executable) const
    {
        std::vector<fs::path> folders;
        for (const auto& c : kv::DataFolderCandidates(environment, executable)) folders.push_back(c.Folder);
        return folders;
    }

    fs::path root_;
    fs::path bin_ = fs::path(::testing::TempDir()) / "datafolder" / "prefix" / "games";
};

TEST_F(DataFolderTest, LooksInTheEnvironmentThenBesideTheGameThenInTheShareFolders)
{
    const auto folders = Folders((root_ / "copy").c_str(), bin_);
    ASSERT_GE(folders.size(), 3u);
    EXPECT_EQ(folders[0], root_ / "copy");
    EXPECT_EQ(folders[1], bin_);
    // The installed share folder, found relative to the executable.
    const fs::path installed = folders[2];
    EXPECT_EQ(installed.filename(), "kvspace");
    EXPECT_EQ(installed.lexically_relative(root_ / "prefix").begin()->string(), "share");
    fs::create_directories(installed / "res");
    EXPECT_EQ(kv::FirstWithGameData(kv::DataFolderCandidates(nullptr, bin_)), installed);
    EXPECT_EQ(kv::FirstWithGameData(kv::DataFolderCandidates((root_ / "copy").c_str(), bin_)), root_ / "copy");
}

TEST_F(DataFolderTest, AnUnsetOrEmptyVariableAndRepeatedFoldersAreSkipped)
{
    EXPECT_EQ(Folders(nullptr, bin_), Folders("", bin_));
    EXPECT_EQ(Folders(nullptr, bin_).front(), bin_);
    const auto twice = Folders(bin_.c_str(), bin_);
    EXPECT_EQ(std::count(twice.begin(), twice.end(), bin_), 1);
    // Without a known executable only the configured install folder is left.
    EXPECT_EQ(Folders(nullptr, {}).size(), 1u);
}

TEST_F(DataFolderTest, OnlyAFolderWithResHoldsTheData)
{
    EXPECT_TRUE(kv::HoldsGameData(root_ / "copy"));
    EXPECT_FALSE(kv::HoldsGameData(root_ / "empty"));
    EXPECT_FALSE(kv::HoldsGameData(root_ / "missing"));
    std::ofstream(root_ / "empty" / "res") << "a file, not a folder";
    EXPECT_FALSE(kv::HoldsGameData(root_ / "empty"));
    EXPECT_EQ(kv::FirstWithGameData(kv::DataFolderCandidates((root_ / "empty").c_str(), root_ / "empty")),
              kv::FirstWithGameData(kv::DataFolderCandidates(nullptr, {})));
}

TEST_F(DataFolderTest, TheMessageListsEveryFolderAndTellsHowToPlay)
{
    const auto candidates = kv::DataFolderCandidates((root_ / "empty").c_str(), bin_);
    const std::string text = kv::NoDataMessage(candidates);
    for (const auto& c : candidates) EXPECT_NE(text.find(c.Folder.string()), std::string::npos) << c.Folder;
    EXPECT_NE(text.find("scripts/play"), std::string::npos);
    EXPECT_NE(text.find("KVSPACE_DATA"), std::string::npos);
}

TEST_F(DataFolderTest, DataPathsResolveBelowTheChosenFolderWhateverTheWorkingDirectory)
{
    kv::SetDataFolder(root_ / "copy");
    EXPECT_EQ(kv::ResolveDataPath("res\\gfx\\copied.bmp"), (root_ / "copy" / "RES" / "gfx" / "Copied.bmp").string());
    EXPECT_TRUE(kv::DataFileExists("Res\\GFX\\COPIED.BMP"));
    kv::SetDataFolder({});
    EXPECT_FALSE(kv::DataFileExists("Res\\GFX\\COPIED.BMP"));
}

}  // namespace
