// The road of a hyperjump, played headless from the launcher on: pick a star
// on the map, jump, then turn, zoom and step the map through its levels.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "navigation/StarInfo.h"
#include "navigation/StarMap.h"
#include "platform/Window.h"
#include "shell/Scenario.h"
#include "shell/UnitMain.h"
#include "support/Pictures.h"

namespace {

constexpr kv::Rgb Wireframe{0x00, 0xFE, 0x00};

class NavigationRoad : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.FormCreate();
        Play({"click 20 80", "click 234 56", "tick", "move 150 450", "tick", "click 150 450", "tick 45"});
        ASSERT_EQ(form.game.Scene, kv::SceneSpace);
    }
    void Play(const std::vector<std::string>& script) { runner.Run(script); }
    kv::Game& game() { return form.game; }
    const kv::kvGalaxy& galaxy() { return (*game().galaxies)[1]; }

    // A star other than the current one, within reach, well inside the map
    // and with no other star within 10 pixels: its screen point.
    std::optional<std::pair<uint8_t, kv::Point>> ClearTarget()
    {
        const kv::MapProjection& p = game().projection;
        for (std::size_t i = 1; i <= galaxy().StarCount; ++i) {
            const kv::Point at = kv::GalaxyViewPoint(game(), p.ProjectedStars[i]);
            const kv::Point screen{at.X + 225, at.Y + 80};
            const bool inside = screen.X >= 260 && screen.X <= 540 && screen.Y >= 130 && screen.Y <= 390;
            const bool reachable = kv::StarDistance(galaxy(), 1, static_cast<uint8_t>(i)) < kv::JumpRange(game().Ship);
            if (i == game().Pilot.Star || !inside || !reachable || Crowded(i, at)) continue;
            return std::make_pair(static_cast<uint8_t>(i), screen);
        }
        return std::nullopt;
    }

    bool Crowded(std::size_t star, kv::Point at)
    {
        for (std::size_t j = 1; j <= galaxy().StarCount; ++j) {
            const kv::Point other = kv::GalaxyViewPoint(game(), game().projection.ProjectedStars[j]);
            const int dx = other.X - at.X, dy = other.Y - at.Y;
            if (j != star && dx * dx + dy * dy <= 400) return true;
        }
        return false;
    }

    static std::string At(const char* verb, kv::Point p, const char* button = "")
    {
        return std::string(verb) + " " + std::to_string(p.X) + " " + std::to_string(p.Y) + " " + button;
    }

    void SeedWithoutAmbush()
    {
        for (uint32_t seed = 0;; ++seed) {
            kv::Random probe(seed);
            if (probe.NextReal() > 0.3) return game().random.Seed(seed);
        }
    }

    kv::Window window;
    kv::TfrmMain form{window};
    kv::ScenarioRunner runner{form, ::testing::TempDir() + "kvspace_navigation"};
};

TEST_F(NavigationRoad, PickAStarJumpThenTurnAndZoomTheMap)
{
    Play({"shot nav_start"});
    const auto target = ClearTarget();
    ASSERT_TRUE(target.has_value()) << "no star stands clear in this galaxy";
    const auto [star, point] = *target;
    Play({At("click", point), "tick", "shot nav_selected"});
    ASSERT_EQ(game().SelectedStar, star);
    EXPECT_EQ(game().hud.GoButton.Enabled, 1);

    const double distance = kv::StarDistance(galaxy(), 1, star);
    const double fuel = game().Ship.Fuel - distance * game().Ship.Engine.Consumption;
    SeedWithoutAmbush();
    Play({"click 745 152", "tick", "shot nav_arrived"});
    EXPECT_EQ(game().Pilot.Star, star);
    EXPECT_DOUBLE_EQ(game().Ship.Fuel, fuel);
    const kv::ConsoleEntry& last = game().Console.Entries[game().Console.Count];
    EXPECT_NE(last.Text.find("Arriving in system: " + galaxy().Stars[star].Name), std::string::npos);
    EXPECT_EQ(game().hud.GoButton.Enabled, 0);
    Play({"key Up"});
    EXPECT_DOUBLE_EQ(game().Ship.Fuel, fuel + 10);

    Play({"press 400 250 right", "move 430 250", "move 430 268", "release 430 268 right", "tick", "shot nav_turned"});
    EXPECT_DOUBLE_EQ(game().map.MapSpin, -30.0 / 180);
    EXPECT_DOUBLE_EQ(game().map.MapTilt, -18.0 / 180);

    Play({"wheel -120", "tick", "shot nav_wheel"});
    EXPECT_NEAR(game().map.MapZoom, 0.88, 1e-12);
    Play({"click 261 414", "tick", "shot nav_system"});
    EXPECT_EQ(game().map.MapLevel, 0);
    EXPECT_EQ(game().map.MapZoom, 1.0);
    EXPECT_GT(kv::testing::Count(game().hud.StarMap.Face, Wireframe), 0);
    Play({"click 308 414", "click 308 414", "tick", "shot nav_empty"});
    EXPECT_EQ(game().map.MapLevel, 2);
    EXPECT_EQ(kv::testing::Count(game().hud.StarMap.Face, Wireframe), 0);

    Play({"key F1", "tick", "shot nav_map_hidden"});
    EXPECT_EQ(game().hud.StarMap.Visible, 0);
    Play({"key F1", "tick"});
    EXPECT_EQ(game().hud.StarMap.Visible, 1);

    Play({"press 400 250 left", "press 400 250 right", "move 480 250", "release 480 250 right"});
    EXPECT_DOUBLE_EQ(game().map.MapSpin, -30.0 / 180);  // both buttons held: no turn
}

}  // namespace
