// Every loader takes a folder, a device, a pipe or an unreadable file where a
// data file should be as a missing file: refused by name or left silent,
// never read, never waited on.
#include "platform/DataFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <new>
#include <string>
#include <vector>

#include "platform/Audio.h"
#include "platform/BmpFile.h"
#include "platform/DataPath.h"
#include "platform/Ini.h"
#include "platform/LoadError.h"

namespace fs = std::filesystem;

namespace {

class NotAFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::path(::testing::TempDir()) / ("kvspace_not_a_file_" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "folder.bmp");
        ASSERT_EQ(mkfifo((dir_ / "pipe.bmp").c_str(), 0600), 0);
        std::ofstream(dir_ / "locked.bmp") << "BM";
        fs::permissions(dir_ / "locked.bmp", fs::perms::none);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // The folder, the pipe and a device; the locked file too where the
    // tests do not run with the power to read anything.
    std::vector<std::string> Strangers() const
    {
        std::vector<std::string> paths{(dir_ / "folder.bmp").string(), (dir_ / "pipe.bmp").string(), "/dev/zero"};
        if (geteuid() != 0) paths.push_back((dir_ / "locked.bmp").string());
        return paths;
    }

    fs::path dir_;
};

TEST_F(NotAFile, PicturesAndTextAreRefusedByName)
{
    for (const std::string& path : Strangers()) {
        kv::Bitmap b(2, 2);
        try {
            kv::LoadBmpFile(path, b);
            ADD_FAILURE() << "loaded " << path;
        } catch (const kv::LoadError& e) {
            EXPECT_EQ(e.Path(), path);
        }
        EXPECT_EQ(b.Width(), 2);
        EXPECT_THROW(kv::ReadTextLines(path), kv::LoadError) << path;
    }
    try {
        kv::ReadDataFile((dir_ / "folder.bmp").string(), "res\\folder.bmp", 100);
        FAIL() << "read a folder";
    } catch (const kv::LoadError& e) {
        EXPECT_EQ(e.Path(), "res\\folder.bmp");
        EXPECT_NE(std::string(e.what()).find("folder"), std::string::npos) << e.what();
    }
}

TEST_F(NotAFile, CataloguesReadAsEmpty)
{
    for (const std::string& path : Strangers()) {
        const kv::IniFile ini = kv::IniFile::Load(path);
        EXPECT_EQ(ini.ReadInteger("GENERAL", "ItemsCount", 7), 7) << path;
    }
}

// A folder where a music module should be once crashed the mixer, which read
// it as a file of absurd length.
TEST_F(NotAFile, SoundStaysSilent)
{
    kv::Audio audio;
    ASSERT_TRUE(audio.Open());
    for (const std::string& path : Strangers()) {
        EXPECT_FALSE(audio.LoadMusic(path)) << path;
        EXPECT_EQ(audio.Music(), kv::MusicState::None);
        EXPECT_EQ(audio.PlayEffect(path), -1) << path;
    }
    EXPECT_EQ(audio.LoadedEffects(), 0u);
}

TEST(DataFile, ReadsWholeFilesWithinTheirBound)
{
    const std::string path = ::testing::TempDir() + "kvspace_datafile_" + std::to_string(getpid()) + ".txt";
    std::ofstream(path, std::ios::binary) << "0123456789";
    EXPECT_EQ(kv::ReadDataFile(path, path, 10).size(), 10u);
    EXPECT_THROW(kv::ReadDataFile(path, path, 9), kv::LoadError);
    EXPECT_THROW(kv::ReadDataFile(path + ".missing", path, 10), kv::LoadError);
    fs::remove(path);
}

TEST(DataFile, MemoryRunningOutNamesTheFile)
{
    try {
        kv::NamingTheFileWhenMemoryRunsOut("res\\gfx\\models\\aster1.bmp", []() -> int { throw std::bad_alloc(); });
        FAIL() << "no error";
    } catch (const kv::LoadError& e) {
        EXPECT_EQ(e.Path(), "res\\gfx\\models\\aster1.bmp");
    }
    EXPECT_EQ(kv::NamingTheFileWhenMemoryRunsOut("any", [] { return 5; }), 5);
}

}  // namespace
