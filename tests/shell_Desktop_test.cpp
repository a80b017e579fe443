// The game on the desktop: pausing freezes every moving scene, the keys of
// the window itself, the first window size, and the settings remembered
// from one run to the next.
#include "shell/Desktop.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "hud/OptionsWindow.h"
#include "platform/Window.h"
#include "shell/MessageLoop.h"
#include "shell/Pause.h"
#include "shell/Scenario.h"
#include "shell/UnitMain.h"
#include "support/Battles.h"
#include "support/Pictures.h"
#include "support/Roads.h"

namespace fs = std::filesystem;

namespace {

class Desktop : public ::testing::Test {
protected:
    void Play(const std::vector<std::string>& script) { runner.Run(script); }
    const kv::Bitmap& Shown() { return form.ShownFrame(); }
    // The frame shown now, 100 paused ticks later and after the game was
    // clicked, keyed and wheeled at while paused, must be the same picture.
    void ExpectFrozenFor100Ticks()
    {
        ASSERT_TRUE(form.Pause().Active());
        const kv::Bitmap before = Shown();
        Play({"tick 50", "move 500 300", "click 500 300", "key Space", "key F2", "wheel 120", "tick 50"});
        EXPECT_TRUE(kv::testing::SamePicture(Shown(), before));
    }

    kv::Window window;
    kv::TfrmMain form{window};
    kv::ScenarioRunner runner{form, ::testing::TempDir() + "kvspace_desktop"};
};

TEST_F(Desktop, PauseFreezesTheTitleCrawlSlidesAndBattle)
{
    form.FormCreate();
    Play({"click 234 56", "tick", "move 300 200", "tick 3", "key Pause"});
    const uint16_t phase = form.game.scene.LogoPhase;
    ExpectFrozenFor100Ticks();
    EXPECT_EQ(form.game.scene.LogoPhase, phase);
    Play({"key Pause", "tick"});
    EXPECT_NE(form.game.scene.LogoPhase, phase) << "running again";

    Play({"move 150 400", "tick", "click 150 400", "tick 30", "key Pause", "shot outro_paused"});
    ASSERT_EQ(form.game.CurrentScene, kv::SceneOutro);
    ExpectFrozenFor100Ticks();
    EXPECT_EQ(form.game.scene.OutroCounter, 30);
    EXPECT_EQ(form.game.CurrentScene, kv::SceneOutro) << "Pause and keys pressed while paused leave the crawl be";
    Play({"key Pause", "key Esc", "move 150 450", "tick", "click 150 450", "tick 5", "key Pause",
          "shot space_paused"});
    ASSERT_EQ(form.game.CurrentScene, kv::SceneSpace);
    const int32_t sliding = form.game.ui.hud.PlayerWindow.Left;
    ExpectFrozenFor100Ticks();
    EXPECT_EQ(form.game.ui.hud.PlayerWindow.Left, sliding);
    EXPECT_LT(sliding, 0) << "paused while the panels were sliding in";

    Play({"key Pause"});
    kv::testing::FitPlayerShip(form.game);
    Play({"scene 2", "tick 3", "key Pause", "shot battle_paused"});
    ASSERT_EQ(form.game.CurrentScene, kv::SceneCombat);
    const double x = form.game.battle.CombatObjects[2]->X;
    ExpectFrozenFor100Ticks();
    EXPECT_EQ(form.game.battle.CombatObjects[2]->X, x);
    // Uncovering the window shows the picture again without a battle step.
    Play({"key Pause"});
    const double moving = form.game.battle.CombatObjects[2]->X;
    form.Dispatch(kv::ExposeEvent{});
    EXPECT_EQ(form.game.battle.CombatObjects[2]->X, moving);
}

TEST_F(Desktop, ThePausedMarkKeepsOffTheTopBarsButtons)
{
    form.FormCreate();
    Play(kv::testing::ToSpace);
    const kv::Bitmap running = Shown();
    Play({"key Pause"});
    const kv::MarkBox box = kv::PausedMarkBox(kv::SceneSpace);
    int marked = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const bool inBox = x >= box.Left && x < box.Left + box.Width && y >= box.Top && y < box.Top + box.Height;
            if (Shown().Pixel(x, y) == running.Pixel(x, y)) continue;
            ASSERT_TRUE(inBox) << x << ", " << y;
            marked += Shown().Pixel(x, y) == kv::HudTextColour ? 1 : 0;
        }
    EXPECT_GT(marked, 100) << "the word and its frame in HUD green";
    const kv::Hud& h = form.game.ui.hud;
    for (const kv::kvButton* button : {&h.SaveButton, &h.MapButton, &h.ExitButton})
        EXPECT_TRUE(button->Left + button->Width <= box.Left || button->Left >= box.Left + box.Width);
    Play({"key Pause"});
    EXPECT_TRUE(kv::testing::SamePicture(Shown(), running)) << "the mark goes with the pause";
}

