#include "navigation/StarInfo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "navigation/StarMap.h"
#include "platform/Canvas.h"
#include "support/SmallGalaxy.h"

namespace {

constexpr uint8_t Left = 0;
constexpr uint8_t Right = 1;
constexpr kv::Rgb InfoPen{0, 255, 0};

class StarInfo : public kv::testing::SmallGalaxy {
protected:
    void SetUp() override
    {
        SmallGalaxy::SetUp();
        game.SwitchScene = [this](uint8_t scene) { switches.push_back(scene); };
    }

    // Draws the galaxy view and clicks at window pixel (x, y).
    void ClickMap(int x, int y, uint8_t button = Left)
    {
        kv::DrawStarMap(game);
        kv::SelectStarAt(game, static_cast<int16_t>(x), static_cast<int16_t>(y), button);
    }

    // Whether every glyph pixel of the text, written at (x, y) in the star
    // information window's font, is lit in the window.
    bool ShowsText(int x, int y, const std::string& text) const
    {
        const kv::Bitmap& face = game.hud.StarInfo.Face;
        kv::Bitmap expected(face.Width(), face.Height());
        expected.Fill(kv::Black);
        expected.font = face.font;
        expected.brush.Style = kv::BrushStyle::Clear;
        kv::Canvas(expected).TextOut(x, y, text);
        int lit = 0;
        for (int py = 0; py < face.Height(); ++py)
            for (int px = 0; px < face.Width(); ++px) {
                if (expected.Pixel(px, py) == kv::Black) continue;
                if (face.Pixel(px, py) != face.font.Colour) return false;
                ++lit;
            }
        return lit > 0;
    }

    // A seed whose next draw starts an ambush (draw at most 0.3) or not.
    static uint32_t SeedFor(bool ambush)
    {
        for (uint32_t seed = 0;; ++seed) {
            kv::Random probe(seed);
            if ((probe.NextReal() <= 0.3) == ambush) return seed;
        }
    }

    void Jump()
    {
        game.random.Seed(SeedFor(false));
        kv::Hyperjump(game);
    }

    uint16_t FuelUnits() const { return game.Pilot.Cargo[kv::FuelGoods].Quantity; }

