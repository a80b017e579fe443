#include "navigation/StarMap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "support/Pictures.h"
#include "support/SmallGalaxy.h"

namespace {

using kv::Point;
using kv::Rgb;

constexpr Rgb FirstStarFill{0x00, 0xFF, 0x00};
constexpr Rgb StarFill{0x00, 0xFE, 0x00};
constexpr Rgb CurrentStarFill{0xFE, 0x00, 0xFF};
constexpr Rgb SelectedStarFill{0xFF, 0xFF, 0x00};
constexpr Rgb Wireframe{0x00, 0xFE, 0x00};
constexpr Rgb JumpInRange{0xFF, 0xFF, 0x00};
constexpr Rgb JumpOutOfRange{0xCC, 0x00, 0x00};
constexpr double Quarter = std::numbers::pi / 2;

class StarMap : public kv::testing::SmallGalaxy {
protected:
    Point Seen(std::size_t star) const { return kv::GalaxyViewPoint(game, game.projection.ProjectedStars[star]); }
    void Project() { kv::ProjectGalaxy(game, Galaxy()); }

    std::vector<uint8_t> Order() const
    {
        std::vector<uint8_t> order;
        for (std::size_t k = 1; k <= (*game.galaxies)[1].StarCount; ++k) order.push_back(game.projection.DrawOrder[k]);
        return order;
    }

    // Whether the map's inside, away from the buttons and the axis cross,
    // shows nothing but the background picture.
    bool InsideIsBare() const
    {
        const kv::Bitmap& main = game.hud.StarMapImages[0];
        for (int y = 60; y < 300; ++y)
            for (int x = 40; x < 260; ++x)
                if (MapPixel(x, y) != main.Pixel(x - 21, y - 20)) return false;
        return true;
    }
};

TEST_F(StarMap, BothAnglesZeroShowTheGalaxyFromAboveAndTheAnglesTurnIt)
{
    AddStar(0, 0, 0);
    AddStar(0, 100, 0);
    AddStar(50, 0, 0);
    AddStar(0, 0, 50);
    Project();
    EXPECT_EQ(Seen(1).X, 175);
    EXPECT_EQ(Seen(1).Y, 170);
    EXPECT_EQ(Seen(2).X, 275);  // y runs to the right
    EXPECT_EQ(Seen(2).Y, 170);
    EXPECT_EQ(Seen(3).X, 175);  // x runs up
    EXPECT_EQ(Seen(3).Y, 120);
    EXPECT_DOUBLE_EQ(game.projection.ProjectedStars[4].PZ, -50.0 + 1.0);  // depth keeps the zoom term

    game.map.MapSpin = Quarter;
    Project();
    EXPECT_EQ(Seen(2).X, 175);
    EXPECT_EQ(Seen(2).Y, 70);
    EXPECT_EQ(Seen(3).X, 125);

    game.map.MapSpin = 0;
    game.map.MapTilt = Quarter;  // seen edge on: height shows downwards
    Project();
    EXPECT_EQ(Seen(4).Y, 220);
    EXPECT_EQ(Seen(3).Y, 170);
    EXPECT_NEAR(game.projection.ProjectedAxes[2].Y, 30.0, 1e-12);
}

TEST_F(StarMap, DrawOrderRunsFromFarToNearAndKeepsEqualDepthsInNumberOrder)
{
    for (double z : {10.0, -5.0, 10.0, 0.0, 10.0}) AddStar(0, 0, z);
    Project();
    EXPECT_EQ(Order(), (std::vector<uint8_t>{1, 3, 5, 4, 2}));
    EXPECT_EQ(game.projection.DrawOrder[6], 6);  // entries past the stars count on
}

TEST_F(StarMap, DiscsMarkTheCurrentStarAndTheSelectedOne)
{
    AddStar(0, 0, 0);
    AddStar(0, 100, 0);
    AddStar(0, -100, 0);
    AddStar(80, 0, 0);
    game.Pilot.Star = 4;
    game.SelectedStar = 2;
    kv::DrawStarMap(game);
    EXPECT_EQ(MapPixel(175, 170), FirstStarFill);  // the first disc keeps the redraw's first brush
    EXPECT_EQ(MapPixel(275, 170), SelectedStarFill);
    EXPECT_EQ(MapPixel(75, 170), StarFill);
    EXPECT_EQ(MapPixel(175, 90), CurrentStarFill);

    game.SelectedStar = 4;  // both current and selected
    kv::DrawStarMap(game);
    EXPECT_EQ(MapPixel(175, 90), SelectedStarFill);
    EXPECT_EQ(MapPixel(275, 170), StarFill);
}

TEST_F(StarMap, DiscSizeFollowsDepthNotZoom)
{
    AddStar(0, 50, -110);  // depth 111: (111 + 100) / 30 = 7.03, plus 2 either side
    kv::DrawStarMap(game);
    EXPECT_EQ(MapPixel(225 + 7, 170), CurrentStarFill);  // the ship is at star 1
    EXPECT_EQ(MapPixel(225 + 9, 170), game.hud.StarMapImages[0].Pixel(225 + 9 - 21, 170 - 20));

    kv::WheelZoom(game, -120 * 20);
    EXPECT_EQ(game.map.MapZoom, 0.0);
    EXPECT_EQ(MapPixel(175 + 7, 170), CurrentStarFill);  // on the centre, as large as before
}

TEST_F(StarMap, JumpLineIsYellowWithinRangeAndRedAtExactlyTheRange)
{
    AddStar(0, 0, 0);
    AddStar(0, 100, 0);
    game.SelectedStar = 2;
    game.Ship.Fuel = 100.0;
    kv::DrawStarMap(game);
    EXPECT_EQ(MapPixel(225, 170), JumpOutOfRange);
    game.Ship.Fuel = 100.5;
    kv::DrawStarMap(game);
    EXPECT_EQ(MapPixel(225, 170), JumpInRange);
}

TEST_F(StarMap, SystemLevelWithoutSelectionAndEmptyLevelShowOnlyTheFrame)
{
    AddStar(0, 0, 0);
    game.map.MapLevel = 0;
    kv::DrawStarMap(game);
    EXPECT_TRUE(InsideIsBare());

    game.SelectedStar = 1;
    kv::DrawStarMap(game);
    EXPECT_FALSE(InsideIsBare());
    EXPECT_EQ(MapPixel(175, 175 - 8), Wireframe);  // the star's sphere, radius Size x zoom

    game.map.MapLevel = 2;
    kv::DrawStarMap(game);
    EXPECT_TRUE(InsideIsBare());
}

TEST_F(StarMap, ZoomButtonsStepTheLevelsAndTheWheelStopsAtZero)
{
    AddStar(0, 100, 0);
    kv::WheelZoom(game, -120 * 20);
    EXPECT_EQ(game.map.MapZoom, 0.0);
    kv::ProjectGalaxy(game, Galaxy());
    EXPECT_EQ(Seen(1).X, 175);  // every star on the centre
    kv::WheelZoom(game, 120);
    EXPECT_NEAR(game.map.MapZoom, 0.12, 1e-12);

    kv::ZoomOut(game);
    kv::ZoomOut(game);
    kv::ZoomOut(game);
    EXPECT_EQ(game.map.MapLevel, 2);
    EXPECT_NEAR(game.map.MapZoom, 0.12, 1e-12);
    kv::ZoomIn(game);
    EXPECT_EQ(game.map.MapLevel, 1);
    EXPECT_EQ(game.map.MapZoom, 1.0);
    kv::ZoomIn(game);
    kv::ZoomIn(game);
    EXPECT_EQ(game.map.MapLevel, 0);
    EXPECT_EQ(game.RepaintNeeded, 1);
}

TEST_F(StarMap, DraggingTurnsTheViewARadianFor180PixelsAndTheButtonsToggle)
{
    kv::TurnStarMap(game, 90, -180);
    EXPECT_DOUBLE_EQ(game.map.MapSpin, -0.5);
    EXPECT_DOUBLE_EQ(game.map.MapTilt, 1.0);

    kv::ToggleEcliptic(game);
    kv::ToggleAxes(game);
    EXPECT_TRUE(game.map.ShowEcliptic);
    EXPECT_FALSE(game.map.ShowAxes);
}

TEST_F(StarMap, PlaneRingAndDropLinesFollowTheTilt)
{
    AddStar(0, 0, 60);
    game.map.ShowEcliptic = true;
    kv::DrawStarMap(game);
    EXPECT_EQ(MapPixel(175 + 150, 170), Rgb(0xBB, 0xFF, 0xBB));  // the ring at 90 degrees

    game.map.MapTilt = Quarter;  // edge on: the star 60 below the plane line
    kv::DrawStarMap(game);
    EXPECT_EQ(MapPixel(175, 170 + 30), Rgb(0xBB, 0xFF, 0xBB));
}

// The pen pixels of a drawing on black, as distances from (100, 100).
std::vector<double> DrawnRadii(const kv::Bitmap& b)
{
    std::vector<double> radii;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) != kv::Black) radii.push_back(std::hypot(x - 100, y - 100));
    return radii;
}