// The options window opens over the title scene too, and from the "Paused"
// mark: a click on the mark or F6 goes on with the game and opens it, where
// the player paused it; a pause the desktop holds (focus lost) stays.
TEST_F(Desktop, TheOptionsWindowOpensOverTheTitleAndFromThePausedMark)
{
    form.FormCreate();
    const kv::kvWindow& options = form.game.ui.hud.OptionsWindow;
    Play({"click 234 56", "tick", "move 700 100", "tick"});
    ASSERT_EQ(form.game.CurrentScene, kv::SceneTitle);
    const kv::Bitmap title = Shown();
    Play({"key F6", "tick 20"});
    ASSERT_EQ(options.Visible, 1);
    EXPECT_FALSE(kv::testing::SamePicture(Shown(), title));
    Play({"click 465 155", "tick"});
    EXPECT_EQ(form.game.ui.Options.MusicVolume, 90) << "clicked in the title scene";
    Play({"key Esc", "tick 20"});
    EXPECT_EQ(options.Visible, 0) << "back up and hidden";

    const kv::MarkBox mark = kv::PausedMarkBox(kv::SceneTitle);
    const std::string onMark = std::to_string(mark.Left + 5) + " " + std::to_string(mark.Top + 5);
    Play({"key Pause", "click 100 100", "tick"});
    EXPECT_TRUE(form.Pause().Active()) << "a click beside the mark does nothing";
    Play({"click " + onMark, "tick"});
    EXPECT_FALSE(form.Pause().Active());
    EXPECT_EQ(options.Visible, 1);
    Play({"key F6", "focus off", "click " + onMark, "key F6"});
    EXPECT_TRUE(form.Pause().Active()) << "lost focus holds the pause";
    EXPECT_FALSE(kv::OptionsWindowShown(form.game));

    Play({"focus on", "move 150 450", "tick", "click 150 450", "tick 5", "key Pause", "key F6", "tick 20"});
    ASSERT_EQ(form.game.CurrentScene, kv::SceneSpace);
    EXPECT_FALSE(form.Pause().Active());
    EXPECT_EQ(options.Visible, 1) << "F6 on the paused space scene";
    Play({"key F6"});
    kv::testing::FitPlayerShip(form.game);
    Play({"scene 2", "tick", "key Pause", "key F6", "tick 20"});
    EXPECT_TRUE(form.Pause().Active()) << "a battle has no options window";
}

// A hang-up or a quit from the terminal ends the running game's loop as the
// window's close does, so the program goes on to give the desktop its mode
// back; in the middle of a battle, and while paused.
TEST_F(Desktop, HangUpAndQuitSignalsEndTheLoop)
{
    form.FormCreate();
    Play(kv::testing::ToSpace);
    Play({"scene 2", "tick 5"});
    std::raise(SIGHUP);
    kv::RunMessageLoop(form);
    EXPECT_TRUE(form.Terminated());

    kv::Window other;
    kv::TfrmMain paused(other);
    paused.FormCreate();
    kv::ScenarioRunner{paused, ""}.Run({"click 234 56", "tick", "key Pause"});
    ASSERT_TRUE(paused.Pause().Active());
    std::raise(SIGQUIT);
    kv::RunMessageLoop(paused);
    EXPECT_TRUE(paused.Terminated());
    paused.FormDestroy();
}

