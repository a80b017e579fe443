// The outro scene: the story text laid out on a tall sheet and shown as a
// crawl that rises and recedes into the distance over a field of stars.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "game/Game.h"

namespace kv {

// Text of the outro file, one line each 40 pixels lower than the last:
// "#..." is a heading centred without its "#"; a line that is empty or starts
// with a blank is a pause; any other line is justified across 800 pixels,
// each word followed by one blank (letters after the last blank are not
// shown). A line whose letters alone are wider than 800 pixels is set with
// no gaps rather than overlapping words.
//
// Laying out a line costs time in proportion to its length, and only its
// first 4096 bytes count: the sheet is 800 pixels wide, so no line shows more
// than 800 characters of a pixel or more, 3,200 bytes of UTF-8 at the most.
// Only the lines that land on the 2100-pixel sheet are read.
constexpr std::size_t MaxOutroLineBytes = 4096;
constexpr std::size_t OutroSheetLines = (2100 + 39) / 40;
struct PlacedWord {
    int Left = 0;
    std::string Text;
};
using TextMeasure = std::function<int(std::string_view)>;
std::vector<PlacedWord> LayOutOutroLine(std::string_view line, const TextMeasure& width);

// Writes the lines onto the sheet with the sheet's current font; returns
// the sheet row below the last line that shows anything.
int ComposeOutroText(const std::vector<std::string>& lines, Bitmap& sheet);

// The crawl's mapping from screen to sheet, worked out once: screen row
// 599 - s shows sheet row nearest(C - 200 - s - (s - 400)(s + 200) / 400) at
// counter C, and screen column x shows sheet column
// nearest(x + (x - 400) s / 400).
class OutroCrawl {
public:
    OutroCrawl();
    int64_t SourceRow(uint16_t counter, int s) const;
    int64_t SourceColumn(int x, int s) const;
    // Copies the text pixels (blue below 150) of the sheet onto the frame.
    void Draw(const Bitmap& sheet, uint16_t counter, Bitmap& frame) const;

private:
    struct RowSpan {
        int16_t FirstX = 0;
        std::vector<int16_t> Columns;  // sheet column for x = FirstX, FirstX + 1, ...
    };
    std::vector<double> rowBend_;  // (s - 400)(s + 200) / 400 per s
    std::vector<RowSpan> spans_;
};

// The counter at which the screen's top row has passed the sheet's row
// `textBottom`: the crawl has shown everything.
uint16_t CrawlEnd(const OutroCrawl& crawl, int textBottom);

// Moves the crawl on; true once it has shown its last line.
bool OutroTick(Game& game);
void ComposeOutro(Game& game, const OutroCrawl& crawl);

}  // namespace kv
