// Whole roads through the game, played headless through the same handlers
// the window's events reach.
#include "shell/Scenario.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/Window.h"
#include "shell/UnitMain.h"
#include "support/Roads.h"

namespace fs = std::filesystem;

namespace {

constexpr kv::Rgb Band{99, 119, 56};

class ShellScenario : public ::testing::Test {
protected:
    void Play(const std::vector<std::string>& script) { runner.Run(script); }
    const kv::Bitmap& Shown() { return form.ShownFrame(); }

    kv::Window window;
    kv::TfrmMain form{window};
    kv::ScenarioRunner runner{form, ::testing::TempDir() + "kvspace_frames"};
};

TEST_F(ShellScenario, LauncherTitleIntroAndExit)
{
    form.FormCreate();
    EXPECT_EQ(form.game.CurrentScene, kv::SceneLauncher);
    EXPECT_EQ(Shown().Width(), 285);
    EXPECT_EQ(Shown().Height(), 100);
    EXPECT_EQ(form.LauncherControls().Items().front(), "     Window mode");

    Play({"shot launcher", "click 20 80", "click 234 56"});
    EXPECT_EQ(form.game.Sound.SoundEnabled, 1);
    EXPECT_EQ(form.game.CurrentScene, kv::SceneLauncher);
    Play({"tick"});
    ASSERT_EQ(form.game.CurrentScene, kv::SceneTitle);
    EXPECT_EQ(Shown().Width(), 800);
    EXPECT_EQ(Shown().Height(), 600);

    const unsigned effectsBefore = form.game.Sound.EffectRequests();
    Play({"move 150 470", "tick 30", "shot title_hover"});
    EXPECT_EQ(form.game.scene.HoveredItem, kv::title::StartGame);
    EXPECT_EQ(Shown().Pixel(100, 475), Band);
    EXPECT_EQ(Shown().Pixel(200, 430), Band);
    EXPECT_NE(Shown().Pixel(100, 400), Band);
    EXPECT_NE(Shown().Pixel(100, 500), Band);
    Play({"move 140 472", "tick"});
    EXPECT_EQ(form.game.Sound.EffectRequests(), effectsBefore + 1) << "one hover sound per band entered";

    Play({"click 150 400"});
    ASSERT_EQ(form.game.CurrentScene, kv::SceneOutro);
    EXPECT_EQ(form.game.ui.hud.CursorSprite.Tracking, 0);
    Play({"tick 400", "shot outro"});
    EXPECT_EQ(form.game.scene.OutroCounter, 400);

    Play({"key A"});
    EXPECT_EQ(form.game.CurrentScene, kv::SceneTitle);
    EXPECT_EQ(form.game.ui.hud.CursorSprite.Tracking, 1);
    Play({"tick", "move 150 520", "click 150 520"});
    EXPECT_TRUE(form.Terminated());
}

// Once the screen's top row has passed the sheet's last line of text, the
// crawl returns to the title by itself, the pointer shown again.
TEST_F(ShellScenario, TheCrawlReturnsToTheTitleWhenItsLastLineHasGone)
{
    form.FormCreate();
    Play({"click 234 56", "tick", "move 150 400", "tick", "click 150 400"});
    ASSERT_EQ(form.game.CurrentScene, kv::SceneOutro);
    const uint16_t end = form.game.scene.OutroEnd;
    ASSERT_GT(end, 1200);
    ASSERT_LT(end, 2100 + 1200) << "the sheet's text ends within its 2100 rows";
    Play({"tick " + std::to_string(end - 1)});
    EXPECT_EQ(form.game.CurrentScene, kv::SceneOutro);
    Play({"tick"});
    EXPECT_EQ(form.game.CurrentScene, kv::SceneTitle);
    EXPECT_EQ(form.game.ui.hud.CursorSprite.Tracking, 1);
}

TEST_F(ShellScenario, StartGameShowsTheSpaceBackground)
{
    form.FormCreate();
    Play({"click 234 56", "tick", "move 150 450", "tick", "click 150 450", "shot space"});
    EXPECT_EQ(form.game.CurrentScene, kv::SceneSpace);
    EXPECT_EQ(form.game.scene.SpaceBackground.Width(), 800);
    // Left of the market and star map, where the panels are still sliding in.
    EXPECT_EQ(Shown().Pixel(100, 300), form.game.scene.SpaceBackground.Pixel(100, 300));
}

// "Exit" asks for the title from inside the click's handler; the scene
// changes once the click is handled, and a request made outside any event
// waits for the next one.
TEST_F(ShellScenario, AskedForScenesSwitchOnceTheEventIsOver)
{
    form.FormCreate();
    Play(kv::testing::ToSpace);
    ASSERT_EQ(form.game.CurrentScene, kv::SceneSpace);
    form.game.SwitchScene(kv::SceneTitle);
    EXPECT_EQ(form.game.CurrentScene, kv::SceneSpace);
    Play({"move 400 300"});
    EXPECT_EQ(form.game.CurrentScene, kv::SceneTitle);

    Play(kv::testing::ToSpace);
    const kv::kvButton& exit = form.game.ui.hud.ExitButton;
    const kv::kvWindow& bar = form.game.ui.hud.TopBar;
    Play({"click " + std::to_string(bar.Left + exit.Left + 5) + " " + std::to_string(bar.Top + exit.Top + 5)});
    EXPECT_EQ(form.game.CurrentScene, kv::SceneTitle);
}

TEST_F(ShellScenario, TitleIgnoresRightClicksAndDividingLines)
{
    form.FormCreate();
    Play({"click 234 56", "tick", "move 150 450", "tick"});
    Play({"press 150 450 right"});
    EXPECT_EQ(form.game.CurrentScene, kv::SceneTitle);
    EXPECT_EQ(form.game.MouseButtons, 0);
    Play({"release 150 450 right", "move 150 417", "click 150 417", "tick"});
    EXPECT_EQ(form.game.CurrentScene, kv::SceneTitle);
    EXPECT_FALSE(form.Terminated());
}

// A drag that leaves the window, a click in a letterbox bar, a position at
// either end of the 32-bit range: every scene takes them and plays on.
TEST_F(ShellScenario, PointerAnywhereIsHarmlessInEveryScene)
{
    const std::vector<std::string> extremes{
        "move -16 300",  "move 801 300",  "move 300 -16", "move 300 601", "move -2147483648 -2147483648",
        "move 2147483647 2147483647", "move -2147483648 300", "move 2147483647 -2147483648",
        "click -16 300", "click 801 300", "click 2147483647 2147483647", "click -2147483648 -2147483648",
        "press 400 300 right", "move -2147483648 -2147483648", "move 2147483647 2147483647",
        "release 2147483647 2147483647 right", "wheel -2147483648", "wheel 2147483647", "tick 3"};
    form.FormCreate();
    Play(extremes);
    EXPECT_EQ(form.game.CurrentScene, kv::SceneLauncher);
    Play(kv::testing::ToSpace);
    ASSERT_EQ(form.game.CurrentScene, kv::SceneSpace);
    ASSERT_EQ(form.game.ui.hud.StarMap.Visible, 1) << "the right-button drag turns the star map";
    Play(extremes);
    Play({"scene 2", "tick"});
    ASSERT_EQ(form.game.CurrentScene, kv::SceneCombat);
    Play(extremes);
    Play({"scene 0", "tick"});
    Play(extremes);
    EXPECT_EQ(form.game.CurrentScene, kv::SceneTitle);
    Play({"tick 40", "move 100 300", "tick"});
    EXPECT_EQ(form.game.scene.HoveredItem, kv::title::None);
    Play({"scene 3"});
    Play(extremes);
    EXPECT_EQ(form.game.CurrentScene, kv::SceneTitle) << "a click leaves the outro";
    EXPECT_FALSE(form.Terminated());
}

TEST_F(ShellScenario, BadScriptLinesAreNamed)
{
    form.FormCreate();
    EXPECT_THROW(runner.RunLine("jump 3"), std::invalid_argument);
    EXPECT_THROW(runner.RunLine("key NoSuchKey"), std::invalid_argument);
    EXPECT_THROW(runner.RunLine("click 3"), std::invalid_argument);
    EXPECT_NO_THROW(runner.RunLine("# a comment"));
    for (const char* bad : {"pad Z", "pad", "stick middle 0 0", "stick left 101 0", "stick left 5", "plug away"})
        EXPECT_THROW(runner.RunLine(bad), std::invalid_argument) << bad;
}

// A script plays a gamepad as it plays the keys: the stick moves the
// pointer, A clicks, and a pad pulled out in a battle pauses it.
TEST_F(ShellScenario, AScriptedPadMovesClicksAndPauses)
{
    form.FormCreate();
    Play(kv::testing::ToSpace);
    Play({"move 100 100", "plug in", "stick left 100 0", "tick 10", "stick left 0 0", "tick"});
    EXPECT_GT(form.game.scene.LastMouse.X, 100);
    EXPECT_EQ(form.game.scene.LastMouse.Y, 100);
    Play({"move 230 15", "pad A", "tick 2"});
    EXPECT_EQ(form.game.CurrentScene, kv::SceneTitle) << "A clicked the top bar's \"Exit\"";
    Play({"move 150 450", "tick", "pad A", "tick 45", "scene 2", "tick", "plug out", "tick"});
    ASSERT_EQ(form.game.CurrentScene, kv::SceneCombat);
    EXPECT_TRUE(form.Pause().Active());
    Play({"pad Start", "padhold RT", "focus off", "focus on"});
    EXPECT_FALSE(form.game.Pads.IsDown(kv::PadButton::RightTrigger)) << "let go while the window had no focus";
    Play({"padhold B", "tick"});
    EXPECT_EQ(form.game.CurrentScene, kv::SceneSpace) << "Start went on, B held left";
}

// A game folder of its own, with some data files taken away.
class DamagedGameFolder : public ShellScenario {
protected:
    void SetUp() override
    {
        folder_ = fs::path(::testing::TempDir()) / ("kvspace_damaged_" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        fs::copy(fs::path(KV_GAME_DIR) / "res", folder_ / "res", fs::copy_options::recursive);
        fs::copy(fs::path(KV_GAME_DIR) / "Objects", folder_ / "Objects", fs::copy_options::recursive);
        previous_ = fs::current_path();
        fs::current_path(folder_);
    }
    void TearDown() override
    {
        fs::current_path(previous_);
        fs::remove_all(folder_);
    }
    void Remove(const std::string& relative) { fs::remove(folder_ / relative); }
    void Empty(const std::string& relative) { std::ofstream(folder_ / relative, std::ios::trunc); }

    // Into space, through a battle left with Esc, and out by the top bar's
    // "Exit"; the messages shown on the way are returned.
    std::string PlayABattleAndLeave()
    {
        ::testing::internal::CaptureStderr();
        form.FormCreate();
        Play(kv::testing::ToSpace);
        EXPECT_EQ(form.game.CurrentScene, kv::SceneSpace);
        EXPECT_EQ(form.game.ui.hud.TopBar.Top, 0) << "the top bar has slid in";
        EXPECT_EQ(form.game.ui.hud.PlayerWindow.Left, 0) << "the player window has slid in";
        EXPECT_EQ(Shown().Pixel(210, 300), kv::Black) << "a plain backdrop between the panels";
        Play({"scene 2", "tick 5", "hold Esc", "tick 2", "let Esc"});
        EXPECT_EQ(form.game.CurrentScene, kv::SceneSpace);
        Play({"tick 45"});
        EXPECT_EQ(form.game.ui.hud.TopBar.Visible, 1);
        EXPECT_EQ(form.game.ui.hud.TopBar.Top, 0);
        Play({"click 238 17"});
        EXPECT_EQ(form.game.CurrentScene, kv::SceneTitle) << "the top bar's Exit leads to the title";
        return ::testing::internal::GetCapturedStderr();
    }

    fs::path folder_;
    fs::path previous_;
};

int Occurrences(const std::string& text, const std::string& part)
{
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST_F(DamagedGameFolder, MissingSpaceBackdropLeavesAPlainScene)
{
    Remove("res/gfx/backgrounds/planet3.bmp");
    EXPECT_EQ(Occurrences(PlayABattleAndLeave(), "planet3.bmp"), 1) << "the message once";
}

TEST_F(DamagedGameFolder, EmptySpaceBackdropLeavesAPlainScene)
{
    Empty("res/gfx/backgrounds/planet3.bmp");
    EXPECT_EQ(Occurrences(PlayABattleAndLeave(), "planet3.bmp"), 1) << "the message once";
}

TEST_F(DamagedGameFolder, MissingTitlePictureKeepsTheLauncherRunning)
{
    Remove("res/gfx/Loadscreen.bmp");
    form.FormCreate();
    Play({"click 234 56", "tick 3"});
    EXPECT_EQ(form.game.CurrentScene, kv::SceneLauncher);
    EXPECT_FALSE(form.Terminated());
}

TEST_F(DamagedGameFolder, MissingLauncherPictureStillOffersTheModes)
{
    Remove("res/gfx/loader.bmp");
    form.FormCreate();
    EXPECT_EQ(form.game.CurrentScene, kv::SceneLauncher);
    EXPECT_FALSE(form.LauncherControls().Items().empty());
    Play({"click 234 56", "tick"});
    EXPECT_EQ(form.game.CurrentScene, kv::SceneTitle);
}

TEST_F(DamagedGameFolder, MissingOutroTextAndMusicLeaveASilentCrawl)
{
    Remove("res/outro.txt");
    Remove("res/sfx/sndtr/intro.mod");
    form.FormCreate();
    Play({"click 20 80", "click 234 56", "tick", "move 150 400", "tick", "click 150 400", "tick 5"});
    EXPECT_EQ(form.game.CurrentScene, kv::SceneOutro);
    Play({"key A", "tick"});
    EXPECT_EQ(form.game.CurrentScene, kv::SceneTitle);
}

// Every data file taken away in turn, or put in the way as a folder: the
// game goes the whole road (launcher, title, space, a battle with shots,
// the outro) without ending, names the file in every message it shows,
// shows no message over and over, and then obeys the window's close.
class EachDataFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Of this run alone: other runs of the tests may share the folder.
        base_ = fs::path(::testing::TempDir()) / ("kvspace_each_file_" + std::to_string(getpid()));
        fs::remove_all(base_);
        fs::create_directories(base_);
        for (const char* part : {"res", "Objects"})
            fs::copy(fs::path(KV_GAME_DIR) / part, base_ / part, fs::copy_options::recursive);
        for (const auto& entry : fs::recursive_directory_iterator(base_))
            if (entry.is_regular_file()) files_.push_back(fs::relative(entry.path(), base_));
        std::sort(files_.begin(), files_.end());
        previous_ = fs::current_path();
        fs::current_path(base_);
    }
    void TearDown() override
    {
        fs::current_path(previous_);
        fs::remove_all(base_);
    }

