// The title scene: a circular menu of three bands ("Intro", "Start game",
// "Exit") around (150, 450), the game's logo turning in a ring around it and
// an inverting crosshair that eases after the pointer.
#pragma once

#include <cstdint>
#include <vector>

#include "game/Game.h"

namespace kv {

// One axis of the crosshair one tick closer to the pointer: a sixteenth of
// the distance plus one pixel, never past it.
int32_t EaseToward(int32_t c, int32_t m);
// The menu item under the pointer: 3 above the line at y = 417, 1 between
// the lines, 10 below the line at 484, 99 on a line or outside the circle.
int16_t TitleItemAt(int32_t x, int32_t y);

// The ring's mapping from frame pixels to logo pixels, worked out once for a
// logo size: for each frame pixel of the ring its logo row and the part of
// its logo column that does not depend on the turning phase.
class LogoRing {
public:
    void Build(int logoWidth, int logoHeight);
    // Draws the logo turned by `phase` columns onto the 800 x 600 frame.
    void Draw(const Bitmap& logo, uint16_t phase, Bitmap& frame) const;
    // The logo pixel (column, row) drawn at frame pixel (x, y), or row -1.
    struct Source {
        int Column = 0;
        int Row = -1;
    };
    Source SourceOf(int x, int y, uint16_t phase) const;

private:
    struct Entry {
        int32_t FrameOffset;  // byte offset of the pixel in the frame
        int16_t X;
        int16_t Y;
        int16_t Row;
        bool Upper;
        double Column;  // u below the centre; (W div 2)(a + pi)/pi above it
    };
    int ColumnOf(const Entry& e, uint16_t phase) const;

    int width_ = 0;
    int height_ = 0;
    std::vector<Entry> entries_;
};

// One tick of the title scene: crosshair, logo phase, repaint.
void TitleTick(Game& game);
// The title frame: backdrop, menu, hovered band, ring and crosshair, and
// the options window when it is out.
void ComposeTitle(Game& game, const LogoRing& ring);

}  // namespace kv
