#include "shell/Outro.h"

#include <algorithm>
#include <cstdint>

#include "base/Numbers.h"
#include "platform/Canvas.h"

namespace kv {

namespace {

constexpr int SheetWidth = 800;
constexpr int LineAdvance = 40;

std::vector<PlacedWord> LayOutHeading(std::string_view line, const TextMeasure& width)
{
    const std::string_view text = line.substr(1);
    return {PlacedWord{(SheetWidth - width(text)) / 2, std::string(text)}};
}

// The last character of UTF-8 text: its last lead byte and what follows.
std::string_view LastCharacter(std::string_view text)
{
    std::size_t start = text.size();
    while (start > 0 && text.size() - start < 4) {
        --start;
        if ((static_cast<unsigned char>(text[start]) & 0xC0) != 0x80) break;
    }
    return text.substr(start);
}

// Word k starts at the width of words 0 to k-1 written together, plus k gaps.
// That width grows word by word: each word adds its own width, measured
// after the last character of the words before it so that the pair's
// kerning counts, which is what measuring the whole run again would give.
// Measuring the whole run for every word made a long line cost the square
// of its length. Words that would start past the sheet's right edge cannot
// be seen and are not placed.
std::vector<PlacedWord> LayOutJustified(std::string_view line, const TextMeasure& width)
{
    std::string letters;
    letters.reserve(line.size());
    int blanks = 0;
    for (char c : line) {
        if (c == ' ') ++blanks;
        else letters += c;
    }
    const int gap = blanks < 2 ? 0 : std::max(0, (SheetWidth - width(letters)) / (blanks - 1));

    std::vector<PlacedWord> placed;
    int64_t before = 0;
    std::string last;
    std::size_t wordStart = 0;
    int64_t k = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != ' ') continue;
        const std::string_view word = line.substr(wordStart, i - wordStart);
        wordStart = i + 1;
        const int64_t left = before + k * gap;
        if (left >= SheetWidth) break;
        if (!word.empty()) {
            placed.push_back(PlacedWord{static_cast<int>(left), std::string(word)});
            std::string joined = last;
            joined += word;
            before += width(joined) - width(last);
            last = LastCharacter(word);
        }
        ++k;
    }
    return placed;
}

}  // namespace

std::vector<PlacedWord> LayOutOutroLine(std::string_view line, const TextMeasure& width)
{
    line = line.substr(0, MaxOutroLineBytes);
    if (line.empty() || line[0] == ' ') return {};
    if (line[0] == '#') return LayOutHeading(line, width);
    return LayOutJustified(line, width);
}

int ComposeOutroText(const std::vector<std::string>& lines, Bitmap& sheet)
{
    Canvas canvas(sheet);
    const TextMeasure width = [&canvas](std::string_view text) { return canvas.TextWidth(text); };
    int penY = 0;
    int bottom = 0;
    for (const std::string& line : lines) {
        if (penY >= sheet.Height()) break;
        const std::vector<PlacedWord> words = LayOutOutroLine(line, width);
        for (const PlacedWord& w : words) canvas.TextOut(w.Left, penY, w.Text);
        if (!words.empty()) bottom = std::min(penY + canvas.TextHeight(words.front().Text), sheet.Height());
        penY += LineAdvance;
    }
    return bottom;
}

uint16_t CrawlEnd(const OutroCrawl& crawl, int textBottom)
{
    constexpr int TopRow = 599;
    for (uint32_t counter = 0; counter < UINT16_MAX; ++counter)
        if (crawl.SourceRow(static_cast<uint16_t>(counter), TopRow) > textBottom) return static_cast<uint16_t>(counter);
    return UINT16_MAX;
}

OutroCrawl::OutroCrawl() : rowBend_(600), spans_(600)
{
    for (int s = 0; s < 600; ++s) {
        rowBend_[static_cast<std::size_t>(s)] = static_cast<double>((s - 400) * (s + 200)) / 400;
        RowSpan& span = spans_[static_cast<std::size_t>(s)];
        for (int x = 0; x < 800; ++x) {
            const int64_t column = SourceColumn(x, s);
            if (column < 0 || column > 799) continue;
            if (span.Columns.empty()) span.FirstX = static_cast<int16_t>(x);
            span.Columns.push_back(static_cast<int16_t>(column));
        }
    }
}

int64_t OutroCrawl::SourceRow(uint16_t counter, int s) const
{
    return Nearest(static_cast<double>(counter - 200 - s) - rowBend_[static_cast<std::size_t>(s)]);
}

int64_t OutroCrawl::SourceColumn(int x, int s) const
{
    return Nearest(x + static_cast<double>((x - 400) * s) / 400);
}

void OutroCrawl::Draw(const Bitmap& sheet, uint16_t counter, Bitmap& frame) const
{
    if (sheet.Width() != 800 || sheet.Height() != 2100 || frame.Width() != 800 || frame.Height() != 600) return;
    for (int s = 0; s < 600; ++s) {
        const int64_t row = SourceRow(counter, s);
        if (row < 1 || row > 2099) continue;
        const uint8_t* src = sheet.Row(static_cast<int>(row));
        const RowSpan& span = spans_[static_cast<std::size_t>(s)];
        uint8_t* dst = frame.Row(599 - s) + span.FirstX * 3;
        for (int16_t column : span.Columns) {
            const uint8_t* p = src + column * 3;
            if (p[0] < 150) {
                dst[0] = p[0];
                dst[1] = p[1];
                dst[2] = p[2];
            }
            dst += 3;
        }
    }
}

bool OutroTick(Game& game)
{
    ++game.scene.OutroCounter;
    game.RepaintNeeded = 1;
    return game.scene.OutroCounter >= game.scene.OutroEnd;
}

void ComposeOutro(Game& game, const OutroCrawl& crawl)
{
    Canvas(game.BackBuffer).Draw(0, 0, game.ui.hud.TitleWindow.Face);
    crawl.Draw(game.ui.hud.OutroSheet.Face, game.scene.OutroCounter, game.BackBuffer);
}

}  // namespace kv
