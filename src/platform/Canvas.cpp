#include "platform/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "platform/Blit.h"
#include "platform/Fonts.h"

namespace kv {

namespace {

// Coordinates are formed in 64 bits: the game's 32-bit coordinates may be far
// outside the bitmap, and their differences and products must not overflow.
using Wide = int64_t;

// An inclusive run of columns.
struct Span {
    Wide Left = 0;
    Wide Right = -1;
    bool Empty() const { return Left > Right; }
};

int HeldInInt(Wide v)
{
    return static_cast<int>(std::clamp<Wide>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

Span Intersect(Span a, Span b) { return {std::max(a.Left, b.Left), std::min(a.Right, b.Right)}; }

// The offsets a square brush of the given width covers around its point.
struct BrushReach {
    Wide Low = 0;
    Wide High = 0;
};

BrushReach Reach(int width) { return {-(width / 2), -(width / 2) + width - 1}; }

int PenWidth(const Pen& pen) { return std::max(pen.Width, 1); }

// Writes runs of one row of a bitmap with the pen or the brush: a colour, or
// the bitwise complement of what is there; dotted runs skip the pixels whose
// x + y is odd. Everything outside the bitmap is dropped here.
class Painter {
public:
    Painter(Bitmap& target, Rgb colour, bool invert, bool dotted = false)
        : b_(target), colour_(colour), invert_(invert), dotted_(dotted)
    {
    }

    void Run(Wide y, Span span) const
    {
        if (y < 0 || y >= b_.Height()) return;
        const Span clipped = Intersect(span, {0, b_.Width() - 1});
        if (clipped.Empty()) return;
        uint8_t* row = b_.Row(static_cast<int>(y));
        for (Wide x = clipped.Left; x <= clipped.Right; ++x) {
            if (dotted_ && ((x + y) & 1) != 0) continue;
            Put(row + x * 3);
        }
    }

    void Point(Wide x, Wide y) const { Run(y, {x, x}); }

private:
    void Put(uint8_t* p) const
    {
        if (invert_) {
            p[0] = static_cast<uint8_t>(~p[0]);
            p[1] = static_cast<uint8_t>(~p[1]);
            p[2] = static_cast<uint8_t>(~p[2]);
        } else {
            p[0] = colour_.B;
            p[1] = colour_.G;
            p[2] = colour_.R;
        }
    }

    Bitmap& b_;
    Rgb colour_;
    bool invert_;
    bool dotted_;
};

Painter PenPainter(Bitmap& b, bool dottedOutline)
{
    const bool dotted = dottedOutline && b.pen.Style == PenStyle::Dotted && PenWidth(b.pen) == 1;
    return Painter(b, b.pen.Colour, b.pen.Mode == PenMode::Invert, dotted);
}

Painter BrushPainter(Bitmap& b) { return Painter(b, b.brush.Colour, false); }

bool SameColour(const uint8_t* p, Rgb c) { return p[0] == c.B && p[1] == c.G && p[2] == c.R; }

// ---- Lines ---------------------------------------------------------------

// The points of a line from (x1, y1) to (x2, y2) without its end point:
// step i in 0 .. n - 1 along the longer axis, the other coordinate rounded.
class LinePoints {
public:
    LinePoints(Wide x1, Wide y1, Wide x2, Wide y2)
        : x1_(x1), y1_(y1), dx_(x2 - x1), dy_(y2 - y1)
    {
        xMajor_ = std::abs(dx_) >= std::abs(dy_);
        steps_ = std::max(std::abs(dx_), std::abs(dy_));
    }

    Wide Steps() const { return steps_; }

    Wide X(Wide i) const { return x1_ + (xMajor_ ? Sign(dx_) * i : Along(i, dx_)); }
    Wide Y(Wide i) const { return y1_ + (xMajor_ ? Along(i, dy_) : Sign(dy_) * i); }

    // The steps whose brush, reaching `reach` around the point, can touch
    // columns 0 .. width - 1 and rows 0 .. height - 1 along the longer axis;
    // the walk is thereby bounded by the bitmap, whatever the coordinates.
    std::pair<Wide, Wide> StepsNear(Wide width, Wide height, BrushReach reach) const
    {
        const Wide start = xMajor_ ? x1_ : y1_;
        const Wide sign = Sign(xMajor_ ? dx_ : dy_);
        const Wide limit = xMajor_ ? width : height;
        // The major coordinate start + sign * i must lie in [-High, limit - 1 - Low].
        const Wide lowCoord = -reach.High;
        const Wide highCoord = limit - 1 - reach.Low;
        Wide first = sign > 0 ? lowCoord - start : start - highCoord;
        Wide last = sign > 0 ? highCoord - start : start - lowCoord;
        first = std::max<Wide>(first, 0);
        last = std::min<Wide>(last, steps_ - 1);
        return {first, last};
    }

private:
    static Wide Sign(Wide v) { return v < 0 ? -1 : 1; }

    // The minor coordinate's offset at step i: i * d / steps rounded to the
    // nearest whole number, a half rounded towards the end point. Both i and
    // |d| are below 2^32, so their product fits 64 unsigned bits; the
    // rounding is done on the remainder so that nothing larger is formed.
    Wide Along(Wide i, Wide d) const
    {
        const auto n = static_cast<uint64_t>(steps_);
        const uint64_t product = static_cast<uint64_t>(i) * static_cast<uint64_t>(std::abs(d));
        const uint64_t rounded = product / n + (2 * (product % n) >= n ? 1 : 0);
        const auto magnitude = static_cast<Wide>(rounded);
        return d < 0 ? -magnitude : magnitude;
    }

    Wide x1_, y1_, dx_, dy_;
    bool xMajor_ = true;
    Wide steps_ = 0;
};

void DrawThinLine(Bitmap& b, const LinePoints& line)
{
    const Painter paint = PenPainter(b, false);
    const bool dotted = b.pen.Style == PenStyle::Dotted;
    const auto [first, last] = line.StepsNear(b.Width(), b.Height(), {0, 0});
    for (Wide i = first; i <= last; ++i) {
        if (dotted && (i & 1) != 0) continue;
        paint.Point(line.X(i), line.Y(i));
    }
}

// A wide line is the union of square brushes along its points. The brushes
// covering one row belong to consecutive points, which move at most one
// column a step, so their union in that row is one run: the rows are gathered
// first and every pixel is then written once (which matters in Invert mode).
// Only the rows between the brushes of the first and last steps are
// gathered: the line's rows move one way only, and a short beam in a
// crowded battle must not cost a walk over every row of the frame.
void DrawWideLine(Bitmap& b, const LinePoints& line, int width)
{
    const BrushReach reach = Reach(width);
    const auto [first, last] = line.StepsNear(b.Width(), b.Height(), reach);
    if (first > last) return;
    const Wide firstY = line.Y(first);
    const Wide lastY = line.Y(last);
    const Wide top = std::max<Wide>(std::min(firstY, lastY) + reach.Low, 0);
    const Wide bottom = std::min<Wide>(std::max(firstY, lastY) + reach.High, b.Height() - 1);
    if (top > bottom) return;
    const Wide none = std::numeric_limits<Wide>::max();
    std::vector<Span> rows(static_cast<std::size_t>(bottom - top + 1), Span{none, -none});
    for (Wide i = first; i <= last; ++i) {
        const Wide x = line.X(i);
        const Wide y = line.Y(i);
        const Wide from = std::max<Wide>(y + reach.Low, top);
        const Wide to = std::min<Wide>(y + reach.High, bottom);
        for (Wide r = from; r <= to; ++r) {
            Span& run = rows[static_cast<std::size_t>(r - top)];
            run.Left = std::min(run.Left, x + reach.Low);
            run.Right = std::max(run.Right, x + reach.High);
        }
    }
    const Painter paint = PenPainter(b, false);
    for (std::size_t r = 0; r < rows.size(); ++r)
        if (!rows[r].Empty()) paint.Run(top + static_cast<Wide>(r), rows[r]);
}

void DrawLine(Bitmap& b, Wide x1, Wide y1, Wide x2, Wide y2)
{
    if (b.pen.Style == PenStyle::Clear || b.Empty()) return;
    const LinePoints line(x1, y1, x2, y2);
    if (line.Steps() == 0) return;
    const int width = PenWidth(b.pen);
    if (width == 1)
        DrawThinLine(b, line);
    else
        DrawWideLine(b, line, width);
}

// ---- Boxes ---------------------------------------------------------------

struct Box {
    Wide X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;  // right and bottom excluded
    bool Empty() const { return X1 >= X2 || Y1 >= Y2; }
};

Box Normalised(int x1, int y1, int x2, int y2)
{
    return {std::min<Wide>(x1, x2), std::min<Wide>(y1, y2), std::max<Wide>(x1, x2), std::max<Wide>(y1, y2)};
}

// The rows of the bitmap a run of rows touches.
std::pair<Wide, Wide> RowsIn(const Bitmap& b, Wide top, Wide bottom)
{
    return {std::max<Wide>(top, 0), std::min<Wide>(bottom, b.Height() - 1)};
}

// ---- Ellipses ------------------------------------------------------------

// An ellipse in continuous coordinates, pixel (x, y) having its centre at
// (x + 0.5, y + 0.5). Row spans are computed on one side of the centre and
// mirrored, so every ellipse is exactly symmetric.
struct EllipseShape {
    double CentreX = 0;  // in pixel-centre terms: the mirror of column x is 2 CentreX - x
    double CentreY = 0;
    double SemiX = 0;
    double SemiY = 0;

    // The pixels of row y whose centres lie in the ellipse.
    Span Row(Wide y) const
    {
        if (SemiX <= 0 || SemiY <= 0) return {};
        const double t = (static_cast<double>(y) - CentreY) / SemiY;
        if (t < -1 || t > 1) return {};
        const double half = SemiX * std::sqrt(1 - t * t);
        const auto right = static_cast<Wide>(std::floor(CentreX + half));
        const auto left = static_cast<Wide>(std::llround(2 * CentreX)) - right;
        return {left, right};
    }
};

// The ellipse inscribed in the box, grown (or shrunk) by `grow` on every side.
// Its centre, in pixel-centre terms, is the middle of the box's first and last
// pixels; its semi-axes reach the box's outer edges.
EllipseShape Inscribed(const Box& box, double grow)
{
    EllipseShape e;
    e.CentreX = static_cast<double>(box.X1 + box.X2 - 1) / 2;
    e.CentreY = static_cast<double>(box.Y1 + box.Y2 - 1) / 2;
    e.SemiX = static_cast<double>(box.X2 - box.X1) / 2 + grow;
    e.SemiY = static_cast<double>(box.Y2 - box.Y1) / 2 + grow;
    return e;
}

// The pixels of an area's row that have no 4-neighbour outside the area.
Span InnerPart(Span above, Span row, Span below)
{
    if (above.Empty() || row.Empty() || below.Empty()) return {};
    return Intersect(Intersect(above, below), {row.Left + 1, row.Right - 1});
}

// One row of an ellipse's drawing: the whole area and its interior, so the
// outline is the area without the interior (at most two runs).
struct EllipseRow {
    Span Area;
    Span Interior;
};

void PaintOutline(const Painter& paint, Wide y, const EllipseRow& row)
{
    if (row.Area.Empty()) return;
    if (row.Interior.Empty()) {
        paint.Run(y, row.Area);
        return;
    }
    paint.Run(y, {row.Area.Left, row.Interior.Left - 1});
    paint.Run(y, {row.Interior.Right + 1, row.Area.Right});
}

// A row span that takes nothing away from another.
constexpr Span Everything{std::numeric_limits<Wide>::min(), std::numeric_limits<Wide>::max()};

// Three neighbouring rows of an ellipse's area.
struct AreaRows {
    Span Above;
    Span Row;
    Span Below;
};

// One row of an ellipse: the brush fills the interior (the area's pixels
// with no 4-neighbour outside it, and inside the band's inner edge), the
// pen draws the rest; with no pen the brush fills the whole area.
void PaintEllipseRow(Wide y, AreaRows rows, Span insideBand, bool pen, bool brush, const Painter& outline,
                     const Painter& fill)
{
    EllipseRow row;
    row.Area = rows.Row;
    if (row.Area.Empty()) return;
    if (!pen) {
        fill.Run(y, row.Area);
        return;
    }
    row.Interior = Intersect(InnerPart(rows.Above, row.Area, rows.Below), insideBand);
    if (brush && !row.Interior.Empty()) fill.Run(y, row.Interior);
    PaintOutline(outline, y, row);
}

}  // namespace

// ---- Canvas: lines -------------------------------------------------------

void Canvas::MoveTo(int x, int y)
{
    b_.PenX = x;
    b_.PenY = y;
}

void Canvas::LineTo(int x, int y)
{
    DrawLine(b_, b_.PenX, b_.PenY, x, y);
    MoveTo(x, y);
}

void Canvas::Line(int x1, int y1, int x2, int y2)
{
    MoveTo(x1, y1);
    LineTo(x2, y2);
}

// ---- Canvas: rectangles and ellipses -------------------------------------

void Canvas::Rectangle(int x1, int y1, int x2, int y2)
{
    const Box box = Normalised(x1, y1, x2, y2);
    if (box.Empty() || b_.Empty()) return;
    const bool brush = b_.brush.Style == BrushStyle::Solid;
    if (b_.pen.Style == PenStyle::Clear) {
        if (brush) FillRect(static_cast<int>(box.X1), static_cast<int>(box.Y1), static_cast<int>(box.X2),
                            static_cast<int>(box.Y2));
        return;
    }
    // The pen runs along the 1-pixel outline: columns X1 and X2 - 1, rows Y1
    // and Y2 - 1; a wide pen's square brush widens it to both sides.
    const BrushReach reach = Reach(PenWidth(b_.pen));
    const Box outer{box.X1 + reach.Low, box.Y1 + reach.Low, box.X2 + reach.High, box.Y2 + reach.High};
    const Box inner{box.X1 + reach.High + 1, box.Y1 + reach.High + 1, box.X2 + reach.Low - 1,
                    box.Y2 + reach.Low - 1};
    const Painter pen = PenPainter(b_, true);
    const Painter fill = BrushPainter(b_);
    const auto [top, bottom] = RowsIn(b_, outer.Y1, outer.Y2 - 1);
    for (Wide y = top; y <= bottom; ++y) {
        const Span all{outer.X1, outer.X2 - 1};
        const bool innerRow = !inner.Empty() && y >= inner.Y1 && y < inner.Y2;
        if (!innerRow) {
            pen.Run(y, all);
            continue;
        }
        pen.Run(y, {all.Left, inner.X1 - 1});
        pen.Run(y, {inner.X2, all.Right});
        if (brush) fill.Run(y, {inner.X1, inner.X2 - 1});
    }
}

void Canvas::Ellipse(int x1, int y1, int x2, int y2)
{
    const Box box = Normalised(x1, y1, x2, y2);
    if (box.Empty() || b_.Empty()) return;
    const bool brush = b_.brush.Style == BrushStyle::Solid;
    const bool pen = b_.pen.Style != PenStyle::Clear;
    if (!pen && !brush) return;
    // The 1-pixel outline runs along the inscribed ellipse's edge; a wide pen
    // is a band of its width centred on that outline (half a pixel inside the
    // edge), so it grows the area by width / 2 - 1/2 and its inner edge lies
    // width / 2 + 1/2 inside the box's ellipse.
    const int width = pen ? PenWidth(b_.pen) : 1;
    const EllipseShape area = Inscribed(box, (width - 1) / 2.0);
    const bool banded = width > 1;
    const EllipseShape inner = Inscribed(box, -(width + 1) / 2.0);
    const Painter outline = PenPainter(b_, true);
    const Painter fill = BrushPainter(b_);
    const Wide reachY = static_cast<Wide>(std::ceil(area.SemiY)) + 1;
    const auto centreY = static_cast<Wide>(std::floor(area.CentreY));
    const auto [top, bottom] = RowsIn(b_, centreY - reachY, centreY + reachY + 1);
    // Each row's span is worked out once and kept while its neighbours need it.
    Span above = area.Row(top - 1);
    Span current = area.Row(top);
    for (Wide y = top; y <= bottom; ++y) {
        const Span below = area.Row(y + 1);
        PaintEllipseRow(y, {above, current, below}, banded ? inner.Row(y) : Everything, pen, brush,
                        outline, fill);
        above = current;
        current = below;
    }
}

void Canvas::FillRect(int x1, int y1, int x2, int y2)
{
    if (b_.brush.Style == BrushStyle::Clear) return;
    const Box box{x1, y1, x2, y2};
    if (box.Empty()) return;
    const Painter fill = BrushPainter(b_);
    const auto [top, bottom] = RowsIn(b_, box.Y1, box.Y2 - 1);
    for (Wide y = top; y <= bottom; ++y) fill.Run(y, {box.X1, box.X2 - 1});
}

// ---- Canvas: flood fill --------------------------------------------------

// A scanline fill with its own stack: each popped seed grows into the widest
// run of its row, which is filled and marked; the runs of fillable pixels
// above and below it are pushed as new seeds. The marks keep a fill colour
// that is not the border from being visited twice.
void Canvas::FloodFill(int x, int y, Rgb border)
{
    if (b_.brush.Style == BrushStyle::Clear || !b_.Contains(x, y)) return;
    if (b_.Pixel(x, y) == border) return;
    const int w = b_.Width();
    const int h = b_.Height();
    std::vector<uint8_t> done(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
    const auto index = [w](int px, int py) { return static_cast<std::size_t>(py) * static_cast<std::size_t>(w) + static_cast<std::size_t>(px); };
    const auto open = [&](int px, int py) {
        return !done[index(px, py)] && !SameColour(b_.Row(py) + px * 3, border);
    };
    const Painter fill = BrushPainter(b_);
    std::vector<std::pair<int, int>> seeds{{x, y}};
    while (!seeds.empty()) {
        const auto [sx, sy] = seeds.back();
        seeds.pop_back();
        if (!open(sx, sy)) continue;
        int left = sx;
        int right = sx;
        while (left > 0 && open(left - 1, sy)) --left;
        while (right < w - 1 && open(right + 1, sy)) ++right;
        fill.Run(sy, {left, right});
        for (int px = left; px <= right; ++px) done[index(px, sy)] = 1;
        for (int ny : {sy - 1, sy + 1}) {
            if (ny < 0 || ny >= h) continue;
            for (int px = left; px <= right; ++px)
                if (open(px, ny) && (px == left || !open(px - 1, ny))) seeds.emplace_back(px, ny);
        }
    }
}

// ---- Canvas: copies ------------------------------------------------------

namespace {

// Copies the source box onto the destination box of `target` (right and
// bottom edges excluded in both), by nearest neighbours, skipping `key`.
void CopyBoxes(Bitmap& target, Box dest, const Bitmap& source, Box from, std::optional<Rgb> key)
{
    if (dest.Empty() || from.Empty() || target.Empty() || source.Empty()) return;
    const auto dw = static_cast<uint64_t>(dest.X2 - dest.X1);
    const auto dh = static_cast<uint64_t>(dest.Y2 - dest.Y1);
    const auto sw = static_cast<uint64_t>(from.X2 - from.X1);
    const auto sh = static_cast<uint64_t>(from.Y2 - from.Y1);
    // The source column of every destination column in the bitmap, or -1
    // where it falls outside the source.
    const Wide firstX = std::max<Wide>(dest.X1, 0);
    const Wide lastX = std::min<Wide>(dest.X2, target.Width()) - 1;
    if (firstX > lastX) return;
    std::vector<int> columns(static_cast<std::size_t>(lastX - firstX + 1));
    for (Wide x = firstX; x <= lastX; ++x) {
        const Wide sx = from.X1 + static_cast<Wide>(static_cast<uint64_t>(x - dest.X1) * sw / dw);
        columns[static_cast<std::size_t>(x - firstX)] = sx >= 0 && sx < source.Width() ? static_cast<int>(sx) : -1;
    }
    // The valid columns are one run, since the mapping never goes back. With
    // equal widths a row's source pixels are read where they are; stretched
    // rows are gathered first. Either way Blit's row writer draws them.
    const auto valid = std::find_if(columns.begin(), columns.end(), [](int c) { return c >= 0; });
    if (valid == columns.end()) return;
    const auto validEnd = std::find(valid, columns.end(), -1);
    const auto pixels = static_cast<int>(validEnd - valid);
    const bool stretched = sw != dw;
    std::vector<uint8_t> gathered(stretched ? static_cast<std::size_t>(pixels) * 3 : 0);
    const Transparency keys{key, std::nullopt};
    const auto [top, bottom] = RowsIn(target, dest.Y1, dest.Y2 - 1);
    for (Wide y = top; y <= bottom; ++y) {
        const Wide sy = from.Y1 + static_cast<Wide>(static_cast<uint64_t>(y - dest.Y1) * sh / dh);
        if (sy < 0 || sy >= source.Height()) continue;
        const uint8_t* in = source.Row(static_cast<int>(sy));
        if (stretched) {
            for (int i = 0; i < pixels; ++i) std::memcpy(&gathered[static_cast<std::size_t>(i) * 3], in + valid[i] * 3, 3);
            in = gathered.data();
        } else {
            in += *valid * 3;
        }
        uint8_t* out = target.Row(static_cast<int>(y)) + (firstX + (valid - columns.begin())) * 3;
        BlitRow(in, out, pixels, keys, 256);
    }
}

void CopyOrSelf(Bitmap& target, Box dest, const Bitmap& source, Box from, std::optional<Rgb> key)
{
    if (&target != &source) {
        CopyBoxes(target, dest, source, from, key);
        return;
    }
    // Onto itself: read from a copy, so overlapping boxes copy what was there.
    const Bitmap copy = source;
    CopyBoxes(target, dest, copy, from, key);
}

Box Placed(int x, int y, const Bitmap& source)
{
    return {x, y, static_cast<Wide>(x) + source.Width(), static_cast<Wide>(y) + source.Height()};
}

}  // namespace

void Canvas::Draw(int x, int y, const Bitmap& source)
{
    CopyOrSelf(b_, Placed(x, y, source), source, {0, 0, source.Width(), source.Height()}, std::nullopt);
}

void Canvas::DrawKeyed(int x, int y, const Bitmap& source, Rgb key)
{
    CopyOrSelf(b_, Placed(x, y, source), source, {0, 0, source.Width(), source.Height()}, key);
}

void Canvas::CopyRect(int dx1, int dy1, int dx2, int dy2, const Bitmap& source, int sx1, int sy1,
                      int sx2, int sy2)
{
    CopyOrSelf(b_, {dx1, dy1, dx2, dy2}, source, {sx1, sy1, sx2, sy2}, std::nullopt);
}

void Canvas::CopyRectKeyed(int dx1, int dy1, int dx2, int dy2, const Bitmap& source, int sx1,
                           int sy1, int sx2, int sy2, Rgb key)
{
    CopyOrSelf(b_, {dx1, dy1, dx2, dy2}, source, {sx1, sy1, sx2, sy2}, key);
}

// ---- Canvas: text --------------------------------------------------------

void Canvas::TextOut(int x, int y, std::string_view text)
{
    const TextMask mask = RenderText(b_.font, text);
    // The text's far corner may lie past the 32-bit range when it starts near
    // its end; it is held at the limit, where nothing is drawn anyway.
    const int right = HeldInInt(Wide{x} + mask.Box.Width);
    if (b_.brush.Style == BrushStyle::Solid && mask.Box.Width > 0)
        FillRect(x, y, right, HeldInInt(Wide{y} + mask.Box.Height));
    const Painter ink(b_, b_.font.Colour, false);
    for (int row = 0; row < mask.Height; ++row) {
        const Wide ty = static_cast<Wide>(y) + mask.Top + row;
        if (ty < 0 || ty >= b_.Height()) continue;
        const uint8_t* bits = mask.Bits.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(mask.Width);
        for (int col = 0; col < mask.Width; ++col)
            if (bits[col] != 0) ink.Point(static_cast<Wide>(x) + mask.Left + col, ty);
    }
    MoveTo(right, y);
}

TextExtent Canvas::TextSize(std::string_view text) const
{
    const TextBox box = MeasureText(b_.font, text);
    return {box.Width, box.Height};
}

}  // namespace kv