    // The messages of one run of the road.
    static std::string PlayTheRoad()
    {
        ::testing::internal::CaptureStderr();
        {
            kv::Window window;
            kv::TfrmMain form(window);
            form.FormCreate();
            kv::ScenarioRunner runner(form, ::testing::TempDir() + "kvspace_each_file_frames");
            runner.Run({"click 20 80", "click 234 56", "tick", "move 150 450", "tick", "click 150 450", "tick 45",
                        "key F5", "key F4", "key F2", "tick 3", "key Grave", "type combat", "key Enter", "tick 3", "hold Space", "hold Up",
                        "tick 60", "let Space", "let Up", "hold Esc", "tick 2", "let Esc", "tick 45", "click 238 17",
                        "move 150 400", "tick", "click 150 400", "tick 3", "key A", "tick"});
            form.Dispatch(kv::QuitEvent{});
            EXPECT_TRUE(form.Terminated());
        }
        return ::testing::internal::GetCapturedStderr();
    }

    static void ExpectMessagesName(const std::string& messages, const fs::path& file)
    {
        std::istringstream lines(messages);
        int shown = 0;
        for (std::string line; std::getline(lines, line);) {
            if (line.empty()) continue;
            ++shown;
            std::string named = line;
            std::replace(named.begin(), named.end(), '\\', '/');
            const auto lower = [](std::string t) {
                std::transform(t.begin(), t.end(), t.begin(), [](unsigned char c) { return std::tolower(c); });
                return t;
            };
            EXPECT_NE(lower(named).find(lower(file.generic_string())), std::string::npos) << line;
        }
        EXPECT_LE(shown, 3) << file << ":\n" << messages;
    }

