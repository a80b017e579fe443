#include "navigation/StarInfo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "navigation/StarMap.h"
#include "platform/Canvas.h"
#include "support/SmallGalaxy.h"
#include "universe/Market.h"

namespace {

class StarInfo : public kv::testing::SmallGalaxy {
protected:
    void SetUp() override
    {
        SmallGalaxy::SetUp();
        AddStar(0, 0, 0);
        AddStar(0, 100, 0);  // at window pixel (275, 170)
        game.SwitchScene = [this](uint8_t scene) { switches.push_back(scene); };
    }

    void ClickMap(int x, int y, uint8_t button = 0)
    {
        kv::DrawStarMap(game);
        kv::SelectStarAt(game, static_cast<int16_t>(x), static_cast<int16_t>(y), button);
        kv::ComposeMarkedPanels(game);
    }

    // Every glyph pixel of the text, written at (x, y) in the window's font,
    // is lit in the star information window.
    bool ShowsText(int x, int y, const std::string& text) const
    {
        const kv::Bitmap& face = game.ui.hud.StarInfo.Face;
        kv::Bitmap expected(face.Width(), face.Height());
        expected.Fill(kv::Black);
        expected.font = face.font;
        expected.brush.Style = kv::BrushStyle::Clear;
        kv::Canvas(expected).TextOut(x, y, text);
        for (int py = 0; py < face.Height(); ++py)
            for (int px = 0; px < face.Width(); ++px)
                if (expected.Pixel(px, py) != kv::Black && face.Pixel(px, py) != face.font.Colour) return false;
        return true;
    }

    // Jumps to `star` with the next draw an ambush or not.
    void JumpTo(uint8_t star, bool ambush = false)
    {
        game.ui.SelectedStar = star;
        uint32_t seed = 0;
        while ((kv::Random(seed).NextReal() <= 0.3) != ambush) ++seed;
        game.world.random.Seed(seed);
        kv::JumpToSelectedStar(game);
        kv::ComposeMarkedPanels(game);
    }

    uint16_t FuelUnits() const { return game.world.Pilot.Cargo[kv::FuelGoods].Quantity; }

