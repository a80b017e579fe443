// Gamepads as SDL gives them, through its virtual joysticks: the pointer on
// the left stick, A and B as the mouse and Esc, the battle on the pad, a
// pad plugged in and pulled out mid-game, a joystick SDL cannot map, and
// the mapping file in the configuration folder.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "hud/OptionsWindow.h"
#include "platform/Gamepads.h"
#include "platform/Window.h"
#include "shell/CombatScene.h"
#include "shell/Scenario.h"
#include "shell/UnitMain.h"
#include "support/Roads.h"

namespace {

class Gamepads : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The offscreen window never has the desktop's focus, and SDL keeps
        // a pad's events from a window without it.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        form.StartGamepads("");
        form.FormCreate();
        runner.Run(kv::testing::ToSpace);
        ASSERT_EQ(form.game.CurrentScene, kv::SceneSpace);
    }
    void TearDown() override
    {
        while (!pads.empty()) Unplug();
    }

    // A pad laid out as a game controller: SDL maps its buttons and axes in
    // the controller's own order. Its triggers rest at the bottom of their
    // travel.
    SDL_Joystick* PlugIn(Uint16 type = SDL_JOYSTICK_TYPE_GAMECONTROLLER)
    {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = type;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1;
        desc.nhats = type == SDL_JOYSTICK_TYPE_GAMECONTROLLER ? 0 : 1;
        desc.name = "Test pad";
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        EXPECT_GE(index, 0) << SDL_GetError();
        SDL_Joystick* pad = SDL_JoystickOpen(index);
        EXPECT_NE(pad, nullptr) << SDL_GetError();
        if (type == SDL_JOYSTICK_TYPE_GAMECONTROLLER) {
            SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT, -32768);
            SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);
        }
        pads.push_back(pad);
        Pump();
        return pad;
    }
    void Unplug()
    {
        SDL_Joystick* pad = pads.back();
        pads.pop_back();
        const SDL_JoystickID id = SDL_JoystickInstanceID(pad);
        SDL_JoystickClose(pad);
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
        Pump();
    }
    void Button(SDL_Joystick* pad, int button, bool down)
    {
        SDL_JoystickSetVirtualButton(pad, button, down ? 1 : 0);
        Pump();
    }
    void Axis(SDL_Joystick* pad, int axis, Sint16 value)
    {
        SDL_JoystickSetVirtualAxis(pad, axis, value);
        Pump();
    }
    void Pump()
    {
        SDL_JoystickUpdate();
        SDL_PumpEvents();
        while (const auto event = window.WaitEvent(0)) form.Dispatch(*event);
    }
    kv::Point Pointer() const { return form.game.scene.LastMouse; }
    bool ConsoleSays(const std::string& text) const
    {
        const kv::kvConsole& console = form.game.ui.Console;
        for (std::size_t i = 1; i <= console.Count; ++i)
            if (console.Entries[i].Text.find(text) != std::string::npos) return true;
        return false;
    }
    void StartBattle() { runner.Run({"key Grave", "type combat", "key Enter", "tick", "key Grave", "tick"}); }

    kv::Window window;
    kv::TfrmMain form{window};
    kv::ScenarioRunner runner{form, ::testing::TempDir() + "kvspace_pads"};
    std::vector<SDL_Joystick*> pads;
};

