// The settings file: its round trip, every bad form of it, where it lives,
// and writing it where nothing can be written.
#include "platform/Settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

kv::Settings Chosen()
{
    kv::Settings s;
    s.Mode = kv::DisplayMode{800, 600, 32, 75, 0};
    s.SoundEnabled = true;
    s.Fullscreen = true;
    s.Scaling = kv::ScalingStyle::Smooth;
    s.WindowScale = 3;
    return s;
}

const std::string Good = kv::SettingsText(Chosen());

TEST(Settings, RoundTripAndWhatAReaderPassesOver)
{
    const kv::SettingsRead read = kv::ParseSettings(Good);
    EXPECT_EQ(read.Problem, "");
    EXPECT_EQ(read.Values, Chosen());
    EXPECT_EQ(kv::ParseSettings(kv::SettingsText(kv::Settings{})).Values, kv::Settings{});
    // Comments, blank lines, blanks around "=", line ends of another system
    // and keys of a later version are all fine.
    const std::string loose =
        "# mine\r\n\r\nmode=window\r\n  sound =0\r\nfullscreen= 1\r\nscaling = sharp\r\nwindow-scale = 2\r\nzoom = 9\r\n";
    const kv::SettingsRead other = kv::ParseSettings(loose);
    EXPECT_EQ(other.Problem, "");
    EXPECT_FALSE(other.Values.Mode.has_value());
    EXPECT_TRUE(other.Values.Fullscreen);
    EXPECT_EQ(other.Values.WindowScale, 2);
}

TEST(Settings, EveryBadFormGivesTheDefaultsAndSaysWhy)
{
    const std::string cases[] = {
        "",                                              // empty
        Good.substr(0, Good.size() - 1),                  // last line end lost
        Good.substr(0, Good.find("scaling")),            // cut after a whole line
        Good.substr(0, Good.find("sharp") + 2) + "\n",    // cut inside a value
        Good + "sound = 0\n",                            // a key twice
        "mode = window\nsound = yes\nfullscreen = 0\nscaling = sharp\nwindow-scale = 0\n",
        "mode = window\nsound = 1\nfullscreen = 0\nscaling = sharp\nwindow-scale = 99999999999\n",
        "mode = window\nsound = 1\nfullscreen = 0\nscaling = sharp\nwindow-scale = -1\n",
        "mode = 800x600\nsound = 1\nfullscreen = 0\nscaling = sharp\nwindow-scale = 0\n",
        "mode = 0x600 32 60\nsound = 1\nfullscreen = 0\nscaling = sharp\nwindow-scale = 0\n",
        "mode = 800x600 32 60 7\nsound = 1\nfullscreen = 0\nscaling = sharp\nwindow-scale = 0\n",
        "mode = window\nsound = 1\nfullscreen\nscaling = sharp\nwindow-scale = 0\n",
        std::string("mode = window\0sound = 1\n", 24),   // binary junk
        std::string(5000, '#') + "\n",                   // far too long
        "\xff\xfe\x00\x01garbage\n",
    };
    for (const std::string& text : cases) {
        const kv::SettingsRead read = kv::ParseSettings(text);
        EXPECT_EQ(read.Values, kv::Settings{}) << text;
        EXPECT_NE(read.Problem, "") << text;
    }
}

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::path(::testing::TempDir()) / ("kvspace_settings_" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override
    {
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(folder);
    }
    fs::path folder;
};

TEST_F(SettingsFile, WrittenWholeAndReadBackWithNothingLeftBeside)
{
    const std::string path = (folder / "kvspace" / "settings.ini").string();
    EXPECT_EQ(kv::LoadSettings(path).Problem, "") << "no file yet is the first start, said nowhere";
    ASSERT_FALSE(kv::SaveSettings(path, Chosen()).has_value());
    kv::Settings later = Chosen();
    later.WindowScale = 1;
    ASSERT_FALSE(kv::SaveSettings(path, later).has_value());
    const kv::SettingsRead read = kv::LoadSettings(path);
    EXPECT_EQ(read.Problem, "");
    EXPECT_EQ(read.Values, later);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "kvspace"), fs::directory_iterator{}), 1)
        << "no temporary file stays behind";
}

TEST_F(SettingsFile, UnreadableOrStrangeFilesGiveTheDefaults)
{
    const fs::path path = folder / "settings.ini";
    fs::create_directories(path);
    EXPECT_NE(kv::LoadSettings(path.string()).Problem, "") << "a folder in its place";
    fs::remove(path);
    std::ofstream(path) << std::string(100000, 'x');
    EXPECT_NE(kv::LoadSettings(path.string()).Problem, "") << "huge";
    if (::geteuid() != 0) {
        std::ofstream(path, std::ios::trunc) << Good;
        fs::permissions(path, fs::perms::none);
        const kv::SettingsRead read = kv::LoadSettings(path.string());
        EXPECT_NE(read.Problem, "");
        EXPECT_EQ(read.Values, kv::Settings{});
    }
}

TEST_F(SettingsFile, AFolderThatCannotBeWrittenKeepsNothingAndFailsNothing)
{
    EXPECT_TRUE(kv::SaveSettings("", Chosen()).has_value()) << "no home folder";
    // A plain file where the folder should be fails for every user, root too.
    std::ofstream(folder / "kvspace") << "in the way";
    const std::string blocked = (folder / "kvspace" / "settings.ini").string();
    EXPECT_TRUE(kv::SaveSettings(blocked, Chosen()).has_value());
    if (::geteuid() != 0) {
        fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_TRUE(kv::SaveSettings((folder / "settings.ini").string(), Chosen()).has_value());
    }
}

}  // namespace
