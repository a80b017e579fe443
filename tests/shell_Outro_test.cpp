#include "shell/Outro.h"

#include <gtest/gtest.h>

namespace {

// Eight pixels a letter, as the fixed-width HUD font.
int Fixed(std::string_view text) { return static_cast<int>(text.size()) * 8; }

TEST(OutroLayout, JustifiedLineSpansTheWidth)
{
    const auto words = kv::LayOutOutroLine("ab cde fg ", Fixed);
    ASSERT_EQ(words.size(), 3u);
    // w = 56, gap = (800 - 56) div 2 = 372
    EXPECT_EQ(words[0].Left, 0);
    EXPECT_EQ(words[1].Left, 16 + 372);
    EXPECT_EQ(words[2].Left, 40 + 2 * 372);
    EXPECT_EQ(words[2].Left + Fixed(words[2].Text), 800);

    const auto uneven = kv::LayOutOutroLine("a bb ccc ", Fixed);  // w 48, gap 376
    EXPECT_EQ(uneven[2].Left + Fixed(uneven[2].Text), 800);
    const auto remainder = kv::LayOutOutroLine("a b c d ", Fixed);  // w 32, gap 256 r 0; 4 words
    EXPECT_EQ(remainder[3].Left, 24 + 3 * 256);
    const auto dropped = kv::LayOutOutroLine("aa b c d ", Fixed);  // w 40, gap 253 r 1
    EXPECT_EQ(dropped[3].Left + 8, 799);
}

TEST(OutroLayout, WordsWithoutTrailingBlankAreNotDrawn)
{
    const auto two = kv::LayOutOutroLine("first second", Fixed);
    ASSERT_EQ(two.size(), 1u);
    EXPECT_EQ(two[0].Left, 0);
    EXPECT_EQ(two[0].Text, "first");

    const auto one = kv::LayOutOutroLine("alone ", Fixed);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].Left, 0);
    EXPECT_TRUE(kv::LayOutOutroLine("noblank", Fixed).empty());
}

TEST(OutroLayout, HeadingsAndPauses)
{
    const auto heading = kv::LayOutOutroLine("#Title", Fixed);
    ASSERT_EQ(heading.size(), 1u);
    EXPECT_EQ(heading[0].Text, "Title");
    EXPECT_EQ(heading[0].Left, (800 - 40) / 2);
    const auto spaced = kv::LayOutOutroLine("# Title", Fixed);
    EXPECT_EQ(spaced[0].Text, " Title");
    EXPECT_EQ(spaced[0].Left, (800 - 48) / 2);
    EXPECT_TRUE(kv::LayOutOutroLine("", Fixed).empty());
    EXPECT_TRUE(kv::LayOutOutroLine(" indented words ", Fixed).empty());
}

TEST(OutroLayout, OverlongLineSetsWordsWithoutGaps)
{
    const std::string word(60, 'x');
    const auto words = kv::LayOutOutroLine(word + " " + word + " ", Fixed);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[1].Left, 480);
}

TEST(OutroCrawl, MapsScreenRowsAndColumnsToTheSheet)
{
    const kv::OutroCrawl crawl;
    EXPECT_EQ(crawl.SourceRow(0, 0), 0);
    EXPECT_EQ(crawl.SourceRow(1, 0), 1);
    EXPECT_EQ(crawl.SourceRow(500, 0), 500);
    // Each step up the screen moves further down the sheet.
    EXPECT_EQ(crawl.SourceRow(1000, 400), 1000 - 600);
    EXPECT_EQ(crawl.SourceColumn(200, 400), 0);
    EXPECT_EQ(crawl.SourceColumn(599, 400), 798);
    EXPECT_EQ(crawl.SourceColumn(300, 0), 300);
}

kv::Bitmap TextSheet(kv::Rgb ink)
{
    kv::Bitmap sheet(800, 2100);
    sheet.Fill(kv::White);
    for (int y = 0; y < 2100; ++y) sheet.SetPixel(400, y, ink);
    sheet.SetPixel(10, 1, ink);
    return sheet;
}

TEST(OutroCrawl, DrawsOnlyDarkBluePixelsOfValidRows)
{
    const kv::OutroCrawl crawl;
    const kv::Rgb ink{252, 210, 69};
    const kv::Bitmap sheet = TextSheet(ink);
    kv::Bitmap frame(800, 600);

    frame.Fill(kv::Black);
    crawl.Draw(sheet, 0, frame);
    for (int y = 0; y < 600; ++y) ASSERT_EQ(frame.Pixel(400, y), kv::Black) << "row 0 reached the screen at " << y;

    frame.Fill(kv::Black);
    crawl.Draw(sheet, 1, frame);
    EXPECT_EQ(frame.Pixel(10, 599), ink);
    EXPECT_EQ(frame.Pixel(400, 599), ink);
    EXPECT_EQ(frame.Pixel(11, 599), kv::Black);  // white has blue 255: the backdrop stays

    frame.Fill(kv::Black);
    crawl.Draw(sheet, 65535, frame);
    EXPECT_EQ(frame.Pixel(400, 599), kv::Black);  // beyond the sheet
}

}  // namespace
