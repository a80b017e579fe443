#include "shell/Outro.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "platform/Canvas.h"

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

// A line of a megabyte costs what its first 4096 bytes cost: no more is
// measured than a few times that, and every word placed can be seen.
TEST(OutroLayout, LongLinesCostWhatTheSheetCanShow)
{
    std::string line;
    while (line.size() < (1u << 20)) line += "ab ";
    std::size_t measured = 0;
    const kv::TextMeasure counting = [&measured](std::string_view text) {
        measured += text.size();
        return Fixed(text);
    };
    const auto words = kv::LayOutOutroLine(line, counting);
    ASSERT_FALSE(words.empty());
    EXPECT_LT(words.back().Left, 800);
    EXPECT_LT(measured, 8 * kv::MaxOutroLineBytes);

    measured = 0;
    EXPECT_TRUE(kv::LayOutOutroLine(std::string(10u << 20, 'x'), counting).empty());
    EXPECT_LE(measured, kv::MaxOutroLineBytes);
    const auto heading = kv::LayOutOutroLine("#" + std::string(1u << 20, 'y'), Fixed);
    ASSERT_EQ(heading.size(), 1u);
    EXPECT_EQ(heading[0].Text.size(), kv::MaxOutroLineBytes - 1);
}

// Words are placed by growing the width of the words before them one word at
// a time; with the game's own font and text that gives exactly the places
// measuring the whole run again for each word gives.
TEST(OutroLayout, GrownWidthsMatchWholeRunsInTheGamesOwnText)
{
    kv::Bitmap sheet(800, 40);
    sheet.font = kv::Font{"Arial Black", 30, kv::Rgb{252, 210, 69}};
    kv::Canvas canvas(sheet);
    const kv::TextMeasure width = [&canvas](std::string_view text) { return canvas.TextWidth(text); };
    std::ifstream file(std::string(KV_SOURCE_DIR) + "/data/res/outro.txt");
    int justified = 0;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == ' ' || line[0] == '#') continue;
        ++justified;
        std::vector<std::string> words;
        std::string letters;
        std::string word;
        for (char c : line) {
            if (c != ' ') {
                word += c;
                continue;
            }
            words.push_back(word);
            letters += word;
            word.clear();
        }
        const int gap = words.size() < 2 ? 0 : std::max(0, (800 - width(letters)) / static_cast<int>(words.size() - 1));
        const auto placed = kv::LayOutOutroLine(line, width);
        ASSERT_EQ(placed.size(), words.size()) << line;
        std::string before;
        for (std::size_t k = 0; k < words.size(); ++k) {
            EXPECT_EQ(placed[k].Left, width(before) + static_cast<int>(k) * gap) << line << " word " << k;
            before += words[k];
        }
    }
    EXPECT_GT(justified, 10);
}

// In the crawl's proportional face the game's own text keeps every gap
// between words under two blanks' width and over a third of one: the lines
// are written to fill the sheet's width nearly evenly.
TEST(OutroLayout, TheGamesOwnTextKeepsItsGapsUnderTwoBlanks)
{
    kv::Bitmap sheet(800, 40);
    sheet.font = kv::Font{"Arial Black", 30, kv::Rgb{252, 210, 69}};
    kv::Canvas canvas(sheet);
    const kv::TextMeasure width = [&canvas](std::string_view text) { return canvas.TextWidth(text); };
    const int blank = width(" ");
    std::ifstream file(std::string(KV_SOURCE_DIR) + "/data/res/outro.txt");
    int widest = 0;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == ' ' || line[0] == '#') continue;
        const auto placed = kv::LayOutOutroLine(line, width);
        for (std::size_t k = 0; k + 1 < placed.size(); ++k) {
            const int gap = placed[k + 1].Left - placed[k].Left - width(placed[k].Text);
            EXPECT_LT(gap, 2 * blank) << line;
            EXPECT_GT(3 * gap, blank) << line;
            widest = std::max(widest, gap);
        }
    }
    EXPECT_GT(widest, 0);
}

// Blanks only, control bytes, broken UTF-8 and a line of megabytes compose
// without harm; what can be shown is shown.
TEST(OutroLayout, HostileTextComposes)
{
    kv::Bitmap sheet(800, 2100);
    sheet.Fill(kv::Black);
    sheet.font = kv::Font{"Arial Black", 30, kv::Rgb{252, 210, 69}};
    sheet.brush.Style = kv::BrushStyle::Clear;
    std::string control;
    for (int i = 0; i < 4096; ++i) control += static_cast<char>(i % 32 == 0 ? ' ' : i % 32);
    std::string broken;
    for (int i = 0; i < 4096; ++i) broken += static_cast<char>(i % 7 == 0 ? ' ' : 0x80 + i % 64 + (i % 3) * 64);
    std::string words;
    while (words.size() < (1u << 20)) words += "far ";
    kv::ComposeOutroText({std::string(1u << 20, ' '), control, broken, words, std::string(1u << 20, '#'), "ok "},
                         sheet);
    int ink = 0;
    for (int y = 120; y < 160; ++y)
        for (int x = 0; x < 800; ++x) ink += sheet.Pixel(x, y) != kv::Black ? 1 : 0;
    EXPECT_GT(ink, 0) << "the line of words is drawn";
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 800; ++x) ASSERT_EQ(sheet.Pixel(x, y), kv::Black) << "a line of blanks draws nothing";
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
