#include "platform/Blit.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using kv::Bitmap;
using kv::BlitStyle;
using kv::Rgb;

constexpr Rgb Purple{128, 0, 128};

Bitmap Filled(int w, int h, Rgb c)
{
    Bitmap b(w, h);
    b.Fill(c);
    return b;
}

bool Same(const Bitmap& a, const Bitmap& b)
{
    return a.Width() == b.Width() && a.Height() == b.Height() &&
           std::memcmp(a.Data(), b.Data(), static_cast<std::size_t>(a.Height()) * a.Stride()) == 0;
}

// A picture with key-coloured holes and purple specks in a pattern that
// gives rows of several runs, runs at both edges and wholly keyed rows.
Bitmap Speckled(int w, int h)
{
    Bitmap b(w, h);
    uint32_t state = 12345;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            state = state * 1103515245u + 12345u;
            const uint32_t roll = (state >> 16) % 10;
            const Rgb c = roll < 3 ? kv::ColourKey : roll == 3 ? Purple
                                                               : Rgb{uint8_t(x * 7), uint8_t(y * 13), uint8_t(state >> 24)};
            b.SetPixel(x, y, y == 3 ? kv::ColourKey : c);
        }
    return b;
}

Bitmap Gradient(int w, int h)
{
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, Rgb{uint8_t(x * 9), uint8_t(y * 5), 77});
    return b;
}

// With and without the picture's runs, every placement, transparency, alpha
// and clip gives the same pixels.
void ExpectRunsGiveThePixelsOfTheKeyedCopy(const Bitmap& picture)
{
    const int width = picture.Width();
    const std::vector<kv::Transparency> keyings{{}, kv::KeyedBy(kv::ColourKey), kv::KeyedBy(kv::ColourKey, Purple)};
    for (const kv::Transparency& keys : keyings) {
        const kv::OpaqueRuns runs(picture, keys);
        for (const uint16_t alpha : {uint16_t{0}, uint16_t{100}, uint16_t{256}, uint16_t{999}})
            for (const kv::TargetClip clip : {kv::TargetClip::Whole, kv::TargetClip::ShortOfLastColumnAndRow})
                for (int y = -10; y <= 20; y += 3)
                    for (int x = -width - 1; x <= width + 7; x += 3) {
                        Bitmap byRuns = Gradient(width + 7, 16);
                        Bitmap byPixels = byRuns;
                        const BlitStyle style = BlitStyle().Keyed(keys).Blended(alpha).ClippedBy(clip);
                        kv::Blit(byRuns, x, y, picture, BlitStyle(style).WithRuns(&runs));
                        kv::Blit(byPixels, x, y, picture, style);
                        ASSERT_TRUE(Same(byRuns, byPixels)) << x << "," << y << " alpha " << alpha;
                        const kv::SourceArea inner{3, 2, 7, 5};
                        kv::Blit(byRuns, y, x, picture, BlitStyle(style).From(inner).WithRuns(&runs));
                        kv::Blit(byPixels, y, x, picture, BlitStyle(style).From(inner));
                        ASSERT_TRUE(Same(byRuns, byPixels)) << "part of it at " << y << "," << x;
                    }
    }
}

// A picture narrower than a blend's 32-byte vector, and one whose rows
// span several, which the masked pass widens to whole vectors.
TEST(Blit, RunsGiveThePixelsOfTheKeyedCopy)
{
    ExpectRunsGiveThePixelsOfTheKeyedCopy(Speckled(13, 9));
    ExpectRunsGiveThePixelsOfTheKeyedCopy(Speckled(41, 9));
}

TEST(Blit, KeysAlphaAndTheTargetsLastColumnAndRow)
{
    Bitmap picture = Filled(4, 4, Rgb{100, 200, 50});
    picture.SetPixel(1, 1, kv::ColourKey);
    picture.SetPixel(2, 2, Purple);

    Bitmap whole = Filled(4, 4, Rgb{0, 0, 0});
    kv::Blit(whole, 0, 0, picture, BlitStyle().Keyed(kv::KeyedBy(kv::ColourKey)));
    EXPECT_EQ(whole.Pixel(1, 1), (Rgb{0, 0, 0}));
    EXPECT_EQ(whole.Pixel(2, 2), Purple);
    EXPECT_EQ(whole.Pixel(3, 3), (Rgb{100, 200, 50}));

    Bitmap shortOf = Filled(4, 4, Rgb{0, 0, 0});
    kv::Blit(shortOf, 0, 0, picture, BlitStyle().Keyed(kv::KeyedBy(kv::ColourKey, Purple)).ShortOfLastColumnAndRow());
    EXPECT_EQ(shortOf.Pixel(2, 2), (Rgb{0, 0, 0}));
    EXPECT_EQ(shortOf.Pixel(2, 1), (Rgb{100, 200, 50}));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(shortOf.Pixel(3, i), (Rgb{0, 0, 0})) << i;
        EXPECT_EQ(shortOf.Pixel(i, 3), (Rgb{0, 0, 0})) << i;
    }

    // Alpha 128: half of each, each half rounded down.
    Bitmap blended = Filled(4, 4, Rgb{201, 100, 3});
    kv::Blit(blended, 0, 0, Filled(4, 4, Rgb{51, 250, 7}), BlitStyle().Blended(128));
    EXPECT_EQ(blended.Pixel(0, 0), (Rgb{125, 175, 4}));
}

