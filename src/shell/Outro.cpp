#include "shell/Outro.h"

#include <algorithm>

#include "base/Numbers.h"
#include "platform/Canvas.h"

namespace kv {

namespace {

constexpr int SheetWidth = 800;
constexpr int LineAdvance = 40;

std::vector<PlacedWord> LayOutHeading(const std::string& line, const TextMeasure& width)
{
    const std::string text = line.substr(1);
    return {PlacedWord{(SheetWidth - width(text)) / 2, text}};
}

std::vector<PlacedWord> LayOutJustified(const std::string& line, const TextMeasure& width)
{
    std::string letters;
    int blanks = 0;
    for (char c : line) {
        if (c == ' ') ++blanks;
        else letters += c;
    }
    const int gap = blanks < 2 ? 0 : std::max(0, (SheetWidth - width(letters)) / (blanks - 1));

    std::vector<PlacedWord> placed;
    std::string before;
    std::string word;
    int k = 0;
    for (char c : line) {
        if (c != ' ') {
            word += c;
            continue;
        }
        if (!word.empty()) placed.push_back(PlacedWord{width(before) + k * gap, word});
        before += word;
        word.clear();
        ++k;
    }
    return placed;
}

}  // namespace

std::vector<PlacedWord> LayOutOutroLine(const std::string& line, const TextMeasure& width)
{
    if (line.empty() || line[0] == ' ') return {};
    if (line[0] == '#') return LayOutHeading(line, width);
    return LayOutJustified(line, width);
}

void ComposeOutroText(const std::vector<std::string>& lines, Bitmap& sheet)
{
    Canvas canvas(sheet);
    const TextMeasure width = [&canvas](std::string_view text) { return canvas.TextWidth(text); };
    int penY = 0;
    for (const std::string& line : lines) {
        if (penY >= sheet.Height()) break;
        for (const PlacedWord& w : LayOutOutroLine(line, width)) canvas.TextOut(w.Left, penY, w.Text);
        penY += LineAdvance;
    }
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

void OutroTick(Game& game)
{
    ++game.scene.OutroCounter;
    game.RepaintNeeded = 1;
}

void ComposeOutro(Game& game, const OutroCrawl& crawl)
{
    Canvas(game.BackBuffer).Draw(0, 0, game.hud.TitleWindow.Face);
    crawl.Draw(game.hud.OutroSheet.Face, game.scene.OutroCounter, game.BackBuffer);
}

}  // namespace kv