TEST_F(Desktop, FocusAndMinimisePauseUntilTheirOwnEnd)
{
    form.FormCreate();
    Play({"focus off"});
    EXPECT_FALSE(form.Pause().Active()) << "the launcher has nothing to hold";
    Play({"focus on", "click 234 56", "tick", "focus off"});
    EXPECT_TRUE(form.Pause().Active());
    EXPECT_TRUE(form.game.Sound.Device().Held());
    Play({"focus on"});
    EXPECT_FALSE(form.Pause().Active());
    EXPECT_FALSE(form.game.Sound.Device().Held());

    // The player's own pause outlasts a trip to another window.
    Play({"key Pause", "focus off", "focus on"});
    EXPECT_TRUE(form.Pause().Active());
    Play({"key Pause", "minimise on", "focus off"});
    EXPECT_TRUE(form.Pause().Active());
    Play({"minimise off", "focus on"});
    EXPECT_FALSE(form.Pause().Active());

    // Keys held when the focus went are let go: their release went elsewhere.
    Play({"hold Up", "focus off", "focus on"});
    EXPECT_FALSE(form.game.Keys.IsDown(kv::vk::Up));
}

TEST_F(Desktop, EveryKeyButPauseEndsTheCrawl)
{
    form.FormCreate();
    Play({"click 234 56", "tick", "move 150 400", "tick"});
    for (const char* key : {"CapsLock", "96", "107", "255"}) {
        Play({"click 150 400", "tick 3"});
        ASSERT_EQ(form.game.CurrentScene, kv::SceneOutro);
        Play({std::string("key ") + key});
        EXPECT_EQ(form.game.CurrentScene, kv::SceneTitle) << key;
        Play({"move 150 400", "tick"});
    }
}

TEST_F(Desktop, EscHidesAFocusedPanelButNeverTheTopBar)
{
    form.FormCreate();
    Play(kv::testing::ToSpace);
    kv::Hud& h = form.game.ui.hud;
    Play({"click 720 12", "key Esc", "tick"});
    EXPECT_EQ(h.FocusedItem, &h.TopBar);
    EXPECT_EQ(h.TopBar.Visible, 1);
    Play({"click 100 300", "key Esc", "tick"});
    EXPECT_EQ(h.FocusedItem, &h.PlayerWindow);
    EXPECT_EQ(h.PlayerWindow.Visible, 0);
}

TEST(FirstWindowSize, LargestWholeMultipleInNinetyPercentOfTheDesktop)
{
    EXPECT_EQ(kv::FirstWindowScale({1920, 1050}), 1);
    EXPECT_EQ(kv::FirstWindowScale({3840, 2112}), 3);
    EXPECT_EQ(kv::FirstWindowScale({2560, 1400}), 2) << "2x: 1600 x 1200 within 2304 x 1260";
    EXPECT_EQ(kv::FirstWindowScale({1366, 740}), 1) << "never below 1";
}

// How many of the console's messages hold `text`.
int Said(const kv::Game& game, const std::string& text)
{
    int said = 0;
    for (uint16_t i = 1; i <= game.ui.Console.Count; ++i) said += game.ui.Console.Entries[i].Text.find(text) != std::string::npos;
    return said;
}

class RememberedSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::path(::testing::TempDir()) / ("kvspace_remembered_" + std::to_string(::getpid()));
        fs::remove_all(folder);
        path = (folder / "kvspace" / "settings.ini").string();
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string Text() const
    {
        std::ifstream file(path);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    fs::path folder;
    std::string path;
    kv::Window window;
};

