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
        fs::create_directories(root_ / "prefix" / "bin");
        fs::create_directories(root_ / "prefix" / "share" / "kvspace" / "res");
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
};

TEST_F(DataFolderTest, LooksInTheEnvironmentThenBesideTheGameThenInTheShareFolders)
{
    const fs::path bin = root_ / "prefix" / "bin";
    const auto folders = Folders((root_ / "copy").c_str(), bin);
    ASSERT_GE(folders.size(), 3u);
    EXPECT_EQ(folders[0], root_ / "copy");
    EXPECT_EQ(folders[1], bin);
    EXPECT_EQ(folders[2], root_ / "prefix" / "share" / "kvspace");
    EXPECT_EQ(kv::FirstWithGameData(kv::DataFolderCandidates(nullptr, bin)), root_ / "prefix" / "share" / "kvspace");
    EXPECT_EQ(kv::FirstWithGameData(kv::DataFolderCandidates((root_ / "copy").c_str(), bin)), root_ / "copy");
}

TEST_F(DataFolderTest, AnUnsetOrEmptyVariableAndRepeatedFoldersAreSkipped)
{
    const fs::path bin = root_ / "prefix" / "bin";
    EXPECT_EQ(Folders(nullptr, bin), Folders("", bin));
    EXPECT_EQ(Folders(nullptr, bin).front(), bin);
    const auto twice = Folders(bin.c_str(), bin);
    EXPECT_EQ(std::count(twice.begin(), twice.end(), bin), 1);
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
    const auto candidates = kv::DataFolderCandidates((root_ / "empty").c_str(), root_ / "prefix" / "bin");
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
