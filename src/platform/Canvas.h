// Drawing on a Bitmap with the settings it carries (pen, brush, font, pen
// position). These are the drawing rules the game's screens rely on; each is
// written down here once.
//
// - Nothing is ever written outside the bitmap, whatever the coordinates.
// - Lines: from (x1, y1) towards (x2, y2), stopping one pixel short of the end
//   point (the end point itself is not drawn). Pen width 1; a wider pen draws
//   a square brush of that width centred on each point. Dotted lines draw one
//   pixel, skip one, with transparent gaps. A clear pen draws nothing. In
//   Invert mode every drawn pixel becomes its bitwise complement and the pen
//   colour plays no part.
//   The points are Bresenham's: one per step along the longer axis, the other
//   coordinate rounded to nearest (a half towards the end point); the square
//   brush of width w covers offsets -(w / 2) .. (w - 1) / 2 from its point; the
//   dotted pattern starts with the first point drawn. LineTo draws from the
//   pen position and moves it to the end point; Line(x1, y1, x2, y2) is
//   MoveTo(x1, y1) then LineTo(x2, y2). Pen widths below 1 count as 1. A dotted pen wider than 1 draws solid, as
//   desktop pens did (they could be dotted only when 1 pixel wide). A wide
//   line in Invert mode inverts each covered pixel once, not once per brush.
// - Rectangle(x1, y1, x2, y2) and Ellipse: the box from (x1, y1) to (x2, y2)
//   with the right and bottom edges excluded, so a 10 x 10 box covers x1..x1+9
//   (corners given in any order; an empty box draws nothing). A 1-pixel
//   outline is drawn with the pen, inside the box, touching its edges; the
//   interior is filled with the brush unless it is clear. The ellipse is the
//   set of pixels whose centres lie in the ellipse inscribed in the box; its
//   outline is the part of that set with a 4-neighbour outside it, so the
//   outline has no gap a 4-connected flood fill could pass through.
//   A pen wider than 1 is centred on that 1-pixel outline, as the desktop's
//   wide pens were, so it reaches about half its width outside the box: a
//   rectangle's outline is the square brush run along the 1-pixel outline,
//   an ellipse's the band of that width around it. The title's menu circle
//   depends on this: its 6-pixel outline in the box (50, 350)-(250, 550) lies
//   between radius 96.5 and 102.5 from (150, 450), so the band seed (62, 489)
//   at 96 is inside the circle (an outline kept within the box would cover
//   it and the band of "Exit" could never be filled).
//   Outline and interior never overlap, so Invert mode inverts each outline
//   pixel once; the brush always paints its colour. A dotted outline draws
//   the outline pixels whose x + y is even. A clear pen draws no outline and
//   the brush fills the whole box or ellipse.
// - FillRect fills the box (right and bottom excluded; an empty or reversed
//   box fills nothing) with the brush colour. A clear brush fills nothing.
// - FloodFill(x, y, border): fills with the brush colour outward from (x, y)
//   through 4-connected pixels, stopping at pixels of the border colour. A seed
//   on the border colour or outside the bitmap fills nothing, and so does a
//   clear brush.
// - Draw: a plain copy of a whole bitmap at (x, y). DrawKeyed skips source
//   pixels of the key colour. CopyRect copies a source box onto a destination
//   box (right and bottom edges excluded in both), stretching with nearest
//   neighbours when the sizes differ: destination column i of the box takes
//   source column sx1 + i * sourceWidth / destinationWidth (rounded down), and
//   the same for rows. CopyRectKeyed is CopyRect skipping the key colour. The
//   mapping is that of the whole boxes; where it points outside the source
//   bitmap the destination keeps its pixel, and nothing is read outside the
//   source. Empty or reversed boxes copy nothing. A bitmap may be copied onto
//   itself.
// - TextOut writes UTF-8 text with its top-left corner at (x, y) in the font's
//   colour. With a solid brush the text's box (TextSize) is first filled with
//   the brush colour; with a clear brush only the glyph pixels are written.
//   Glyphs are never anti-aliased, so no fringe appears over the transparent
//   colour. A few glyph pixels (accents, descenders) may reach outside the
//   box. Afterwards the pen position is (x + text width, y), as on the desktop.
// - TextSize: the width of the text and the height of the font's line ("Fixedsys"
//   is an exact 8 x 16 cell per character).
#pragma once

#include <string_view>

#include "platform/Bitmap.h"

namespace kv {

struct TextExtent {
    int Width = 0;
    int Height = 0;
};

class Canvas {
public:
    explicit Canvas(Bitmap& target) : b_(target) {}

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Line(int x1, int y1, int x2, int y2);

    void Rectangle(int x1, int y1, int x2, int y2);
    void FillRect(int x1, int y1, int x2, int y2);
    void Ellipse(int x1, int y1, int x2, int y2);
    void FloodFill(int x, int y, Rgb border);

    void Draw(int x, int y, const Bitmap& source);
    void DrawKeyed(int x, int y, const Bitmap& source, Rgb key);
    void CopyRect(int dx1, int dy1, int dx2, int dy2, const Bitmap& source, int sx1, int sy1,
                  int sx2, int sy2);
    void CopyRectKeyed(int dx1, int dy1, int dx2, int dy2, const Bitmap& source, int sx1,
                       int sy1, int sx2, int sy2, Rgb key);

    void TextOut(int x, int y, std::string_view text);
    TextExtent TextSize(std::string_view text) const;
    int TextWidth(std::string_view text) const { return TextSize(text).Width; }
    int TextHeight(std::string_view text) const { return TextSize(text).Height; }

private:
    Bitmap& b_;
};

}  // namespace kv