TEST_F(RememberedSettings, TheNextRunOpensWithThisRunsChoices)
{
    {
        kv::TfrmMain form(window, path);
        form.FormCreate();
        EXPECT_FALSE(form.LauncherControls().SoundChecked()) << "the first run starts silent";
        kv::ScenarioRunner runner(form, ::testing::TempDir());
        runner.Run({"click 20 80", "click 234 56", "tick"});
        EXPECT_NE(Text().find("sound = 1"), std::string::npos);
        runner.Run({"key F10", "key Enter alt", "key Equals ctrl"});
        EXPECT_EQ(window.Scaling(), kv::ScalingStyle::Smooth);
        EXPECT_TRUE(window.DesktopFullscreen());
        EXPECT_NE(Text().find("scaling = smooth"), std::string::npos);
        EXPECT_NE(Text().find("fullscreen = 1"), std::string::npos);
        runner.Run({"key F11"});
        EXPECT_FALSE(window.DesktopFullscreen());
        form.FormDestroy();
    }
    kv::Window next;
    kv::TfrmMain form(next, path);
    form.FormCreate();
    EXPECT_TRUE(form.LauncherControls().SoundChecked());
    EXPECT_EQ(form.game.Sound.SoundEnabled, 1);
    EXPECT_EQ(form.LauncherControls().SelectedItem(), 0);
    EXPECT_EQ(next.Scaling(), kv::ScalingStyle::Smooth);
}

// The options window (at 225, 80): a row's value left of x 270 steps down,
// right of it up; other rows flip. Every change acts at once and is kept.
TEST_F(RememberedSettings, TheOptionsWindowChangesAndKeepsEveryChoice)
{
    {
        kv::TfrmMain form(window, path);
        form.FormCreate();
        kv::ScenarioRunner runner(form, ::testing::TempDir());
        runner.Run(kv::testing::ToSpace);
        const kv::kvWindow& options = form.game.ui.hud.OptionsWindow;
        runner.Run({"key F6", "tick 20"});
        ASSERT_EQ(options.Visible, 1);
        EXPECT_FALSE(form.game.Sound.Device().IsOpen()) << "started without sound: no device";
        runner.Run({"click 465 155", "click 465 155", "click 525 175 right", "tick"});
        EXPECT_EQ(form.game.ui.Options.MusicVolume, 80);
        EXPECT_EQ(form.game.ui.Options.EffectsVolume, 90);
        EXPECT_NE(Text().find("music-volume = 80\n"), std::string::npos) << Text();
        EXPECT_NE(Text().find("effects-volume = 90\n"), std::string::npos);
        runner.Run({"click 465 195", "click 465 215", "tick"});
        EXPECT_TRUE(form.game.Sound.Device().IsOpen()) << "sound turned on in the game";
        EXPECT_EQ(form.game.Sound.MusicOn, 1);
        EXPECT_NE(Text().find("sound = 1\n"), std::string::npos);
        EXPECT_NE(Text().find("mute-in-background = 0\n"), std::string::npos);
        runner.Run({"click 465 280", "click 465 300", "tick"});
        EXPECT_TRUE(window.DesktopFullscreen());
        EXPECT_EQ(window.Scaling(), kv::ScalingStyle::Smooth);
        runner.Run({"key F11", "tick"});
        EXPECT_FALSE(form.game.ui.Options.Fullscreen) << "the window keys show in the window";
        runner.Run({"key Esc", "tick 20"});
        EXPECT_EQ(options.Visible, 0);
        runner.Run({"key Grave", "type options", "key Enter", "tick 2"});
        EXPECT_EQ(options.Visible, 1) << "the console's \"options\"";
        form.FormDestroy();
    }
    kv::Window next;
    kv::TfrmMain form(next, path);
    form.FormCreate();
    kv::ScenarioRunner(form, ::testing::TempDir()).Run({"click 234 56", "tick"});
    EXPECT_EQ(form.game.ui.Options.MusicVolume, 80);
    EXPECT_FALSE(form.game.ui.Options.MuteInBackground);
    EXPECT_TRUE(form.game.Sound.Device().IsOpen());
}