TEST(Wireframes, SpheresAndRingsKeepTheirRadiusAndEdgeOnRingsAreFlat)
{
    kv::Bitmap b = kv::testing::Blank(200, 200, kv::Black);
    b.pen.Colour = Wireframe;
    kv::DrawOrbit(50, 100, 100, b, 0.3, 0.0, 40.0);
    for (double r : DrawnRadii(b)) EXPECT_NEAR(r, 40.0, 1.5);

    b.Fill(kv::Black);
    kv::DrawOrbit(50, 100, 100, b, 0.0, Quarter, 40.0);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            if (b.Pixel(x, y) != kv::Black) {
                EXPECT_EQ(y, 100);
            }
    EXPECT_EQ(b.Pixel(61, 100), Wireframe);
    EXPECT_EQ(b.Pixel(139, 100), Wireframe);

    b.Fill(kv::Black);
    kv::DrawSphere(20, 100, 100, b, 0.7, 0.4, 40.0);
    const std::vector<double> radii = DrawnRadii(b);
    ASSERT_FALSE(radii.empty());
    for (double r : radii) EXPECT_LE(r, 41.5);
    EXPECT_GT(*std::max_element(radii.begin(), radii.end()), 39.0);

    b.Fill(kv::Black);
    kv::DrawSphere(20, 100, 100, b, 0.7, 0.4, 0.2);  // a point: every line has no length
    EXPECT_TRUE(DrawnRadii(b).empty());
}

TEST(Wireframes, GridsBeyondFiftyPointsAreDrawnAtFifty)
{
    kv::Bitmap fifty = kv::testing::Blank(200, 200, kv::Black);
    fifty.pen.Colour = Wireframe;
    kv::Bitmap more = fifty;
    kv::DrawSphere(50, 100, 100, fifty, 0.2, 0.5, 60.0);
    kv::DrawSphere(500, 100, 100, more, 0.2, 0.5, 60.0);
    kv::DrawOrbit(50, 100, 100, fifty, 0.2, 0.5, 80.0);
    kv::DrawOrbit(500, 100, 100, more, 0.2, 0.5, 80.0);
    EXPECT_EQ(kv::testing::Count(fifty, Wireframe), kv::testing::Count(more, Wireframe));
}

}  // namespace