    std::vector<uint8_t> switches;
};

TEST_F(StarInfo, AStarFarOffTheMapAtAHighZoomIsNeverPicked)
{
    // Star 2 is drawn 65361 pixels right of the centre: 65536 from the
    // click, whose square wraps to 0 in 32 bits.
    game.ui.map.MapZoom = 653.61;
    ClickMap(0, 170);
    EXPECT_EQ(game.ui.SelectedStar, 0);
}

TEST_F(StarInfo, AClickPicksTheNearestStarWithinTenPixelsAndAMissClearsTheSelection)
{
    ClickMap(275 + 6, 170 + 8);
    EXPECT_EQ(game.ui.SelectedStar, 2);
    EXPECT_EQ(game.ui.hud.GoButton.Enabled, 1);
    ClickMap(275 + 11, 170);
    EXPECT_EQ(game.ui.SelectedStar, 0);
    EXPECT_EQ(game.ui.hud.GoButton.Enabled, 0);
    EXPECT_TRUE(ShowsText(25, 170, "Nothing is selected"));

    AddStar(0, 104, -20);  // nearer, so drawn over star 2
    ClickMap(277, 170);
    EXPECT_EQ(game.ui.SelectedStar, 3);
}

// A click finds a star round the point the window's offset gives before
// rounding: 20.5 + 175 = 195.5 rounds to 196 (halves to even), where the
// drawing's 20.5 rounded first gives 20 + 175 = 195.
TEST_F(StarInfo, ThePickCentreRoundsWithTheWindowsOffsetInside)
{
    AddStar(0, 20.5, 0);
    game.world.Pilot.Star = 3;
    ClickMap(196 + 10, 170);
    EXPECT_EQ(game.ui.SelectedStar, 3);
    ClickMap(186, 173);  // 9 and 3 from 195, 10 and 3 from 196
    EXPECT_EQ(game.ui.SelectedStar, 0) << "195's 10-pixel reach would have picked it";
    ClickMap(196, 170);
    EXPECT_EQ(game.ui.projection.CurrentStarPoint.X, 196) << "the jump line starts there too";
}

TEST_F(StarInfo, GoIsOfferedOnlyForAnotherStarWithinReach)
{
    game.world.Ship.Fuel = 100.0;  // exactly the distance
    ClickMap(275, 170);
    EXPECT_EQ(game.ui.hud.GoButton.Enabled, 1);
    game.world.Ship.Fuel = 99.9;
    ClickMap(275, 170);
    EXPECT_EQ(game.ui.hud.GoButton.Enabled, 0);
    game.world.Ship.Fuel = 160.0;
    ClickMap(175, 170);  // the star the ship is at
    EXPECT_EQ(game.ui.SelectedStar, 1);
    EXPECT_EQ(game.ui.hud.GoButton.Enabled, 0);
    EXPECT_TRUE(ShowsText(105, 170, "0.000 пк"));
}

TEST_F(StarInfo, RightClicksAndOtherLevelsLeaveTheSelection)
{
    game.ui.SelectedStar = 1;
    ClickMap(275, 170, 1);
    game.ui.map.MapLevel = 0;
    ClickMap(10, 10);
    game.ui.map.MapLevel = 2;
    ClickMap(275, 170);
    EXPECT_EQ(game.ui.SelectedStar, 1);
}

TEST_F(StarInfo, ShowsTheStarsFactsWithTheDistanceInParsecs)
{
    kv::kvStar& star = Galaxy().Stars[2];
    star.Y = 57.443;
    star.PlanetCount = 2;
    star.Planets[1].Name = "bamon";
    star.Planets[2].Name = "kelit";
    kv::DrawStarInfo(game, 2);
    EXPECT_TRUE(ShowsText(105, 130, "S2"));
    EXPECT_TRUE(ShowsText(105, 150, "G2"));
    EXPECT_TRUE(ShowsText(105, 170, "57.443 \xD0\xBF\xD0\xBA"));
    EXPECT_TRUE(ShowsText(105, 190, "Republic"));
    EXPECT_TRUE(ShowsText(105, 210, "5"));
    EXPECT_TRUE(ShowsText(105, 250, "kelit"));
    EXPECT_EQ(game.ui.hud.StarInfo.Face.Pixel(55, 90 - 22), (kv::Rgb{0, 255, 0}));  // the sphere's top: 8 x 2.8
}

TEST_F(StarInfo, AJumpSpendsTheFuelAndAnnouncesTheArrival)
{
    Galaxy().Stars[2].Y = 57.443;
    game.ui.hud.GoButton.Enabled = 1;
    JumpTo(2);
    EXPECT_DOUBLE_EQ(game.world.Ship.Fuel, 160.0 - 57.443);
    EXPECT_EQ(FuelUnits(), 10);  // the whole tens of 102.557
    EXPECT_EQ(game.world.Pilot.Star, 2);
    EXPECT_EQ(game.ui.hud.GoButton.Enabled, 0);
    EXPECT_NE(game.ui.Console.Entries[game.ui.Console.Count].Text.find("Arriving in system: S2"), std::string::npos);
    EXPECT_TRUE(switches.empty());
}

TEST_F(StarInfo, AJumpOverTheWholeRangeIsAllowedAndNoFurther)
{
    game.world.Ship.Engine.Consumption = 2.0;
    game.world.Ship.Fuel = 199.5;
    JumpTo(2);
    EXPECT_EQ(game.world.Pilot.Star, 1);
    game.world.Ship.Fuel = 200.0;
    JumpTo(2);
    EXPECT_EQ(game.world.Pilot.Star, 2);
    EXPECT_EQ(game.world.Ship.Fuel, 0.0);
    EXPECT_EQ(FuelUnits(), 0);
}

// The hold's units are never more than the reserve holds: 99.6 is 9 units,
// and selling all of them leaves the reserve at 9.6, not below 0.
TEST_F(StarInfo, TheHoldsFuelUnitsAreTheReservesWholeTens)
{
    Galaxy().Stars[2].Y = 60.4;
    JumpTo(2);
    ASSERT_NEAR(game.world.Ship.Fuel, 99.6, 1e-9);
    EXPECT_EQ(FuelUnits(), 9);
    for (int i = 0; i < 9; ++i) kv::SellOne(game.world, kv::FuelGoods);
    EXPECT_EQ(FuelUnits(), 0);
    EXPECT_NEAR(game.world.Ship.Fuel, 9.6, 1e-9);
}

// With the map hidden the window says "Nothing is selected"; "Go!" must not
// jump to the selection it hides, and comes back with the map.
TEST_F(StarInfo, GoIsOffOnlyWhileNothingIsShownSelected)
{
    ClickMap(275, 170);
    ASSERT_EQ(game.ui.hud.GoButton.Enabled, 1);
    kv::DrawStarInfo(game, 0);
    EXPECT_EQ(game.ui.hud.GoButton.Enabled, 0);
    EXPECT_TRUE(ShowsText(25, 170, "Nothing is selected"));
    kv::DrawStarInfo(game, game.ui.SelectedStar);
    EXPECT_EQ(game.ui.hud.GoButton.Enabled, 1);
    kv::DrawStarInfo(game, game.world.Pilot.Star);
    EXPECT_EQ(game.ui.hud.GoButton.Enabled, 0) << "another star shown";
    game.world.Ship.Fuel = 10;
    kv::DrawStarInfo(game, game.ui.SelectedStar);
    EXPECT_EQ(game.ui.hud.GoButton.Enabled, 0) << "out of reach";
}

TEST_F(StarInfo, GoWithoutADestinationNeverMovesTheShip)
{
    game.ui.hud.GoButton.Enabled = 1;
    const uint16_t messages = game.ui.Console.Count;
    for (int star : {0, 1, 3, 255}) JumpTo(static_cast<uint8_t>(star));  // none, here, beyond the galaxy
    EXPECT_EQ(game.world.Pilot.Star, 1);
    EXPECT_EQ(game.world.Ship.Fuel, 160.0);
    EXPECT_EQ(game.ui.Console.Count, messages);
}

TEST_F(StarInfo, AnArrivalWithAnAmbushSwitchesToCombat)
{
    JumpTo(2, true);
    EXPECT_EQ(switches, std::vector<uint8_t>{kv::SceneCombat});
}

}  // namespace