// The controls page (its rows 22 pixels apart from window y 50, the keys'
// columns at x 180 and 265): a key clicked waits for the next key pressed.
TEST_F(RememberedSettings, RebindingRefusesAKeyInUseAndIsKept)
{
    {
        kv::TfrmMain form(window, path);
        form.FormCreate();
        kv::ScenarioRunner runner(form, ::testing::TempDir());
        runner.Run(kv::testing::ToSpace);
        runner.Run({"key F6", "tick 20", "click 465 345", "tick"});
        ASSERT_EQ(form.game.ui.Options.Page, kv::OptionsPage::Keys);
        const kv::Bindings& controls = form.game.ui.Controls;
        runner.Run({"click 505 218", "key K", "tick"});
        EXPECT_EQ(controls.Text(kv::Action::Fire), "Space, K");
        EXPECT_NE(Text().find("key.fire = Space, K\n"), std::string::npos) << Text();
        runner.Run({"click 425 174", "key Space", "tick"});
        EXPECT_EQ(controls.Text(kv::Action::Thrust), "Up") << "Space belongs to Fire";
        EXPECT_EQ(form.game.ui.Options.Note, "Space is taken by Fire");
        runner.Run({"click 425 218", "key 46", "click 425 130", "key Esc", "tick"});
        EXPECT_EQ(controls.Text(kv::Action::Reverse), "Down") << "Esc keeps the key";
        EXPECT_EQ(form.game.ui.hud.OptionsWindow.Visible, 1) << "and does not close the window";
        EXPECT_EQ(controls.Text(kv::Action::Fire), "K") << "Delete unbinds";
        form.FormDestroy();
    }
    {
        kv::Window next;
        kv::TfrmMain form(next, path);
        form.FormCreate();
        kv::ScenarioRunner runner(form, ::testing::TempDir());
        runner.Run(kv::testing::ToSpace);
        EXPECT_EQ(form.game.ui.Controls.Text(kv::Action::Fire), "K") << "kept for the next run";
        runner.Run({"key F6", "tick 20", "click 465 345", "click 300 275", "tick"});
        EXPECT_EQ(form.game.ui.Controls, kv::Bindings{}) << "Defaults";
        EXPECT_NE(Text().find("key.fire = Space\n"), std::string::npos);
    }
}

// The window's and panels' keys page (from "Window and panel keys >" at
// window y 245): the panel keys, pause and fullscreen bound anew act at
// once, a key a field is typing into stays text, and the window's own keys
// pressed while a binding waits are the binding.
TEST_F(RememberedSettings, ThePanelAndWindowKeysAreRebound)
{
    kv::TfrmMain form(window, path);
    form.FormCreate();
    kv::ScenarioRunner runner(form, ::testing::TempDir());
    runner.Run(kv::testing::ToSpace);
    runner.Run({"key F6", "tick 20", "click 465 345", "click 300 325", "tick"});
    ASSERT_EQ(form.game.ui.Options.Page, kv::OptionsPage::PanelKeys);
    const kv::Bindings& controls = form.game.ui.Controls;
    runner.Run({"click 500 174", "key K", "click 500 130", "key F9", "click 500 152", "key Pause", "tick"});
    EXPECT_EQ(controls.Text(kv::Action::StarMap), "F1, K");
    EXPECT_EQ(controls.Text(kv::Action::Pause), "Pause, F9");
    EXPECT_FALSE(form.Pause().Active()) << "Pause pressed for a binding is the binding's";
    EXPECT_EQ(form.game.ui.Options.Note, "Pause is taken by Pause");
    EXPECT_NE(Text().find("key.star-map = F1, K\n"), std::string::npos) << Text();
    runner.Run({"key F6", "tick 20"});

    const uint8_t map = form.game.ui.hud.StarMap.Visible;
    runner.Run({"key K", "tick"});
    EXPECT_NE(form.game.ui.hud.StarMap.Visible, map);
    runner.Run({"key F1", "tick"});
    EXPECT_EQ(form.game.ui.hud.StarMap.Visible, map) << "F1 still works beside K";
    runner.Run({"key Grave", "type k", "key K", "tick"});
    EXPECT_EQ(form.game.ui.hud.StarMap.Visible, map) << "K typed into the console is text";
    EXPECT_EQ(form.game.ui.hud.ConsoleEdit.Text, "k");
    runner.Run({"key Grave", "key F9"});
    EXPECT_TRUE(form.Pause().Active());
    runner.Run({"key Pause"});
    EXPECT_FALSE(form.Pause().Active());

    // The gamepad page's dead zone (window y 220, right of x 270 steps up).
    runner.Run({"key F6", "tick 20", "click 465 345", "click 500 300", "tick", "click 505 300", "tick"});
    ASSERT_EQ(form.game.ui.Options.Page, kv::OptionsPage::Gamepad);
    EXPECT_EQ(form.game.Pads.DeadZonePercent, 30);
    EXPECT_NE(Text().find("pad.dead-zone = 30\n"), std::string::npos) << Text();
}

