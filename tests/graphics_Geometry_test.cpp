// Rotation strips and the battle's star field.
#include "graphics/Geometry.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/Pictures.h"

namespace {

using kv::testing::Blank;

kv::Bitmap Patterned(int w, int h)
{
    kv::Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, kv::Rgb{static_cast<uint8_t>(x * 9), static_cast<uint8_t>(y * 7), 40});
    return b;
}

TEST(GeometryStrip, LastFrameIsTheSourceAndTurnedCornersAreTransparent)
{
    const kv::Bitmap source = Patterned(11, 9);
    const kv::Bitmap strip = kv::MakeRotationStrip(source, 8);
    ASSERT_EQ(strip.Width(), 11);
    ASSERT_EQ(strip.Height(), 72);
    EXPECT_EQ(0, std::memcmp(strip.Row(63), source.Data(), 11 * 9 * 3)) << "frame 8 of 8";
    EXPECT_EQ(strip.Pixel(0, 0), kv::ColourKey) << "frame 1, 45 degrees: the corner comes from outside";
    EXPECT_EQ(strip.Pixel(10, 8), kv::ColourKey);
    EXPECT_EQ(strip.Pixel(5, 4), source.Pixel(5, 4)) << "the centre stays";
}

TEST(GeometryStrip, FramesTurnClockwiseOnTheScreen)
{
    kv::Bitmap source = Blank(9, 9, kv::ColourKey);
    source.SetPixel(7, 4, kv::White);  // right of the centre (4, 4)
    const kv::Bitmap strip = kv::MakeRotationStrip(source, 4);
    EXPECT_EQ(strip.Pixel(4, 7), kv::White) << "frame 1, 90 degrees: below the centre";
    EXPECT_EQ(strip.Pixel(1, 9 + 4), kv::White) << "frame 2, 180 degrees: left";
    EXPECT_EQ(strip.Pixel(4, 18 + 1), kv::White) << "frame 3, 270 degrees: above";
}

TEST(GeometryStars, FieldIsDrawnXThenYAndDriftsInTenLayers)
{
    kv::StarField stars;
    kv::Random random(77);
    kv::InitStarField(stars, random);
    kv::Random replay(77);
    const double x1 = replay.Next(800);
    const double y1 = replay.Next(600);
    EXPECT_EQ(stars[1].X, x1);
    EXPECT_EQ(stars[1].Y, y1);

    for (kv::Star& s : stars) s = kv::Star{400, 300};
    kv::Bitmap frame = Blank(800, 600, kv::Black);
    kv::DrawStarField(stars, frame, 10, -10);
    EXPECT_DOUBLE_EQ(stars[1].X, 390) << "layer 1 at full speed";
    EXPECT_DOUBLE_EQ(stars[9].X, 398) << "layer 9 at 0.2";
    EXPECT_DOUBLE_EQ(stars[10].X, 399) << "layer 0 at 0.1";
    EXPECT_DOUBLE_EQ(stars[10].Y, 301);
    EXPECT_EQ(frame.Pixel(390, 310), kv::White);
}

TEST(GeometryStars, StarsWrapAtTheFrameAndOneOnTheEdgeStaysOutside)
{
    kv::StarField stars;
    for (kv::Star& s : stars) s = kv::Star{100, 100};
    stars[1] = kv::Star{0.5, 599.5};
    stars[11] = kv::Star{800, 600};
    kv::Bitmap frame = Blank(800, 600, kv::Black);
    kv::DrawStarField(stars, frame, 1, -1);
    EXPECT_DOUBLE_EQ(stars[1].X, 800) << "below 0 goes to 800";
    EXPECT_DOUBLE_EQ(stars[1].Y, 0) << "beyond 600 goes to 0";
    EXPECT_DOUBLE_EQ(stars[11].X, 799);
    EXPECT_DOUBLE_EQ(stars[11].Y, 0);

    for (kv::Star& s : stars) s = kv::Star{800, 600};
    kv::Bitmap still = Blank(800, 600, kv::Black);
    kv::DrawStarField(stars, still, 0, 0);
    EXPECT_DOUBLE_EQ(stars[5].X, 800) << "exactly on the edge is not wrapped";
    EXPECT_EQ(kv::testing::Count(still, kv::White), 0) << "and is plotted where it is not seen";
}

}  // namespace
