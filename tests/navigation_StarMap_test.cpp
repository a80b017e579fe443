#include "navigation/StarMap.h"

#include <gtest/gtest.h>

#include <numbers>

#include "support/Pictures.h"
#include "support/SmallGalaxy.h"

namespace {

using kv::Rgb;

constexpr Rgb StarFill{0x00, 0xFE, 0x00};  // also the system view's wireframes
constexpr Rgb CurrentStarFill{0xFE, 0x00, 0xFF};
constexpr Rgb SelectedStarFill{0xFF, 0xFF, 0x00};
constexpr double Quarter = std::numbers::pi / 2;

class StarMap : public kv::testing::SmallGalaxy {
protected:
    kv::Point Seen(std::size_t star)
    {
        kv::ProjectGalaxy(game.ui.map, Galaxy(), game.ui.projection);
        return kv::GalaxyViewPoint(game.ui, game.ui.projection.ProjectedStars[star]);
    }

    // The map's inside, away from the buttons and the axis cross, shows only
    // its background picture.
    bool InsideIsBare() const
    {
        for (int y = 60; y < 300; ++y)
            for (int x = 40; x < 260; ++x)
                if (MapPixel(x, y) != game.ui.hud.StarMapImages[0].Pixel(x - 21, y - 20)) return false;
        return true;
    }
};

TEST_F(StarMap, SeenFromAboveAtBothAnglesZeroAndTurnedByThem)
{
    AddStar(0, 100, 0);
    AddStar(50, 0, 0);
    AddStar(0, 0, 50);
    EXPECT_EQ(Seen(1).X, 275);  // y to the right of the centre (175, 170)
    EXPECT_EQ(Seen(2).Y, 120);  // x up
    game.ui.map.MapSpin = Quarter;
    EXPECT_EQ(Seen(1).Y, 70);
    game.ui.map.MapSpin = 0;
    game.ui.map.MapTilt = Quarter;  // edge on: height shows downwards
    EXPECT_EQ(Seen(3).Y, 220);
    EXPECT_NEAR(game.ui.projection.ProjectedAxes[2].Y, 30.0, 1e-12);
}

TEST_F(StarMap, DrawOrderRunsFromFarToNearAndKeepsEqualDepthsInNumberOrder)
{
    for (double z : {10.0, -5.0, 10.0, 0.0, 10.0}) AddStar(0, 0, z);
    kv::ProjectGalaxy(game.ui.map, Galaxy(), game.ui.projection);
    const auto& order = game.ui.projection.DrawOrder;
    EXPECT_EQ((std::vector<int>{order[1], order[2], order[3], order[4], order[5]}), (std::vector<int>{1, 3, 5, 4, 2}));
}

TEST_F(StarMap, DiscsMarkTheCurrentAndSelectedStarsAndTheFirstKeepsItsOwnGreen)
{
    AddStar(0, 0, 0);
    AddStar(0, 100, 0);
    AddStar(80, 0, 0);
    game.world.Pilot.Star = 3;
    game.ui.SelectedStar = 2;
    kv::DrawStarMap(game);
    EXPECT_EQ(MapPixel(175, 170), (Rgb{0x00, 0xFF, 0x00}));
    EXPECT_EQ(MapPixel(275, 170), SelectedStarFill);
    EXPECT_EQ(MapPixel(175, 90), CurrentStarFill);
    game.ui.SelectedStar = 3;  // current and selected: yellow
    kv::DrawStarMap(game);
    EXPECT_EQ(MapPixel(175, 90), SelectedStarFill);
    EXPECT_EQ(MapPixel(275, 170), StarFill);
}

TEST_F(StarMap, JumpLineIsRedWhenTheDistanceEqualsTheRange)
{
    AddStar(0, 0, 0);
    AddStar(0, 100, 0);
    game.ui.SelectedStar = 2;
    game.world.Ship.Fuel = 100.0;
    kv::DrawStarMap(game);
    EXPECT_EQ(MapPixel(225, 170), (Rgb{0xCC, 0x00, 0x00}));
    game.world.Ship.Fuel = 100.5;
    kv::DrawStarMap(game);
    EXPECT_EQ(MapPixel(225, 170), (Rgb{0xFF, 0xFF, 0x00}));
}

// The selected star's name, pale blue with a black outline, goes to the side
// of its disc where it covers neither the current star nor any other disc,
// and the axis labels stay inside the frame.
TEST_F(StarMap, TheNameStandsClearOfTheCurrentStarAndTheAxisLabelsInsideTheFrame)
{
    constexpr Rgb NameColour{0xC8, 0xE6, 0xFF};
    AddStar(0, 0, 0);    // current, at (175, 170)
    AddStar(0, -25, 0);  // selected, at (150, 170): its name on the right would reach the current star
    game.ui.SelectedStar = 2;
    kv::DrawStarMap(game);
    int left = 0, between = 0;
    for (int y = 150; y < 190; ++y)
        for (int x = 100; x < 175; ++x) {
            if (MapPixel(x, y) != NameColour) continue;
            if (x < 145) ++left;
            else ++between;
        }
    EXPECT_GT(left, 20);
    EXPECT_EQ(between, 0);

    // Unturned, the Y axis ends on the frame's right border at x 330; its
    // label is pulled back inside.
    for (int y = 40; y < 80; ++y)
        for (int x = 330; x < 350; ++x) EXPECT_NE(MapPixel(x, y), (Rgb{0xFF, 0xFF, 0x00})) << x << "," << y;
}

TEST_F(StarMap, SystemLevelNeedsASelectionAndTheEmptyLevelShowsNothing)
{
    AddStar(0, 0, 0);
    game.ui.map.MapLevel = 0;
    kv::DrawStarMap(game);
    EXPECT_TRUE(InsideIsBare());
    game.ui.SelectedStar = 1;
    kv::DrawStarMap(game);
    // The star's disc, radius Size x zoom, lit from the upper left.
    const kv::Bitmap& background = game.ui.hud.StarMapImages[0];
    EXPECT_NE(MapPixel(175, 175 - 7), background.Pixel(175 - 21, 175 - 7 - 20));
    EXPECT_EQ(MapPixel(175, 175 - 9), background.Pixel(175 - 21, 175 - 9 - 20));
    const Rgb lit = MapPixel(172, 172), far = MapPixel(178, 178);
    EXPECT_GT(lit.R + lit.G + lit.B, far.R + far.G + far.B);
    game.ui.map.MapLevel = 2;
    kv::DrawStarMap(game);
    EXPECT_TRUE(InsideIsBare());
}

TEST_F(StarMap, ZoomZeroCollapsesTheGalaxyButNotTheDiscsAndZoomInRestoresOne)
{
    AddStar(0, 50, -110);  // depth 111: half-size (111 + 100) / 30 = 7.03, plus 2
    kv::WheelZoom(game, -120 * 20);
    kv::ComposeMarkedPanels(game);
    EXPECT_EQ(game.ui.map.MapZoom, 0.0);
    EXPECT_EQ(MapPixel(175 + 7, 170), CurrentStarFill);
    EXPECT_NE(MapPixel(175 + 9, 170), CurrentStarFill);

    for (int i = 0; i < 3; ++i) kv::ZoomOut(game);
    EXPECT_EQ(game.ui.map.MapLevel, 2);
    EXPECT_EQ(game.ui.map.MapZoom, 0.0);
    kv::ZoomIn(game);
    EXPECT_EQ(game.ui.map.MapLevel, 1);
    EXPECT_EQ(game.ui.map.MapZoom, 1.0);
    kv::ZoomIn(game);
    kv::ZoomIn(game);
    EXPECT_EQ(game.ui.map.MapLevel, 0);
}

TEST(Wireframes, EdgeOnRingsAreFlatAndGridsStopAtFiftyPoints)
{
    kv::Bitmap b = kv::testing::Blank(200, 200, kv::Black);
    b.pen.Colour = StarFill;
    kv::DrawOrbit(50, 100, 100, b, 0.0, Quarter, 40.0);
    EXPECT_EQ(kv::testing::Count(b, StarFill), 81);  // row 100, from x 60 to 140

    kv::Bitmap fifty = kv::testing::Blank(200, 200, kv::Black);
    fifty.pen.Colour = StarFill;
    kv::Bitmap more = fifty;
    kv::DrawSphere(50, 100, 100, fifty, 0.2, 0.5, 60.0);
    kv::DrawSphere(500, 100, 100, more, 0.2, 0.5, 60.0);
    EXPECT_EQ(kv::testing::Count(fifty, StarFill), kv::testing::Count(more, StarFill));
}

}  // namespace