TEST_F(RememberedSettings, AHostileFileGivesTheDefaultsAndIsReplacedWhole)
{
    fs::create_directories(folder / "kvspace");
    std::ofstream(path) << std::string(kv::MostSettingsBytes + 1, '\x01');
    kv::TfrmMain form(window, path);
    ::testing::internal::CaptureStderr();
    form.FormCreate();
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find(path), std::string::npos);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
    EXPECT_FALSE(form.LauncherControls().SoundChecked());
    kv::ScenarioRunner(form, ::testing::TempDir()).Run({"click 234 56", "tick"});
    EXPECT_EQ(kv::LoadSettings(path).Problem, "");
    EXPECT_EQ(Said(form.game, "Settings not read, using the defaults: the file is larger"), 1) << "the console says it too";
    EXPECT_EQ(Said(form.game, "not kept"), 0);
}

// A settings file that cannot be kept, and a game with no home folder, say
// so once in the console; the player's own copy of the file is never taken
// for a temporary one.
TEST_F(RememberedSettings, WhatCannotBeKeptIsSaidOnceInTheConsole)
{
    fs::create_directories(folder / "kvspace");
    std::ofstream(path + ".backup") << "mine";
    {
        kv::TfrmMain form(window, path);
        form.FormCreate();
        kv::ScenarioRunner(form, ::testing::TempDir()).Run({"click 234 56", "tick"});
        EXPECT_EQ(Said(form.game, "Settings not read"), 0) << "no file yet is the first start";
        EXPECT_EQ(Said(form.game, "not kept"), 0);
        EXPECT_TRUE(fs::exists(path)) << "kept";
        EXPECT_TRUE(fs::exists(path + ".backup")) << "the player's copy stays";
    }
    const std::string blocked = (folder / "blocked" / "settings.ini").string();
    std::ofstream(folder / "blocked") << "in the way";
    kv::Window other;
    kv::TfrmMain form(other, blocked);
    kv::ScenarioRunner runner(form, ::testing::TempDir());
    form.game.ui.Saves.Folder.clear();
    form.FormCreate();
    runner.Run({"click 234 56", "tick", "tick 2", "key F10", "key F10", "tick"});
    EXPECT_EQ(Said(form.game, "Settings not kept: cannot make the folder blocked"), 1);
    EXPECT_EQ(Said(form.game, "Saves are not kept: there is no home folder"), 1);
}

TEST_F(RememberedSettings, ADamagedKeyIsNamedAndTheOthersAreKept)
{
    fs::create_directories(folder / "kvspace");
    std::ofstream(path) << "sound = 1\nmode = \x01\x02\nfullscreen = 0\nscaling = smooth\nwindow-scale = 0\n"
                           "music-volume = 100\neffects-volume = 100\nmute-in-background = 1\n"
                        << kv::SettingsText(kv::Settings{}).substr(kv::SettingsText(kv::Settings{}).find("key."));
    kv::TfrmMain form(window, path);
    ::testing::internal::CaptureStderr();
    form.FormCreate();
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << said << "the junk line, and its key missing";
    EXPECT_NE(said.find("\"mode\""), std::string::npos) << said;
    EXPECT_TRUE(form.LauncherControls().SoundChecked());
    EXPECT_EQ(window.Scaling(), kv::ScalingStyle::Smooth);
}

}  // namespace
