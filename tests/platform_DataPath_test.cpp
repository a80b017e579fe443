#include "platform/DataPath.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/LoadError.h"

namespace fs = std::filesystem;

namespace {

class DataPathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = fs::path(::testing::TempDir()) / "datapath";
        fs::remove_all(root_);
        fs::create_directories(root_ / "res" / "gfx" / "HUD");
        std::ofstream(root_ / "res" / "gfx" / "HUD" / "Top.bmp") << "x";
        std::ofstream(root_ / "res" / "outro.txt") << "#Heading\r\n\r\nword one \n";
        previous_ = fs::current_path();
        fs::current_path(root_);
    }
    void TearDown() override { fs::current_path(previous_); }

    fs::path root_;
    fs::path previous_;
};

TEST_F(DataPathTest, FindsFilesWrittenWithBackslashesInAnyCase)
{
    EXPECT_EQ(kv::ResolveDataPath("Res\\gfx\\hud\\top.bmp"), "res/gfx/HUD/Top.bmp");
    EXPECT_EQ(kv::ResolveDataPath("res\\GFX\\Hud\\TOP.BMP"), "res/gfx/HUD/Top.bmp");
    EXPECT_TRUE(kv::DataFileExists("RES\\gfx\\hud\\top.bmp"));
}

TEST_F(DataPathTest, MissingPartsStayAsWritten)
{
    EXPECT_EQ(kv::ResolveDataPath("Res\\gfx\\models\\ship.bmp"), "res/gfx/models/ship.bmp");
    EXPECT_FALSE(kv::DataFileExists("res\\gfx\\hud\\nothing.bmp"));
    EXPECT_FALSE(kv::DataFileExists("res\\gfx\\hud"));
}

TEST_F(DataPathTest, AbsolutePathsPassThrough)
{
    const std::string absolute = (root_ / "res" / "outro.txt").string();
    EXPECT_EQ(kv::ResolveDataPath(absolute), absolute);
}

TEST_F(DataPathTest, ReadsTextLinesWithoutLineEnds)
{
    const auto lines = kv::ReadTextLines("res\\OUTRO.TXT");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "#Heading");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "word one ");
}

TEST_F(DataPathTest, MissingTextFileNamesThePath)
{
    try {
        kv::ReadTextLines("res\\missing.txt");
        FAIL() << "no error";
    } catch (const kv::LoadError& e) {
        EXPECT_EQ(e.Path(), "res\\missing.txt");
        EXPECT_NE(std::string(e.what()).find("res\\missing.txt"), std::string::npos);
    }
}

}  // namespace
