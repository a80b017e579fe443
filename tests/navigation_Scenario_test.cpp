// The road of a hyperjump, played headless from the launcher on in a seeded
// world: pick a star on the map, jump, then turn, zoom and step the map
// through its levels.
#include <gtest/gtest.h>

#include <string>

#include "hud/Layout.h"
#include "navigation/StarInfo.h"
#include "navigation/StarMap.h"
#include "platform/Window.h"
#include "shell/Scenario.h"
#include "shell/UnitMain.h"
#include "support/Pictures.h"
#include "universe/Jump.h"

namespace {

constexpr kv::Rgb Wireframe{0x00, 0xFE, 0x00};

class NavigationRoad : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.FormCreate();
        Play({"seed 1", "click 20 80", "click 234 56", "tick", "move 150 450", "tick", "click 150 450", "tick 45"});
        ASSERT_EQ(form.game.CurrentScene, kv::SceneSpace);
    }
    void Play(const std::vector<std::string>& script) { runner.Run(script); }
    kv::Game& game() { return form.game; }
    const kv::kvGalaxy& galaxy() { return (*game().world.galaxies)[1]; }

    static std::string At(const char* verb, kv::Point p, const char* button = "")
    {
        return std::string(verb) + " " + std::to_string(p.X) + " " + std::to_string(p.Y) + " " + button;
    }

    kv::Window window;
    kv::TfrmMain form{window};
    kv::ScenarioRunner runner{form, ::testing::TempDir() + "kvspace_navigation"};
};

TEST_F(NavigationRoad, PickAStarJumpThenTurnAndZoomTheMap)
{
    // Seed 1's galaxy shows star 4 within reach at (369, 319), with no other
    // star within 10 pixels, and its jump draws no ambush.
    constexpr uint8_t star = 4;
    constexpr kv::Point point{369, 319};
    Play({"shot nav_start"});
    const kv::Point drawn = kv::GalaxyViewPoint(game().ui, game().ui.projection.ProjectedStars[star]);
    ASSERT_EQ(drawn.X + kv::StarMapLayout.Shown.Left, point.X);
    ASSERT_EQ(drawn.Y + kv::StarMapLayout.Shown.Top, point.Y);
    Play({At("click", point), "tick", "shot nav_selected"});
    ASSERT_EQ(game().ui.SelectedStar, star);
    EXPECT_EQ(game().ui.hud.GoButton.Enabled, 1);

    const double distance = kv::StarDistance(galaxy(), 1, star);
    const double fuel = game().world.Ship.Fuel - distance * game().world.Ship.Engine.Consumption;
    Play({"click 745 152", "tick", "shot nav_arrived"});
    ASSERT_EQ(game().CurrentScene, kv::SceneSpace);
    EXPECT_EQ(game().world.Pilot.Star, star);
    EXPECT_DOUBLE_EQ(game().world.Ship.Fuel, fuel);
    const kv::ConsoleEntry& last = game().ui.Console.Entries[game().ui.Console.Count];
    EXPECT_NE(last.Text.find("Arriving in system: " + galaxy().Stars[star].Name), std::string::npos);
    EXPECT_EQ(game().ui.hud.GoButton.Enabled, 0);
    Play({"key Up"});
    EXPECT_DOUBLE_EQ(game().world.Ship.Fuel, fuel + 10);

    Play({"press 400 250 right", "move 430 250", "move 430 268", "release 430 268 right", "tick", "shot nav_turned"});
    EXPECT_DOUBLE_EQ(game().ui.map.MapSpin, -30.0 / 180);
    EXPECT_DOUBLE_EQ(game().ui.map.MapTilt, -18.0 / 180);

    Play({"wheel -120", "tick", "shot nav_wheel"});
    EXPECT_NEAR(game().ui.map.MapZoom, 0.88, 1e-12);
    Play({"click 261 414", "tick", "shot nav_system"});
    EXPECT_EQ(game().ui.map.MapLevel, 0);
    EXPECT_EQ(game().ui.map.MapZoom, 1.0);
    EXPECT_GT(kv::testing::Count(game().ui.hud.StarMap.Face, Wireframe), 0);
    Play({"click 308 414", "click 308 414", "tick", "shot nav_empty"});
    EXPECT_EQ(game().ui.map.MapLevel, 2);
    EXPECT_EQ(kv::testing::Count(game().ui.hud.StarMap.Face, Wireframe), 0);

    Play({"key F1", "tick", "shot nav_map_hidden"});
    EXPECT_EQ(game().ui.hud.StarMap.Visible, 0);
    Play({"key F1", "tick"});
    EXPECT_EQ(game().ui.hud.StarMap.Visible, 1);

    Play({"press 400 250 left", "press 400 250 right", "move 480 250", "release 480 250 right"});
    EXPECT_DOUBLE_EQ(game().ui.map.MapSpin, -30.0 / 180);  // both buttons held: no turn
}

}  // namespace
