// kvSprite: a small keyed picture that remembers the pixels it covers, so it
// can move across a canvas without the canvas being redrawn. The game's one
// sprite is the software mouse pointer.
//
// Every save, restore and draw handles the area (X, Y)..(X + w - 2, Y + h - 2):
// the right and bottom edges are excluded, so the last column and row of the
// picture never show. The copies are Blit's, clipped to the canvas wherever
// the pointer stands.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Bitmap.h"
#include "platform/Blit.h"

namespace kv {

class kvSprite {
public:
    // Loads the picture from a data file and centres it on a w x h image
    // filled with the transparent colour (a larger picture is cut).
    void Create(uint16_t w, uint16_t h, const std::string& fileName);

    // Saves the covered canvas area, then draws the picture keyed at (X, Y).
    void Draw(Bitmap& canvas);
    // Restores the old area, saves and draws at the new place.
    void MoveTo(int32_t x, int32_t y, Bitmap& canvas);

    uint16_t Width = 0;
    uint16_t Height = 0;
    Bitmap Image;
    Bitmap SavedBackground;
    int32_t X = 0;
    int32_t Y = 0;
    uint8_t Tracking = 0;

private:
    // The drawn runs of the picture's rows, found once per content.
    mutable OpaqueRuns ImageRuns;

    void SaveUnder(const Bitmap& canvas);
    void RestoreUnder(Bitmap& canvas) const;
    void DrawImage(Bitmap& canvas) const;
};

}  // namespace kv
