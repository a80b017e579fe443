// The game fed SDL's own events as the desktop sends them. Typing in any
// keyboard layout: text comes from the text input, the battle's keys from
// their places on the keyboard, the shortcut letters from the layout. Audio
// devices that come and go.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "platform/Window.h"
#include "shell/Scenario.h"
#include "shell/UnitMain.h"

namespace {

class SdlEvents : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.FormCreate();
        runner.Run({"click 234 56", "tick", "move 150 450", "tick", "click 150 450", "tick 40"});
        ASSERT_EQ(form.game.CurrentScene, kv::SceneSpace);
    }
    // A key as a keyboard of some layout sends it: its place, the symbol
    // the layout gives it, and the text it types (none for editing keys).
    void Press(SDL_Scancode place, SDL_Keycode symbol, const char* text = nullptr)
    {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.keysym.scancode = place;
        e.key.keysym.sym = symbol;
        SDL_PushEvent(&e);
        if (text != nullptr) {
            SDL_Event t{};
            t.type = SDL_TEXTINPUT;
            std::strncpy(t.text.text, text, sizeof t.text.text - 1);
            SDL_PushEvent(&t);
        }
        e.type = SDL_KEYUP;
        SDL_PushEvent(&e);
        Pump();
    }
    void Pump()
    {
        while (const auto event = window.WaitEvent(0)) form.Dispatch(*event);
    }
    void OpenConsole() { Press(SDL_SCANCODE_GRAVE, SDLK_BACKQUOTE); }

    kv::Window window;
    kv::TfrmMain form{window};
    kv::ScenarioRunner runner{form, ::testing::TempDir() + "kvspace_typing"};
};

TEST_F(SdlEvents, AFrenchQuitTypesQuit)
{
    OpenConsole();
    ASSERT_EQ(form.game.ui.hud.FocusedItem, &form.game.ui.hud.ConsoleEdit);
    // On AZERTY "q" sits where US has "A".
    Press(SDL_SCANCODE_A, SDLK_q, "q");
    Press(SDL_SCANCODE_U, SDLK_u, "u");
    Press(SDL_SCANCODE_I, SDLK_i, "i");
    Press(SDL_SCANCODE_T, SDLK_t, "t");
    EXPECT_EQ(form.game.ui.hud.ConsoleEdit.Text, "quit");
    Press(SDL_SCANCODE_RETURN, SDLK_RETURN);
    runner.Run({"tick 2"});
    EXPECT_EQ(form.game.CurrentScene, kv::SceneTitle);
}

TEST_F(SdlEvents, TextArrivesOnlyWhileAFieldHasTheKeyboard)
{
    Press(SDL_SCANCODE_Q, SDLK_q, "q");
    EXPECT_EQ(form.game.ui.hud.ConsoleEdit.Text, "");
    OpenConsole();
    OpenConsole();
    EXPECT_EQ(form.game.ui.hud.FocusedItem, nullptr);
    Press(SDL_SCANCODE_Q, SDLK_q, "q");
    OpenConsole();
    EXPECT_EQ(form.game.ui.hud.ConsoleEdit.Text, "") << "text typed with the console closed never reaches it";
}

TEST_F(SdlEvents, ANameWithAccentsAndCyrillicSurvivesASaveAndALoad)
{
    OpenConsole();
    for (const char* text : {"newgame ", "Zoé", "Жук", " 2 1 1"}) {
        SDL_Event t{};
        t.type = SDL_TEXTINPUT;
        std::strncpy(t.text.text, text, sizeof t.text.text - 1);
        SDL_PushEvent(&t);
    }
    Pump();
    Press(SDL_SCANCODE_RETURN, SDLK_RETURN);
    runner.Run({"tick 2"});
    ASSERT_EQ(form.game.world.Pilot.Name, "ZoéЖук");
    runner.Run({"key Grave", "key Grave", "type save 1", "key Enter", "tick 2", "type newgame Bob 1 1 1",
                "key Enter", "tick 2"});
    ASSERT_EQ(form.game.world.Pilot.Name, "Bob");
    runner.Run({"type load 1", "key Enter", "tick 2"});
    EXPECT_EQ(form.game.world.Pilot.Name, "ZoéЖук");
}

// The star map's shortcut letters follow the layout; the battle's keys
// stay where they are, so a French "A" key (the US "Q" place) is still the
// spawn grid's "Q".
TEST_F(SdlEvents, ShortcutLettersByLayoutAndBattleKeysByPlace)
{
    if (!form.game.ui.hud.StarMap.Visible) runner.Run({"key F1", "tick"});
    ASSERT_EQ(form.game.ui.hud.StarMap.Visible, 1);
    const bool ecliptic = form.game.ui.map.ShowEcliptic;
    // Dvorak's "E" sits where US has "D", and the US "E" place gives ".".
    Press(SDL_SCANCODE_D, SDLK_e, "e");
    EXPECT_NE(form.game.ui.map.ShowEcliptic, ecliptic);
    Press(SDL_SCANCODE_E, SDLK_PERIOD, ".");
    EXPECT_NE(form.game.ui.map.ShowEcliptic, ecliptic) << "the US \"E\" place gives \".\" on Dvorak";

    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.scancode = SDL_SCANCODE_Q;
    e.key.keysym.sym = SDLK_a;
    SDL_PushEvent(&e);
    Pump();
    EXPECT_TRUE(form.game.Keys.IsDown('Q')) << "the battle polls the place";
}

TEST_F(SdlEvents, AnAudioDeviceThatGoesAwayNeverStopsTheGame)
{
    form.game.Sound.SetSoundEnabled(true);
    SDL_Event e{};
    e.type = SDL_AUDIODEVICEREMOVED;
    e.adevice.which = 2;
    SDL_PushEvent(&e);
    Pump();
    EXPECT_TRUE(form.game.Sound.Device().IsOpen()) << "the default device opened in its place";
    form.game.Sound.SetSoundEnabled(false);
    e.type = SDL_AUDIODEVICEADDED;
    SDL_PushEvent(&e);
    Pump();
    EXPECT_FALSE(form.game.Sound.Device().IsOpen()) << "sound stays off";
    runner.Run({"tick 5", "key F2", "tick 5"});
    EXPECT_EQ(form.game.CurrentScene, kv::SceneSpace);
    EXPECT_FALSE(form.Terminated());
}

}  // namespace
