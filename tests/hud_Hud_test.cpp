// The HUD of the space scene, played headless from the launcher on.
#include "hud/Hud.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "console/Console.h"
#include "hud/SaveWindow.h"
#include "platform/DataPath.h"
#include "platform/Window.h"
#include "shell/Scenario.h"
#include "shell/UnitMain.h"
#include "support/Clicks.h"
#include "support/Roads.h"

namespace {

class SpaceHud : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.FormCreate();
        Play({"click 20 80"});  // ticks "Enable sound"
        Play(kv::testing::ToSpace);
        ASSERT_EQ(form.game.CurrentScene, kv::SceneSpace);
    }
    void Play(const std::vector<std::string>& script) { runner.Run(script); }
    kv::Hud& hud() { return form.game.ui.hud; }
    static std::string Bar(std::string_view item) { return kv::testing::ClickOn(kv::TopBarLayout, item); }

    kv::Window window;
    kv::TfrmMain form{window};
    kv::ScenarioRunner runner{form, ::testing::TempDir() + "kvspace_hud"};
};

TEST_F(SpaceHud, PanelsSlideInAndWorldIsAnnounced)
{
    Play({"shot space_hud"});
    EXPECT_EQ(hud().TopBar.Top, 0);
    EXPECT_EQ(hud().ConsoleWindow.Top, 455);
    EXPECT_EQ(hud().PlayerWindow.Left, 0);
    EXPECT_EQ(hud().StarInfo.Left, 600);
    ASSERT_EQ(form.game.ui.Console.Count, 1);
    EXPECT_NE(form.game.ui.Console.Entries[1].Text.find("World initialised"), std::string::npos);
    EXPECT_EQ(form.game.ui.Console.Entries[1].Shown, 1);
}

TEST_F(SpaceHud, ButtonsAndFunctionKeysOpenAndCloseThePanels)
{
    Play({Bar("Goods"), "tick", "shot market_open"});
    EXPECT_EQ(hud().Market.Visible, 1);
    EXPECT_EQ(hud().StarMap.Visible, 0);
    Play({Bar("Map"), "tick", "shot map_open"});
    EXPECT_EQ(hud().StarMap.Visible, 1);
    EXPECT_EQ(hud().Market.Visible, 0);
    Play({"key F5", "tick"});
    EXPECT_EQ(hud().Market.Visible, 1);
    EXPECT_EQ(hud().StarMap.Visible, 0);
    Play({"key F1", "tick"});
    EXPECT_EQ(hud().StarMap.Visible, 1);
    EXPECT_EQ(hud().Market.Visible, 0);

    Play({Bar("Player"), "tick 45"});
    EXPECT_EQ(hud().PlayerWindow.Left, -200);
    Play({"key F2", "tick 45"});
    EXPECT_EQ(hud().PlayerWindow.Left, 0);
    Play({"key F3", "tick 45"});
    EXPECT_EQ(hud().StarInfo.Left, 800);
    Play({Bar("Planet"), "tick 45"});
    EXPECT_EQ(hud().StarInfo.Left, 600);
    Play({"key F4", "tick 45", "shot ship_open"});
    EXPECT_EQ(hud().ShipWindow.Visible, 1);
    EXPECT_EQ(hud().ShipWindow.Left, 600);
    Play({Bar("Ship"), "tick 45"});
    EXPECT_EQ(hud().ShipWindow.Left, 800);
    Play({Bar("Console"), "tick 30"});
    EXPECT_EQ(hud().ConsoleWindow.Top, 575);
    Play({Bar("Console"), "tick 30", "shot panels_back"});
    EXPECT_EQ(hud().ConsoleWindow.Top, 455);
}

// The centre holds one panel: the star map or the market sent there takes
// the place of the new-game window or the save window.
TEST_F(SpaceHud, TheCentreHoldsOnePanel)
{
    Play({Bar("NewGame"), "tick"});
    ASSERT_EQ(hud().NewGame.Visible, 1);
    Play({Bar("Map"), "tick"});
    EXPECT_EQ(hud().NewGame.Visible, 0);
    EXPECT_EQ(hud().StarMap.Visible, 1);
    Play({Bar("Load"), "tick 20"});
    ASSERT_EQ(hud().StarMap.Visible, 0);
    Play({Bar("Goods"), "tick 20"});
    EXPECT_EQ(hud().Market.Visible, 1);
    EXPECT_EQ(hud().StarMap.Visible, 0) << "the map the save window covered stays away";
    EXPECT_EQ(hud().SaveWindow.Top, kv::SaveWindowHiddenTop);
}

TEST_F(SpaceHud, TransparencyCyclesBackTo179)
{
    Play({Bar("Transparency")});
    EXPECT_EQ(hud().Scanner.Alpha, 128);
    Play({Bar("Transparency")});
    EXPECT_EQ(hud().StarMap.Alpha, 256);
    Play({Bar("Transparency")});
    for (kv::kvWindow* w : hud().WindowTable) {
        if (w != nullptr) {
            EXPECT_EQ(w->Alpha, w == &hud().SaveWindow ? 256 : 179);
        }
    }
}