// Every alpha, over every pair of bytes, gives (256 - alpha) * below / 256 +
// alpha * above / 256, each part rounded down: through the plain copy, and
// through the runs, by single runs and by a masked row.
TEST(Blit, BlendRoundsEachPartDown)
{
    Bitmap above(256, 256);
    Bitmap below(256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            above.SetPixel(x, y, Rgb{uint8_t(x), uint8_t(x), uint8_t(y)});
            below.SetPixel(x, y, Rgb{uint8_t(y), uint8_t(y), uint8_t(x)});
        }
    Bitmap holed = above;
    for (int y = 0; y < 256; ++y) holed.SetPixel(7, y, kv::ColourKey);
    const kv::Transparency keys = kv::KeyedBy(kv::ColourKey);
    const kv::OpaqueRuns runs(above, keys);
    const kv::OpaqueRuns holedRuns(holed, keys);
    for (unsigned alpha = 0; alpha <= 256; ++alpha) {
        Bitmap plain = below;
        Bitmap byRuns = below;
        Bitmap byMask = below;
        kv::Blit(plain, 0, 0, above, BlitStyle().Blended(uint16_t(alpha)));
        kv::Blit(byRuns, 0, 0, above, BlitStyle().Keyed(keys).Blended(uint16_t(alpha)).WithRuns(&runs));
        kv::Blit(byMask, 0, 0, holed, BlitStyle().Keyed(keys).Blended(uint16_t(alpha)).WithRuns(&holedRuns));
        for (int y = 0; y < 256; ++y) {
            const uint8_t* a = above.Row(y);
            const uint8_t* b = below.Row(y);
            const uint8_t* p = plain.Row(y);
            const uint8_t* r = byRuns.Row(y);
            const uint8_t* m = byMask.Row(y);
            for (int i = 0; i < 256 * 3; ++i) {
                const auto expected = uint8_t(((256 - alpha) * b[i] >> 8) + (alpha * a[i] >> 8));
                ASSERT_EQ(p[i], expected) << "alpha " << alpha << " below " << int(b[i]) << " above " << int(a[i]);
                ASSERT_EQ(r[i], expected) << "alpha " << alpha << " by runs, byte " << i;
                ASSERT_EQ(m[i], i / 3 == 7 ? b[i] : expected) << "alpha " << alpha << " by mask, byte " << i;
            }
        }
    }
}

// A source area reads only what lies inside the picture, and no position,
// however far, writes outside the target.
TEST(Blit, AreasAndPositionsAnywhere)
{
    const Bitmap picture = Gradient(6, 5);
    Bitmap target = Filled(10, 10, Rgb{1, 2, 3});
    kv::Blit(target, 2, 2, picture, BlitStyle().From({4, 3, 5, 5}));
    EXPECT_EQ(target.Pixel(2, 2), picture.Pixel(4, 3));
    EXPECT_EQ(target.Pixel(3, 3), picture.Pixel(5, 4));
    EXPECT_EQ(target.Pixel(4, 2), (Rgb{1, 2, 3})) << "column 6 of the area is outside the picture";
    EXPECT_EQ(target.Pixel(2, 4), (Rgb{1, 2, 3})) << "row 5 of the area is outside the picture";

    kv::Blit(target, 0, 0, picture, BlitStyle().From({-3, -2, 4, 4}));
    EXPECT_EQ(target.Pixel(3, 2), picture.Pixel(0, 0));
    EXPECT_EQ(target.Pixel(2, 2), picture.Pixel(4, 3)) << "nothing read from before the picture";

    const Bitmap before = target;
    const std::vector<int64_t> far{INT_MIN, INT_MIN + 3, -7, 10, INT_MAX - 2, INT_MAX, INT64_MAX / 4, INT64_MIN / 4};
    for (const int64_t x : far)
        for (const int64_t y : far) {
            kv::Blit(target, x, y, picture, BlitStyle().Keyed(kv::KeyedBy(kv::ColourKey)));
            kv::Blit(target, 0, 0, picture, BlitStyle().From({x, y, 6, 5}));
        }
    EXPECT_TRUE(Same(before, target));
    kv::Blit(target, 0, 0, picture, BlitStyle().From({0, 0, -5, INT_MAX}));
    EXPECT_TRUE(Same(before, target)) << "a negative width copies nothing";
}

// Runs found for an earlier content of the picture are passed over.
TEST(Blit, StaleRunsAreNotUsed)
{
    Bitmap picture = Filled(5, 1, kv::ColourKey);
    const kv::OpaqueRuns runs(picture, kv::KeyedBy(kv::ColourKey));
    picture.SetPixel(2, 0, kv::White);
    Bitmap target = Filled(5, 1, kv::Black);
    kv::Blit(target, 0, 0, picture, BlitStyle().Keyed(kv::KeyedBy(kv::ColourKey)).WithRuns(&runs));
    EXPECT_EQ(target.Pixel(2, 0), kv::White);
    EXPECT_EQ(target.Pixel(1, 0), kv::Black);
}

}  // namespace
