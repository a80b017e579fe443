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
    s.MusicVolume = 40;
    s.EffectsVolume = 0;
    s.MuteInBackground = false;
    s.Controls.Bind(kv::Action::Leave, 1, 'Q');
    s.Controls.BindPad(kv::Action::Fire, 1, kv::PadButton::Y);
    s.PadDeadZone = 40;
    return s;
}

const std::string Good = kv::SettingsText(Chosen());

TEST(Settings, RoundTripAndWhatAReaderPassesOver)
{
    const kv::SettingsRead read = kv::ParseSettings(Good);
    EXPECT_EQ(read.Problem, "");
    EXPECT_TRUE(read.KeyProblems.empty());
    EXPECT_EQ(read.Values, Chosen());
    EXPECT_EQ(kv::ParseSettings(kv::SettingsText(kv::Settings{})).Values, kv::Settings{});
    // Comments, blank lines, blanks around "=" and line ends of another
    // system are all fine.
    const std::string loose =
        "# mine\r\n\r\nmode=window\r\n  sound =0\r\nfullscreen= 1\r\nscaling = sharp\r\nwindow-scale = 2\r\n"
        "music-volume=100\r\neffects-volume = 5\r\nmute-in-background = 1\r\n" +
        Good.substr(Good.find("key."));
    const kv::SettingsRead other = kv::ParseSettings(loose);
    EXPECT_EQ(other.Problem, "");
    EXPECT_TRUE(other.KeyProblems.empty());
    EXPECT_FALSE(other.Values.Mode.has_value());
    EXPECT_TRUE(other.Values.Fullscreen);
    EXPECT_EQ(other.Values.WindowScale, 2);
}

TEST(Settings, KeysOfALaterVersionAreKeptWhenTheFileIsWrittenBack)
{
    const kv::SettingsRead read = kv::ParseSettings("zoom = 9\n" + Good + "wheel.fire =  button a\n");
    EXPECT_TRUE(read.KeyProblems.empty());
    EXPECT_EQ(read.Values.OtherLines, (std::vector<std::string>{"zoom = 9", "wheel.fire =  button a"}));
    kv::Settings changed = read.Values;
    changed.WindowScale = 1;
    const std::string written = kv::SettingsText(changed);
    EXPECT_NE(written.find("\nzoom = 9\n"), std::string::npos);
    EXPECT_NE(written.find("\nwheel.fire =  button a\n"), std::string::npos);
    EXPECT_EQ(kv::ParseSettings(written).Values, changed);
}

// Each key in turn missing, given a value the game never writes, or given
// twice: that key alone falls back (or keeps its first value), with one line
// that names it, and every other key keeps the file's value.
TEST(Settings, EachMissingOrDamagedKeyFallsBackAlone)
{
    const std::string keys[] = {"mode", "sound", "fullscreen", "scaling", "window-scale",
                                "music-volume", "effects-volume", "mute-in-background", "key.leave",
                                "pad.fire", "pad.dead-zone"};
    const std::string bad[] = {"800x600", "yes", "2", "round", "99999999999", "101", "-1", "on", "Esc, Q, W",
                               "A, Space", "95"};
    for (std::size_t k = 0; k < std::size(keys); ++k) {
        const std::size_t from = Good.find("\n" + keys[k] + " =") + 1;
        const std::size_t to = Good.find('\n', from) + 1;
        const std::string without = Good.substr(0, from) + Good.substr(to);
        const std::string damaged = Good.substr(0, from) + keys[k] + " = " + bad[k] + "\n" + Good.substr(to);
        for (const std::string& text : {without, damaged}) {
            const kv::SettingsRead read = kv::ParseSettings(text);
            EXPECT_EQ(read.Problem, "");
            ASSERT_EQ(read.KeyProblems.size(), 1u) << text;
            EXPECT_NE(read.KeyProblems[0].find('"' + keys[k] + '"'), std::string::npos) << read.KeyProblems[0];
            kv::Settings expected = Chosen();
            const kv::Settings defaults;
            if (k == 0) expected.Mode = defaults.Mode;
            if (k == 1) expected.SoundEnabled = defaults.SoundEnabled;
            if (k == 2) expected.Fullscreen = defaults.Fullscreen;
            if (k == 3) expected.Scaling = defaults.Scaling;
            if (k == 4) expected.WindowScale = defaults.WindowScale;
            if (k == 5) expected.MusicVolume = defaults.MusicVolume;
            if (k == 6) expected.EffectsVolume = defaults.EffectsVolume;
            if (k == 7) expected.MuteInBackground = defaults.MuteInBackground;
            if (k == 8) expected.Controls.Read(kv::Action::Leave, defaults.Controls.Text(kv::Action::Leave));
            if (k == 9) expected.Controls.ReadPad(kv::Action::Fire, defaults.Controls.PadText(kv::Action::Fire));
            if (k == 10) expected.PadDeadZone = defaults.PadDeadZone;
            EXPECT_EQ(read.Values, expected) << text;
        }
        const std::string line = Good.substr(from, to - from);
        const kv::SettingsRead twice = kv::ParseSettings(Good + keys[k] + " = " + bad[k] + "\n");
        EXPECT_EQ(twice.Values, Chosen()) << "the first one counts";
        EXPECT_EQ(twice.KeyProblems.size(), 1u) << line;
    }
}

TEST(Settings, DamagedLinesAreLeftOutAndTheRestIsRead)
{
    // The last line end lost: the cut line is left out, and with it its key.
    const kv::SettingsRead cut = kv::ParseSettings(Good.substr(0, Good.size() - 1));
    EXPECT_EQ(cut.Values.PadDeadZone, kv::Settings{}.PadDeadZone) << "the default of the last key";
    EXPECT_EQ(cut.Values.Controls.Text(kv::Action::Leave), "Esc, Q");
    EXPECT_EQ(cut.Values.WindowScale, 3);
    EXPECT_TRUE(cut.Values.Fullscreen);
    EXPECT_EQ(cut.KeyProblems.size(), 2u) << "the cut line, and its key missing";
    // Binary junk and a line without "=" cost only their own lines.
    const kv::SettingsRead junk = kv::ParseSettings("\x01\x02 = x\n" + Good + "fullscreen\n\xff\xfe\n");
    EXPECT_EQ(junk.Values, Chosen());
    EXPECT_EQ(junk.KeyProblems.size(), 3u);
    EXPECT_TRUE(junk.Values.OtherLines.empty()) << "junk is not kept for a later version";
    // An empty file or one far too long is refused whole.
    for (const std::string& text : {std::string(), std::string(kv::MostSettingsBytes, '#') + "\n"}) {
        const kv::SettingsRead read = kv::ParseSettings(text);
        EXPECT_EQ(read.Values, kv::Settings{});
        EXPECT_NE(read.Problem, "");
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
    const kv::SettingsRead first = kv::LoadSettings(path);
    EXPECT_EQ(first.Problem, "") << "no file yet is a first start, with nothing to say";
    EXPECT_EQ(first.Values, kv::Settings{});
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