TEST_F(Gamepads, APadPluggedInMovesThePointerFasterTheLongerTheStickIsHeld)
{
    SDL_Joystick* pad = PlugIn();
    EXPECT_TRUE(ConsoleSays("Gamepad connected: ")) << "a pad plugged in mid-game works at once";
    runner.Run({"move 100 300", "tick"});
    Axis(pad, SDL_CONTROLLER_AXIS_LEFTX, 32767);
    runner.Run({"tick 10"});
    const int first = Pointer().X - 100;
    runner.Run({"tick 10"});
    const int second = Pointer().X - 100 - first;
    EXPECT_GT(first, 0);
    EXPECT_GT(second, first) << "the pointer gathers speed";
    EXPECT_EQ(Pointer().Y, 300);
    EXPECT_EQ(form.game.ui.hud.CursorSprite.X, Pointer().X) << "the pointer sprite follows";

    // Within the dead zone the stick is at rest.
    Axis(pad, SDL_CONTROLLER_AXIS_LEFTX, 0);
    Axis(pad, SDL_CONTROLLER_AXIS_LEFTY, 6000);
    const kv::Point resting = Pointer();
    runner.Run({"tick 20"});
    EXPECT_EQ(Pointer().Y, resting.Y);
    // The d-pad moves it too, and it stops at the frame's edge.
    Button(pad, SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    runner.Run({"tick 200"});
    EXPECT_EQ(Pointer().Y, 0);
    Button(pad, SDL_CONTROLLER_BUTTON_DPAD_UP, false);
}

TEST_F(Gamepads, AClicksAndBIsEsc)
{
    SDL_Joystick* pad = PlugIn();
    runner.Run({"key F6", "tick 20"});
    ASSERT_EQ(form.game.ui.hud.OptionsWindow.Visible, 1);
    Button(pad, SDL_CONTROLLER_BUTTON_B, true);
    Button(pad, SDL_CONTROLLER_BUTTON_B, false);
    EXPECT_FALSE(kv::OptionsWindowShown(form.game)) << "B closes the focused window as Esc does";
    // The top bar's way back to the title, clicked with A.
    runner.Run({"move 230 15", "tick"});
    Button(pad, SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_EQ(form.game.MouseButtons, 2);
    Button(pad, SDL_CONTROLLER_BUTTON_A, false);
    runner.Run({"tick 2"});
    EXPECT_EQ(form.game.CurrentScene, kv::SceneTitle);
    EXPECT_EQ(form.game.MouseButtons, 0);
}

TEST_F(Gamepads, TheRightStickTurnsTheStarMapAndTheShouldersZoomIt)
{
    SDL_Joystick* pad = PlugIn();
    if (!form.game.ui.hud.StarMap.Visible) runner.Run({"key F1", "tick"});
    ASSERT_EQ(form.game.ui.hud.StarMap.Visible, 1);
    const kv::MapView before = form.game.ui.map;
    Axis(pad, SDL_CONTROLLER_AXIS_RIGHTX, 32767);
    runner.Run({"tick 10"});
    EXPECT_NEAR(form.game.ui.map.MapSpin, before.MapSpin - 10 * kv::MapTurnPixels / 180, 1e-9);
    EXPECT_EQ(form.game.ui.map.MapTilt, before.MapTilt);
    Axis(pad, SDL_CONTROLLER_AXIS_RIGHTX, 0);
    Button(pad, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
    runner.Run({"tick 10"});
    Button(pad, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, false);
    EXPECT_NEAR(form.game.ui.map.MapZoom, before.MapZoom + 10 * kv::ShoulderZoomPerTick / 1000.0, 1e-9);
}

TEST_F(Gamepads, TheBattleOnThePadAndAPadPulledOutPausesIt)
{
    SDL_Joystick* pad = PlugIn();
    StartBattle();
    ASSERT_EQ(form.game.CurrentScene, kv::SceneCombat);
    kv::kvCombatShip* player = form.game.battle.PlayerCombatShip;
    ASSERT_NE(player, nullptr);
    Axis(pad, SDL_CONTROLLER_AXIS_LEFTX, -32767);
    runner.Run({"tick"});
    EXPECT_DOUBLE_EQ(player->Angle, 360 - 2.8125) << "the left stick turns";
    Axis(pad, SDL_CONTROLLER_AXIS_LEFTX, 0);
    Button(pad, SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    kv::CombatInput(form.game);
    EXPECT_DOUBLE_EQ(player->Thrust, 0.01) << "the d-pad thrusts";
    Button(pad, SDL_CONTROLLER_BUTTON_DPAD_UP, false);
    Axis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    runner.Run({"tick"});
    EXPECT_GT(form.game.world.Ship.Weapons[1].ReloadCounter, 0) << "the right trigger fires";
    Axis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);

    const double angle = player->Angle;
    Axis(pad, SDL_CONTROLLER_AXIS_LEFTX, -32767);
    Unplug();
    EXPECT_TRUE(form.Pause().Active()) << "a pad pulled out mid-battle pauses it";
    EXPECT_TRUE(ConsoleSays("Gamepad disconnected: "));
    runner.Run({"tick 5"});
    EXPECT_EQ(player->Angle, angle);
    // Another pad's Start goes on, and nothing the first one held is held.
    SDL_Joystick* other = PlugIn();
    Button(other, SDL_CONTROLLER_BUTTON_START, true);
    Button(other, SDL_CONTROLLER_BUTTON_START, false);
    EXPECT_FALSE(form.Pause().Active());
    runner.Run({"tick"});
    EXPECT_EQ(player->Angle, angle);
    Button(other, SDL_CONTROLLER_BUTTON_B, true);
    runner.Run({"tick"});
    EXPECT_EQ(form.game.CurrentScene, kv::SceneSpace) << "B held leaves the battle";
}

TEST_F(Gamepads, AJoystickSdlCannotMapWorksByItsRawButtons)
{
    SDL_Joystick* stick = PlugIn(SDL_JOYSTICK_TYPE_FLIGHT_STICK);
    ASSERT_FALSE(SDL_IsGameController(0));
    EXPECT_TRUE(ConsoleSays("Gamepad connected: "));
    // Bound on the options window's gamepad page by pressing it.
    runner.Run({"key F6", "tick 20", "click 465 345", "click 465 300", "tick", "click 405 218", "tick"});
    ASSERT_EQ(form.game.ui.Options.Page, kv::OptionsPage::Gamepad);
    Button(stick, 2, true);
    Button(stick, 2, false);
    EXPECT_EQ(form.game.ui.Controls.Pad(kv::Action::Fire, 0), kv::RawButton(3));
    runner.Run({"key F6", "tick 20"});
    StartBattle();
    ASSERT_EQ(form.game.CurrentScene, kv::SceneCombat);
    Button(stick, 2, true);
    EXPECT_TRUE(form.game.Pads.IsDown(kv::RawButton(3)));
    runner.Run({"tick"});
    EXPECT_GT(form.game.world.Ship.Weapons[1].ReloadCounter, 0);
    Button(stick, 2, false);
    // Its first axes are a stick, its hat the d-pad.
    const double angle = form.game.battle.PlayerCombatShip->Angle;
    SDL_JoystickSetVirtualHat(stick, 0, SDL_HAT_RIGHT);
    Pump();
    runner.Run({"tick"});
    EXPECT_DOUBLE_EQ(form.game.battle.PlayerCombatShip->Angle, std::fmod(angle + 2.8125, 360));
}

TEST(GamepadMappings, ABrokenFileIsSaidInOneLineAndAddsNothing)
{
    const std::string folder = ::testing::TempDir() + "kvspace_mappings";
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/gamecontrollerdb.txt";
    const std::string good = "03000000aaaa0000bbbb000000000000,Kv Test Pad,a:b0,b:b1,x:b2,y:b3,platform:Linux,\n";
    std::ofstream(path) << "# mine\n" << good << "this is no mapping\n"
                        << "03000000cccc0000dddd000000000000,Other,a:b0,platform:Linux,\n";
    kv::Gamepads pads;
    ASSERT_EQ(pads.Start(""), std::nullopt);
    const int before = SDL_GameControllerNumMappings();
    const std::optional<std::string> problem = pads.Start(path);
    ASSERT_TRUE(problem.has_value());
    EXPECT_NE(problem->find(path), std::string::npos) << *problem;
    EXPECT_NE(problem->find("line 3 is no gamepad mapping"), std::string::npos) << *problem;
    EXPECT_EQ(SDL_GameControllerNumMappings(), before) << "not even the good lines before it";

    std::ofstream(path) << "\r\n" << good;
    EXPECT_EQ(pads.Start(path), std::nullopt);
    EXPECT_EQ(SDL_GameControllerNumMappings(), before + 1);
    EXPECT_EQ(pads.Start(folder + "/none.txt"), std::nullopt) << "no file is no problem";

    EXPECT_FALSE(kv::PadMappingsProblem("# only a comment\n\n").has_value());
    EXPECT_TRUE(kv::PadMappingsProblem("0300000,short guid,a:b0").has_value());
    EXPECT_TRUE(kv::PadMappingsProblem("03000000aaaa0000bbbb000000000000,no fields").has_value());
    EXPECT_TRUE(kv::PadMappingsProblem("03000000aaaa0000bbbb000000000000,Pad,a:b0,junk").has_value());
    EXPECT_EQ(kv::PadMappingsPath("/cfg", "/home/me"), "/cfg/kvspace/gamecontrollerdb.txt");
    EXPECT_EQ(kv::PadMappingsPath(nullptr, "/home/me"), "/home/me/.config/kvspace/gamecontrollerdb.txt");
}

}  // namespace
