// Text through the Fonts unit: the font mapping, the Fixedsys cell, glyphs
// without anti-aliasing and a steady baseline, as Canvas writes them.
#include "platform/Fonts.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

#include "platform/Canvas.h"
#include "support/Pictures.h"

namespace {

using kv::Bitmap;
using kv::Canvas;
using kv::Rgb;

constexpr Rgb Red{255, 0, 0};
constexpr Rgb Green{0, 255, 0};

using kv::testing::Blank;
using kv::testing::Count;

std::set<std::pair<int, int>> Drawn(const Bitmap& b, Rgb c)
{
    std::set<std::pair<int, int>> s;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) == c) s.insert({x, y});
    return s;
}

TEST(Fonts, FixedsysIsAnEightBySixteenCell)
{
    Bitmap b = Blank(10, 10);
    b.font = kv::Font{"Fixedsys", 9, Green};
    Canvas c(b);
    EXPECT_EQ(c.TextSize("A").Width, 8);
    EXPECT_EQ(c.TextSize("A").Height, 16);
    EXPECT_EQ(c.TextWidth("Hello, world"), 12 * 8);
    EXPECT_EQ(c.TextHeight("gjpqy"), 16);
    EXPECT_EQ(c.TextWidth("800х600 32 бит/пиксел 85 Гц"), 27 * 8);
    b.font.Size = 20;  // the size plays no part
    EXPECT_EQ(c.TextSize("AB").Width, 16);
    EXPECT_EQ(c.TextSize("").Width, 0);
}

TEST(Fonts, FontMapping)
{
    EXPECT_EQ(kv::MapFont({"Fixedsys", 12, kv::Black}).Pixels, 16);
    EXPECT_EQ(kv::MapFont({"MS Sans Serif", 30, kv::Black}).Pixels, 12);
    // Sizes from points at 96 DPI, moved to the nearest bitmap strike.
    // The display face takes the size asked for, from points at 96 DPI.
    EXPECT_EQ(kv::MapFont({"Arial", 20, kv::Black}).Pixels, 27);
    EXPECT_EQ(kv::MapFont({"arial", 8, kv::Black}).Pixels, 11);
    EXPECT_EQ(kv::MapFont({"Arial Black", 30, kv::Black}).Pixels, 40);
    EXPECT_EQ(kv::MapFont({"Wingdings", 9, kv::Black}), kv::MapFont({"ARIAL", 9, kv::Black}));
    // The HUD and the launcher in Terminus, from its bitmap strikes.
    const kv::FontFace hud = kv::MapFont({"Fixedsys", 9, kv::Black});
    EXPECT_NE(hud.Path.find("Terminus"), std::string::npos);
    EXPECT_EQ(kv::MapFont({"MS Sans Serif", 9, kv::Black}).Path, hud.Path);
    EXPECT_TRUE(kv::MapFont({"MS Sans Serif", 9, kv::Black}).BitmapCell);
    EXPECT_FALSE(hud.Embolden);
    // The large texts in a proportional display face, bold from its own file.
    for (const char* name : {"Arial", "Arial Black", "Wingdings"}) {
        const kv::FontFace face = kv::MapFont({name, 9, kv::Black});
        EXPECT_NE(face.Path, hud.Path) << name;
        EXPECT_FALSE(face.BitmapCell) << name;
    }
    EXPECT_NE(kv::MapFont({"Arial Black", 30, kv::Black}).Path, kv::MapFont({"Arial", 30, kv::Black}).Path);
}

// Glyph pixels only in the font colour: no anti-aliased fringe.
void ExpectOnlyTwoColours(const Bitmap& b, Rgb background, Rgb ink)
{
    EXPECT_EQ(Count(b, background) + Count(b, ink), b.Width() * b.Height());
    EXPECT_GT(Count(b, ink), 0);
}

