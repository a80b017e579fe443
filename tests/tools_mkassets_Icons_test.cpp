// The game's icons as desktops and the window meet them: RGBA PNG files at
// every size, transparent around the planet, taken by the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "graphics/GameIcon.h"
#include "platform/Window.h"
#include "support/DataFiles.h"

namespace {

using kv::testing::GameDir;
using kv::testing::ReadBytes;

constexpr int Sizes[] = {16, 32, 48, 64, 128, 256};

uint32_t Big32(const std::vector<uint8_t>& b, std::size_t at)
{
    return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

// The rows of an icon, read from its one IDAT chunk of stored deflate
// blocks (the form the generator writes), each row led by its filter byte.
std::vector<uint8_t> StoredRows(const std::vector<uint8_t>& png)
{
    constexpr std::size_t Idat = 8 + 25;
    EXPECT_EQ(std::string(png.begin() + Idat + 4, png.begin() + Idat + 8), "IDAT");
    const std::size_t end = Idat + 8 + Big32(png, Idat);
    std::vector<uint8_t> rows;
    for (std::size_t at = Idat + 8 + 2; at + 5 <= end;) {
        const std::size_t n = png[at + 1] | std::size_t(png[at + 2]) << 8;
        rows.insert(rows.end(), png.begin() + static_cast<std::ptrdiff_t>(at + 5),
                    png.begin() + static_cast<std::ptrdiff_t>(at + 5 + n));
        if (png[at] & 1) break;
        at += 5 + n;
    }
    return rows;
}

uint8_t Alpha(const std::vector<uint8_t>& rows, int size, int x, int y)
{
    return rows[static_cast<std::size_t>(y) * (1 + 4 * static_cast<std::size_t>(size)) + 1 + 4 * static_cast<std::size_t>(x) + 3];
}

TEST(Icons, EverySizeIsAnRgbaPngTransparentAroundThePlanet)
{
    for (int size : Sizes) {
        SCOPED_TRACE(size);
        const auto png = ReadBytes(GameDir / "res" / "gfx" / "icons" / ("kvspace-" + std::to_string(size) + ".png"));
        ASSERT_GT(png.size(), 33u);
        EXPECT_EQ(std::vector<uint8_t>(png.begin(), png.begin() + 8),
                  (std::vector<uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
        EXPECT_EQ(Big32(png, 16), uint32_t(size));
        EXPECT_EQ(Big32(png, 20), uint32_t(size));
        EXPECT_EQ(png[24], 8);  // bits per channel
        EXPECT_EQ(png[25], 6);  // RGBA
        const auto rows = StoredRows(png);
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(size) * (1 + 4 * static_cast<std::size_t>(size)));
        EXPECT_EQ(Alpha(rows, size, 0, 0), 0);
        EXPECT_EQ(Alpha(rows, size, size - 1, size - 1), 0);
        EXPECT_EQ(Alpha(rows, size, size / 2, size / 2), 255);
        int partial = 0;
        for (int x = 0; x < size; ++x) partial += Alpha(rows, size, x, size / 2) % 255 != 0;
        EXPECT_GT(partial, 0) << "the edges are smoothed";
    }
}

// The window's icon is drawn by the game itself, so an installed game whose
// icon files went elsewhere still has one; the files are the same picture.
TEST(Icons, TheWindowDrawsTheSamePictureAsTheFilesAndRefusesABadSquare)
{
    const auto pixels = kv::GameIconPixels(64);
    const auto png = ReadBytes(GameDir / "res" / "gfx" / "icons" / "kvspace-64.png");
    const auto rows = StoredRows(png);
    ASSERT_EQ(pixels.size(), 64u * 64u * 4u);
    for (int y = 0; y < 64; ++y)
        ASSERT_TRUE(std::equal(pixels.begin() + y * 256, pixels.begin() + (y + 1) * 256,
                               rows.begin() + y * 257 + 1)) << "row " << y;
    kv::Window window;
    EXPECT_EQ(window.SetIcon(pixels, 64), std::nullopt);
    EXPECT_TRUE(window.SetIcon(pixels, 63).has_value());
    EXPECT_TRUE(window.SetIcon({}, 0).has_value());
}

TEST(Icons, TheScalableIconIsAnSvgOfTheWholeSquare)
{
    const auto svg = ReadBytes(GameDir / "res" / "gfx" / "icons" / "kvspace.svg");
    const std::string text(svg.begin(), svg.end());
    EXPECT_EQ(text.rfind("<?xml", 0), 0u);
    EXPECT_NE(text.find("<svg xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
    EXPECT_NE(text.find("viewBox=\"-1 -1 2 2\""), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 7), "</svg>\n");
}

}  // namespace
