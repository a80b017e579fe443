// Loading BMP pictures as 24-bit bitmaps.
//
// The header is checked against the file before anything is decoded: a file
// whose header claims more pixels than it holds, an absurd size (either side
// above 8192) or an unknown format is refused with a LoadError naming the path,
// never loaded as garbage.
#pragma once

#include <string>

#include "platform/Bitmap.h"

namespace kv {

// Loads the picture at a game data path (backslashes, any case) into `into`,
// which takes the picture's size; its drawing settings are kept.
void LoadBmp(const std::string& dataPath, Bitmap& into);
// Same, from a real file-system path.
void LoadBmpFile(const std::string& realPath, Bitmap& into);

// Writes a 24-bit BMP (used by tools and tests).
void SaveBmpFile(const std::string& realPath, const Bitmap& bitmap);
// Writes a PNG (the scenario runner's frames).
void SavePngFile(const std::string& realPath, const Bitmap& bitmap);

}  // namespace kv
