// Loading BMP pictures as 24-bit bitmaps.
//
// The header is checked against the file before anything is decoded or
// allocated: a file whose header claims more pixels than it holds, a size the
// caller does not allow (never more than 4096 a side, whatever the
// compression) or an unknown format is refused with a LoadError naming the
// path, never loaded as garbage. A file that is not a readable regular file
// is refused like a missing one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Bitmap.h"

namespace kv {

// The largest side of any picture the game loads: the screens are 800 x 600.
constexpr int MaxPictureSide = 4096;

// The sizes a picture may have: at most Width x Height, or exactly that size
// where a screen fixes it.
struct PictureSize {
    int Width = MaxPictureSide;
    int Height = MaxPictureSide;
    bool Exact = false;
};
constexpr PictureSize AtMost(int width, int height) { return {width, height, false}; }
constexpr PictureSize Exactly(int width, int height) { return {width, height, true}; }

// Loads the picture at a game data path (backslashes, any case) into `into`,
// which takes the picture's size; its drawing settings are kept. A refused
// file leaves `into` as it was.
void LoadBmp(const std::string& dataPath, Bitmap& into, PictureSize size = {});
// Same, from a real file-system path.
void LoadBmpFile(const std::string& realPath, Bitmap& into, PictureSize size = {});
// Same, from a BMP file's bytes in memory, checked and decoded as a file's
// are; errors name `shownPath`.
void LoadBmpBytes(const std::vector<uint8_t>& bytes, const std::string& shownPath, Bitmap& into,
                  PictureSize size = {});

// Writes a 24-bit BMP (used by tools and tests).
void SaveBmpFile(const std::string& realPath, const Bitmap& bitmap);
// Writes a PNG (the scenario runner's frames).
void SavePngFile(const std::string& realPath, const Bitmap& bitmap);

}  // namespace kv
