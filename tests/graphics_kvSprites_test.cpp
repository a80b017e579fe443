#include "graphics/kvSprites.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "graphics/Geometry.h"

namespace {

constexpr kv::Rgb Red{255, 0, 0};
constexpr kv::Rgb Blue{0, 0, 255};

kv::kvSprite RedSquare()
{
    kv::kvSprite s;
    s.Width = 4;
    s.Height = 4;
    s.Image.SetSize(4, 4);
    s.Image.Fill(Red);
    s.Image.SetPixel(1, 1, kv::ColourKey);
    s.SavedBackground.SetSize(4, 4);
    return s;
}

TEST(Sprite, DrawsKeyedAndLeavesTheLastRowAndColumn)
{
    kv::kvSprite s = RedSquare();
    kv::Bitmap canvas(10, 10);
    canvas.Fill(Blue);
    s.X = 2;
    s.Y = 3;
    s.Draw(canvas);
    EXPECT_EQ(canvas.Pixel(2, 3), Red);
    EXPECT_EQ(canvas.Pixel(4, 5), Red);
    EXPECT_EQ(canvas.Pixel(3, 4), Blue);  // transparent picture pixel
    EXPECT_EQ(canvas.Pixel(5, 3), Blue);  // last column never shown
    EXPECT_EQ(canvas.Pixel(2, 6), Blue);  // last row never shown
}

TEST(Sprite, MoveRestoresWhatItCovered)
{
    kv::kvSprite s = RedSquare();
    kv::Bitmap canvas(10, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) canvas.SetPixel(x, y, kv::Rgb{uint8_t(x * 20), uint8_t(y * 20), 7});
    const kv::Bitmap original = canvas;
    s.Draw(canvas);
    s.MoveTo(5, 5, canvas);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) ASSERT_EQ(canvas.Pixel(x, y), original.Pixel(x, y)) << x << "," << y;
    EXPECT_EQ(canvas.Pixel(5, 5), Red);

    const kv::Bitmap before = canvas;
    s.MoveTo(5, 5, canvas);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(canvas.Pixel(x, y), before.Pixel(x, y));
}

TEST(Sprite, ClipsAtTheCanvasEdges)
{
    kv::kvSprite s = RedSquare();
    kv::Bitmap canvas(10, 10);
    canvas.Fill(Blue);
    s.X = -2;
    s.Y = -2;
    s.Draw(canvas);
    EXPECT_EQ(canvas.Pixel(0, 0), Red);
    s.MoveTo(8, 9, canvas);
    EXPECT_EQ(canvas.Pixel(0, 0), Blue);
    EXPECT_EQ(canvas.Pixel(9, 9), Red);
    s.MoveTo(5000, -7000, canvas);
    EXPECT_EQ(canvas.Pixel(9, 9), Blue);
}

// The pointer can be dragged out of the window on any side, and a scaled
// window reports positions far beyond it: wherever it goes, the sprite copies
// nothing outside the canvas, and the canvas is whole again once it has gone.
TEST(Sprite, AnyPointerPositionIsHarmless)
{
    constexpr int Lowest = std::numeric_limits<int32_t>::min();
    constexpr int Highest = std::numeric_limits<int32_t>::max();
    const int places[] = {-16, -4, -3, 0, 7, 9, 10, 11, 801, Lowest, Lowest + 1, Highest, Highest - 2};
    kv::kvSprite s = RedSquare();
    kv::Bitmap canvas(10, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) canvas.SetPixel(x, y, kv::Rgb{uint8_t(x * 20), uint8_t(y * 20), 7});
    const kv::Bitmap original = canvas;
    s.Draw(canvas);
    for (int x : places)
        for (int y : places) s.MoveTo(x, y, canvas);
    s.MoveTo(Lowest, 3, canvas);
    s.Draw(canvas);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(canvas.Pixel(x, y), original.Pixel(x, y)) << x << "," << y;
    // Half off the left edge, as a drag out of the window leaves it.
    s.MoveTo(-2, 4, canvas);
    EXPECT_EQ(canvas.Pixel(0, 4), Red);
    EXPECT_EQ(canvas.Pixel(1, 4), original.Pixel(1, 4));
}

TEST(Geometry, HitTestsIncludeTheirEdges)
{
    EXPECT_TRUE(kv::PointInRect({0, 0}, 0, 0, 9, 9));
    EXPECT_TRUE(kv::PointInRect({9, 9}, 0, 0, 9, 9));
    EXPECT_FALSE(kv::PointInRect({10, 5}, 0, 0, 9, 9));
    EXPECT_FALSE(kv::PointInRect({5, -1}, 0, 0, 9, 9));
    EXPECT_TRUE(kv::PointInCircle({103, 104}, 5, {100, 100}));
    EXPECT_FALSE(kv::PointInCircle({104, 104}, 5, {100, 100}));
    EXPECT_TRUE(kv::PointInCircle({-40000, 0}, 40000, {0, 0}));
}

TEST(Geometry, ScatterStarsDrawsWhitePixelsInTheFrame)
{
    kv::Bitmap sky(800, 600);
    sky.Fill(kv::Black);
    kv::Random random(12345);
    kv::ScatterStars(800, sky, random);
    int white = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) white += sky.Pixel(x, y) == kv::White;
    EXPECT_GT(white, 780);
    EXPECT_LE(white, 800);
}

}  // namespace