    fs::path base_;
    fs::path previous_;
    std::vector<fs::path> files_;
};

// The files are taken away in parts, each a test of its own, so that the
// test runner's shards share the many roads out among the processors.
constexpr int MissingFileParts = 8;

class EachDataFileMissing : public EachDataFile, public ::testing::WithParamInterface<int> {};

TEST_P(EachDataFileMissing, InTurn)
{
    ASSERT_GT(files_.size(), 60u);
    for (std::size_t i = static_cast<std::size_t>(GetParam()); i < files_.size(); i += MissingFileParts) {
        const fs::path& file = files_[i];
        const fs::path kept = base_ / "kept";
        fs::rename(base_ / file, kept);
        ExpectMessagesName(PlayTheRoad(), file);
        fs::rename(kept, base_ / file);
    }
}

INSTANTIATE_TEST_SUITE_P(Parts, EachDataFileMissing, ::testing::Range(0, MissingFileParts));

// A picture of a few bytes that claims a huge size (run-length coded, so the
// file need not hold the pixels): `width` x `height`, 8 bits, two colours.
void WriteClaimingPicture(const fs::path& path, uint32_t width, uint32_t height)
{
    std::vector<uint8_t> b(14 + 40 + 8, 0);
    const auto put32 = [&b](std::size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(10, 14 + 40 + 8);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    b[26] = 1;
    b[28] = 8;
    put32(30, 1);  // run-length coded, 8 bits
    put32(46, 2);
    b.insert(b.end(), {0, 0, 0, 1});  // end of line, end of picture
    put32(2, static_cast<uint32_t>(b.size()));
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

// A rock of a few bytes claiming 8192 x 8192 pixels once made the battle ask
// for a 25.8 GB rotation strip and end the game; a rock of 300 x 300 is
// within the pictures' ceiling but would still make a strip of 34 MB.
TEST_F(EachDataFile, PicturesClaimingHugeSizes)
{
    for (const char* name : {"res/gfx/models/aster1.bmp", "res/gfx/models/explosion1.bmp", "res/gfx/models/bullet.bmp",
                             "res/gfx/hud/logo.bmp", "res/gfx/hud/cursor.bmp", "res/gfx/Loadscreen.bmp"}) {
        const fs::path file = name;
        const fs::path kept = base_ / "kept";
        fs::rename(base_ / file, kept);
        WriteClaimingPicture(base_ / file, 8192, 8192);
        ExpectMessagesName(PlayTheRoad(), file);
        WriteClaimingPicture(base_ / file, 4096, 4096);
        ExpectMessagesName(PlayTheRoad(), file);
        fs::remove(base_ / file);
        fs::rename(kept, base_ / file);
    }
    WriteClaimingPicture(base_ / "res/gfx/models/aster2.bmp", 300, 300);
    WriteClaimingPicture(base_ / "res/gfx/models/aster1.bmp", 300, 300);
    const std::string messages = PlayTheRoad();
    EXPECT_NE(messages.find("aster"), std::string::npos) << "the rocks are refused by name";
    EXPECT_NE(messages.find("256 x 256"), std::string::npos) << messages;
}

// A folder where a file should be once crashed the mixer (a music module)
// and could stall any reader; one file of each kind stands for the rest.
TEST_F(EachDataFile, AFolderInItsPlace)
{
    for (const char* name : {"res/sfx/sndtr/track1.mod", "res/sfx/sndtr/load.mod", "res/sfx/hud/btn_click.wav",
                             "res/gfx/backgrounds/planet3.bmp", "res/gfx/hud/top.bmp", "res/outro.txt",
                             "Objects/Spacecraft/ships.ini"}) {
        const fs::path file = name;
        const fs::path kept = base_ / "kept";
        fs::rename(base_ / file, kept);
        fs::create_directory(base_ / file);
        ExpectMessagesName(PlayTheRoad(), file);
        fs::remove(base_ / file);
        fs::rename(kept, base_ / file);
    }
}

}  // namespace