TEST_F(SpaceHud, ClicksPlayTheirSounds)
{
    kv::kvSound& sound = form.game.Sound;
    const unsigned before = sound.EffectRequests();
    Play({"click 667 47"});  // the track name has no handler: the bar swallows the click silently
    EXPECT_EQ(sound.EffectRequests(), before);
    Play({"click 300 50"});  // "Save" does nothing but clicks
    EXPECT_EQ(sound.EffectRequests(), before + 1);
    EXPECT_EQ(sound.RequestedEffect(), "res\\sfx\\hud\\btn_click.wav");
    EXPECT_EQ(hud().FocusedItem, &hud().SaveButton);
}

TEST_F(SpaceHud, MusicButtonsFollowTheMusic)
{
    kv::kvSound& sound = form.game.Sound;
    ASSERT_EQ(sound.MusicOn, 1);
    EXPECT_EQ(hud().TrackNameButton.Caption, "Track1");
    Play({"click 529 47"});
    EXPECT_EQ(sound.MusicOn, 0);
    Play({"click 559 47"});  // the track buttons wait while the music is off
    Play({"click 529 47", "click 559 47"});
    EXPECT_EQ(sound.MusicOn, 1);
    EXPECT_EQ(hud().TrackNameButton.Caption, "Track1");
}

TEST_F(SpaceHud, ConsolePromptTakesTypedKeys)
{
    Play({"key Grave", "type Hello 42", "tick", "shot console_prompt"});
    EXPECT_EQ(hud().ConsoleEdit.Visible, 1);
    EXPECT_EQ(hud().FocusedItem, &hud().ConsoleEdit);
    EXPECT_EQ(hud().ConsoleEdit.Text, "Hello 42");
    Play({"key Back", "tick"});
    EXPECT_EQ(hud().ConsoleEdit.Text, "Hello 4");
    Play({"key Enter", "tick"});
    EXPECT_EQ(hud().ConsoleEdit.Text, "");
    Play({"key Grave", "tick"});
    EXPECT_EQ(hud().ConsoleEdit.Visible, 0);
    EXPECT_EQ(hud().FocusedItem, nullptr);
}

TEST_F(SpaceHud, HomeAndEndChangeAFocusedPanelsAlpha)
{
    Play({"click 100 200"});  // the player panel itself
    ASSERT_EQ(hud().FocusedItem, &hud().PlayerWindow);
    Play({"key End", "key End"});
    EXPECT_EQ(hud().PlayerWindow.Alpha, 177);
    Play({"key Home"});
    EXPECT_EQ(hud().PlayerWindow.Alpha, 178);
    Play({"key Esc"});
    EXPECT_EQ(hud().PlayerWindow.Visible, 0);
}

TEST_F(SpaceHud, TheTopBarsEmptyPixelsLetClicksThrough)
{
    // Below the bar's 66-pixel panel its picture is transparent: a click
    // there reaches the star map underneath.
    const kv::Place map = kv::StarMapLayout.Shown;
    hud().StarMap.Top = map.Top;
    const kv::Bitmap& bar = hud().TopBar.Face;
    ASSERT_EQ(bar.Pixel(400, 100), kv::ColourKey);
    hud().StarMap.Face.SetPixel(400 - map.Left, 100 - map.Top, kv::Rgb{1, 2, 3});
    Play({"click 400 100"});
    EXPECT_EQ(hud().FocusedItem, &hud().StarMap);
}

// Every picture is loaded when the HUD is built: with the data folder gone
// afterwards, every button and panel of the HUD still answers its clicks,
// and the panels they compose are whole.
TEST(HudPictures, NoClickReadsAFile)
{
    kv::Game game;
    kv::BuildHud(game);
    const std::filesystem::path dataFolder = kv::CurrentDataFolder();
    const std::filesystem::path empty = std::filesystem::path(::testing::TempDir()) / "kvspace_no_data";
    std::filesystem::create_directories(empty);
    kv::SetDataFolder(empty);
    for (kv::kvWindow* window : game.ui.hud.WindowTable) {
        if (window == nullptr) continue;
        for (kv::kvWindow* item : window->Items) {
            if (item != nullptr && item->OnClick) {
                EXPECT_NO_THROW(item->OnClick(1, 1, 0));
            }
        }
        if (window->OnClick) {
            EXPECT_NO_THROW(window->OnClick(175, 170, 0));
        }
    }
    kv::kvSound silent;
    EXPECT_NO_THROW(kv::ConsoleTick(game.ui.hud.ConsoleWindow, game.ui.hud.ConsoleEdit, game.ui.Console, silent));
    kv::SetDataFolder(dataFolder);
    EXPECT_EQ(game.ui.hud.Market.Face.Width(), 350);
    EXPECT_EQ(game.ui.hud.NewGame.Face.Width(), 350);
    EXPECT_EQ(game.ui.hud.TopBar.Face.Width(), 800);
}

}  // namespace
