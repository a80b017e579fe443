// The text service behind Canvas::TextOut and Canvas::TextSize: the game's
// desktop font names mapped to real faces, found through fontconfig and
// rendered with SDL2_ttf.
//
// Mapping (the table FontTable in Fonts.cpp): every name is drawn in one
// family, Terminus (Debian's fonts-terminus), so that the launcher, the
// title, the crawl and the HUD share one lettering; without Terminus,
// fontconfig's monospace face stands in at the same sizes.
// - "Fixedsys": Terminus at 16 px whatever the size asked for. Terminus TTF
//   carries an 8 x 16 bitmap strike at that size, which gives the crisp cell
//   of the old system font. SDL_ttf places that strike with the outline
//   metrics (ascent 14, descent 2), so descenders hang 2 rows below its line
//   height; the cell is therefore taken from the strike itself (12 rows above
//   the baseline, 4 below): exactly 8 x 16 per character. Without Terminus,
//   the system's monospace face at 16 px, measured by its outline.
// - "Arial": Terminus at pixels = round(points x 96 / 72), the size the
//   desktop gave it at 96 DPI, moved to the nearest of Terminus's bitmap
//   strikes (12, 14, 16, 18, 20, 22, 24, 28 and 32 px; the smaller of two
//   equally near): between them its outlines, drawn without anti-aliasing,
//   break into uneven strokes. The title's 20 points are 27 px, drawn at 28.
// - "Arial Black": the same, bold. Terminus has no bold face; its letters
//   are made bold the desktop's way, each stroke one pixel wider to the
//   right and the text one pixel longer.
// - "MS Sans Serif": Terminus at 12 px, its smallest strike.
// - Any other name: as "Arial".
// Names are compared without regard to case.
//
// Glyphs are rendered without anti-aliasing (TTF_RenderUTF8_Solid), so a
// glyph pixel is either set or not. Faces are looked up and opened on first
// use and kept for the run, and closed with SDL_ttf and fontconfig when the
// program ends; when fontconfig finds no face at all, or the
// face cannot be opened, a LoadError names it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Bitmap.h"

namespace kv {

// The face and pixel size a desktop font maps to.
struct FontFace {
    std::string Path;
    int Pixels = 0;
    bool BitmapCell = false;  // take the line box from the bitmap strike's cell
    bool Embolden = false;    // draw the face bold, as it has no bold of its own
    friend bool operator==(const FontFace&, const FontFace&) = default;
};

FontFace MapFont(const Font& font);

// The text's box: its advance width and the font's line height.
struct TextBox {
    int Width = 0;
    int Height = 0;
};

// The glyph pixels of a text, placed relative to the top-left corner of its
// box. The mask may reach outside the box (accents above, descenders below).
struct TextMask {
    TextBox Box;
    int Left = 0;  // position of the mask's first column relative to the box
    int Top = 0;   // position of the mask's first row relative to the box
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Bits;  // Width x Height, 1 where a glyph pixel is set
};

TextBox MeasureText(const Font& font, std::string_view text);
TextMask RenderText(const Font& font, std::string_view text);
// Whether the face a desktop font maps to has a glyph of its own for the
// character.
bool FontHasGlyph(const Font& font, char32_t c);

}  // namespace kv