TEST(Fonts, NoFringesOverTheTransparentColour)
{
    for (const kv::Font& font : {kv::Font{"Fixedsys", 9, Rgb{0, 249, 0}}, kv::Font{"Arial", 20, kv::Black},
                                 kv::Font{"Arial Black", 14, Rgb{0, 255, 0}}, kv::Font{"MS Sans Serif", 8, kv::White}}) {
        Bitmap b = Blank(400, 60, kv::ColourKey);
        b.font = font;
        b.brush.Style = kv::BrushStyle::Clear;
        Canvas c(b);
        c.TextOut(5, 10, "Start game 800х600 32 бит/пиксел 85 Гц");
        ExpectOnlyTwoColours(b, kv::ColourKey, font.Colour);
    }
}

// The crawl's heavy letters come from the display face's own bold file:
// wider and with more ink than the regular letters, and still without
// anti-aliased fringes.
TEST(Fonts, TheDisplayFacesBoldIsHeavier)
{
    Bitmap regular = Blank(200, 60, kv::ColourKey);
    regular.font = kv::Font{"Arial", 24, Green};
    regular.brush.Style = kv::BrushStyle::Clear;
    Bitmap bold = regular;
    bold.font.Name = "Arial Black";
    Canvas plain(regular);
    Canvas heavy(bold);
    EXPECT_LT(plain.TextWidth("Intro"), heavy.TextWidth("Intro"));
    plain.TextOut(4, 4, "Intro");
    heavy.TextOut(4, 4, "Intro");
    EXPECT_GT(Count(bold, Green), Count(regular, Green));
    ExpectOnlyTwoColours(bold, kv::ColourKey, Green);
}

TEST(Fonts, FixedsysGlyphsStayInTheirCell)
{
    Bitmap b = Blank(200, 60, kv::ColourKey);
    b.font = kv::Font{"Fixedsys", 9, Green};
    b.brush.Style = kv::BrushStyle::Clear;
    Canvas c(b);
    c.TextOut(10, 20, "gjÉ|_Жy");
    for (auto [x, y] : Drawn(b, Green)) {
        EXPECT_GE(x, 10);
        EXPECT_LT(x, 10 + 7 * 8);
        EXPECT_GE(y, 20);
        EXPECT_LT(y, 36);
    }
    EXPECT_EQ(b.PenX, 10 + 7 * 8);
    EXPECT_EQ(b.PenY, 20);
}

TEST(Fonts, SolidBrushFillsTheTextBoxFirst)
{
    Bitmap b = Blank(100, 40, kv::ColourKey);
    b.font = kv::Font{"Fixedsys", 9, Green};
    b.brush.SetColour(Red);
    Canvas c(b);
    c.TextOut(3, 4, "Hi");
    EXPECT_EQ(Count(b, Red) + Count(b, Green), 16 * 16);
    EXPECT_EQ(b.Pixel(3, 4), Red);
    EXPECT_EQ(b.Pixel(18, 19), Red);
    EXPECT_EQ(b.Pixel(19, 4), kv::ColourKey);
    EXPECT_EQ(b.Pixel(3, 20), kv::ColourKey);
}

// The lowest row of glyph pixels of the last letter: the baseline holds
// whether or not other letters rise above the font's line.
int LowestInk(const kv::Font& font, std::string_view text, int fromX)
{
    Bitmap b = Blank(200, 80, kv::ColourKey);
    b.font = font;
    b.brush.Style = kv::BrushStyle::Clear;
    Canvas c(b);
    c.TextOut(10, 20, text);
    int lowest = -1;
    for (auto [x, y] : Drawn(b, font.Colour))
        if (x >= fromX) lowest = std::max(lowest, y);
    return lowest;
}

TEST(Fonts, AccentsAboveTheLineKeepTheBaseline)
{
    const kv::Font font{"MS Sans Serif", 8, kv::Black};
    Bitmap probe(1, 1);
    probe.font = font;
    const Canvas c(probe);
    const int before = 10 + c.TextWidth("ÉÅ");
    EXPECT_EQ(LowestInk(font, "ÉÅH", before), LowestInk(font, "H", 10));
    EXPECT_EQ(LowestInk(font, "ÉÅH", before), LowestInk(font, "aaH", 10 + c.TextWidth("aa")));
}

}  // namespace