    std::vector<uint8_t> switches;
};

TEST(StarDistance, IsTheStraightDistanceInSpaceAndReadsInParsecs)
{
    auto galaxy = std::make_unique<kv::kvGalaxy>();
    galaxy->StarCount = 2;
    galaxy->Stars[1].X = 1;
    galaxy->Stars[2] = kv::kvStar{};
    galaxy->Stars[2].X = 3;
    galaxy->Stars[2].Y = 3;
    galaxy->Stars[2].Z = -6;
    EXPECT_DOUBLE_EQ(kv::StarDistance(*galaxy, 1, 2), 7.0);
    EXPECT_DOUBLE_EQ(kv::StarDistance(*galaxy, 2, 1), 7.0);
    EXPECT_EQ(kv::DistanceText(57.443), "57.443 \xD0\xBF\xD0\xBA");
    EXPECT_EQ(kv::DistanceText(0.0), "0.000 пк");
    EXPECT_EQ(kv::DistanceText(12.3456), "12.346 пк");
}

TEST_F(StarInfo, AClickPicksAStarWithinTenPixelsAndNotEleven)
{
    AddStar(0, 0, 0);
    AddStar(0, 100, 0);  // at window pixel (275, 170)
    ClickMap(275 + 6, 170 + 8);
    EXPECT_EQ(game.SelectedStar, 2);
    EXPECT_EQ(game.hud.GoButton.Enabled, 1);
    EXPECT_EQ(game.RepaintNeeded, 1);

    ClickMap(275 + 11, 170);
    EXPECT_EQ(game.SelectedStar, 0);
    EXPECT_EQ(game.hud.GoButton.Enabled, 0);
    EXPECT_TRUE(ShowsText(25, 170, "Nothing is selected"));
}

TEST_F(StarInfo, OfTwoOverlappingStarsTheNearerWins)
{
    AddStar(0, 0, 0);
    AddStar(0, 100, -20);  // nearer: drawn last
    AddStar(0, 104, 0);
    ClickMap(277, 170);
    EXPECT_EQ(game.SelectedStar, 2);
}

TEST_F(StarInfo, GoIsOfferedOnlyForAnotherStarWithinReach)
{
    AddStar(0, 0, 0);
    AddStar(0, 100, 0);
    game.Ship.Fuel = 100.0;  // exactly the distance: the jump is allowed
    ClickMap(275, 170);
    EXPECT_EQ(game.hud.GoButton.Enabled, 1);

    game.Ship.Fuel = 99.9;
    ClickMap(275, 170);
    EXPECT_EQ(game.hud.GoButton.Enabled, 0);

    game.Ship.Fuel = 160.0;
    ClickMap(275, 170);
    ClickMap(175, 170);  // the star the ship is at
    EXPECT_EQ(game.SelectedStar, 1);
    EXPECT_EQ(game.hud.GoButton.Enabled, 0);
    EXPECT_TRUE(ShowsText(105, 170, "0.000 пк"));
}

TEST_F(StarInfo, OtherButtonsAndLevelsLeaveTheSelection)
{
    AddStar(0, 0, 0);
    AddStar(0, 100, 0);
    game.SelectedStar = 1;
    ClickMap(275, 170, Right);
    EXPECT_EQ(game.SelectedStar, 1);
    for (uint8_t level : {uint8_t{0}, uint8_t{2}}) {
        game.map.MapLevel = level;
        ClickMap(275, 170);
        ClickMap(10, 10);
        EXPECT_EQ(game.SelectedStar, 1);
    }
}

TEST_F(StarInfo, ShowsTheStarsFactsAndPicture)
{
    AddStar(0, 0, 0);
    kv::kvStar& star = AddStar(57.443, 0, 0);
    star.PlanetCount = 2;
    star.Planets[1].Name = "bamon";
    star.Planets[2].Name = "kelit";
    kv::DrawStarInfo(game, 2);
    EXPECT_TRUE(ShowsText(105, 130, "S2"));
    EXPECT_TRUE(ShowsText(105, 150, "G2"));
    EXPECT_TRUE(ShowsText(105, 170, "57.443 пк"));
    EXPECT_TRUE(ShowsText(105, 190, "Republic"));
    EXPECT_TRUE(ShowsText(105, 210, "5"));
    EXPECT_TRUE(ShowsText(105, 230, "bamon"));
    EXPECT_TRUE(ShowsText(105, 250, "kelit"));
    EXPECT_EQ(game.hud.StarInfo.Face.Pixel(55, 90 - 22), InfoPen);  // the sphere's top: 8 x 2.8 = 22.4
}

TEST_F(StarInfo, AJumpSpendsTheFuelAndAnnouncesTheArrival)
{
    AddStar(0, 0, 0);
    AddStar(57.443, 0, 0);
    game.SelectedStar = 2;
    game.hud.GoButton.Enabled = 1;
    const uint16_t messages = game.Console.Count;
    Jump();
    EXPECT_DOUBLE_EQ(game.Ship.Fuel, 160.0 - 57.443);
    EXPECT_EQ(FuelUnits(), 10);  // Nearest(102.557) = 103, in tens
    EXPECT_EQ(game.Pilot.Star, 2);
    EXPECT_EQ(game.SelectedStar, 2);
    EXPECT_EQ(game.hud.GoButton.Enabled, 0);
    ASSERT_EQ(game.Console.Count, messages + 1);
    EXPECT_NE(game.Console.Entries[game.Console.Count].Text.find("Arriving in system: S2"), std::string::npos);
    EXPECT_TRUE(ShowsText(105, 170, "0.000 пк"));
    EXPECT_TRUE(switches.empty());
}

TEST_F(StarInfo, AJumpOverTheWholeRangeIsAllowedAndAShorterRangeRefused)
{
    AddStar(0, 0, 0);
    AddStar(0, 100, 0);
    game.SelectedStar = 2;
    game.Ship.Engine.Consumption = 2.0;
    game.Ship.Fuel = 199.5;
    Jump();
    EXPECT_EQ(game.Pilot.Star, 1);
    EXPECT_EQ(game.Ship.Fuel, 199.5);

    game.Ship.Fuel = 200.0;
    Jump();
    EXPECT_EQ(game.Pilot.Star, 2);
    EXPECT_EQ(game.Ship.Fuel, 0.0);
    EXPECT_EQ(FuelUnits(), 0);
}

TEST_F(StarInfo, GoWithoutADestinationNeverMovesTheShip)
{
    AddStar(0, 0, 0);
    AddStar(0, 100, 0);
    game.hud.GoButton.Enabled = 1;
    const uint16_t messages = game.Console.Count;
    for (int target : {0, 1, 3, 255}) {  // nothing, the star the ship is at, beyond the galaxy
        game.SelectedStar = static_cast<uint8_t>(target);
        Jump();
        EXPECT_EQ(game.Pilot.Star, 1);
        EXPECT_EQ(game.Ship.Fuel, 160.0);
    }
    EXPECT_EQ(game.Console.Count, messages);
}

TEST_F(StarInfo, AboutThreeArrivalsInTenAreAmbushed)
{
    AddStar(0, 0, 0);
    AddStar(0, 10, 0);
    game.SelectedStar = 2;
    game.random.Seed(SeedFor(true));
    kv::Hyperjump(game);
    EXPECT_EQ(switches, std::vector<uint8_t>{kv::SceneCombat});
    EXPECT_EQ(game.Pilot.Star, 2);
}

}  // namespace
