#include "platform/Canvas.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>
#include <tuple>
#include <vector>

namespace {

using kv::Bitmap;
using kv::Canvas;
using kv::Rgb;

constexpr Rgb Red{255, 0, 0};
constexpr Rgb Green{0, 255, 0};
constexpr Rgb Grey{128, 128, 128};
constexpr Rgb Band{99, 119, 56};

using kv::testing::Blank;
using kv::testing::Count;

// A bitmap whose every pixel differs from its neighbours.
Bitmap Patterned(int w, int h)
{
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, Rgb{static_cast<uint8_t>(x * 7 + y), static_cast<uint8_t>(y * 13), static_cast<uint8_t>(x ^ y)});
    return b;
}

bool SamePixels(const Bitmap& a, const Bitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    return true;
}

// ---- Lines ---------------------------------------------------------------

TEST(CanvasLine, StopsOnePixelShortOfItsEndPoint)
{
    Bitmap b = Blank(20, 20);
    Canvas c(b);
    c.Line(2, 3, 8, 3);
    for (int x = 2; x <= 7; ++x) EXPECT_EQ(b.Pixel(x, 3), kv::Black) << x;
    EXPECT_EQ(b.Pixel(8, 3), kv::White);
    EXPECT_EQ(b.Pixel(1, 3), kv::White);

    c.Line(10, 10, 10, 4);  // upwards
    for (int y = 5; y <= 10; ++y) EXPECT_EQ(b.Pixel(10, y), kv::Black) << y;
    EXPECT_EQ(b.Pixel(10, 4), kv::White);

    c.Line(12, 12, 17, 17);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(b.Pixel(12 + i, 12 + i), kv::Black) << i;
    EXPECT_EQ(b.Pixel(17, 17), kv::White);
    EXPECT_EQ(Count(b, kv::Black), 6 + 6 + 5);
}

TEST(CanvasLine, ZeroLengthDrawsNothingAndLineToMovesThePen)
{
    Bitmap b = Blank(10, 10);
    Canvas c(b);
    c.Line(4, 4, 4, 4);
    EXPECT_EQ(Count(b, kv::Black), 0);
    c.MoveTo(1, 1);
    c.LineTo(5, 1);
    c.LineTo(5, 5);
    EXPECT_EQ(b.PenX, 5);
    EXPECT_EQ(b.PenY, 5);
    EXPECT_EQ(b.Pixel(5, 1), kv::Black);  // drawn by the second line, not the first
    EXPECT_EQ(b.Pixel(5, 5), kv::White);
    EXPECT_EQ(Count(b, kv::Black), 8);
}

TEST(CanvasLine, ShallowLineRoundsItsMinorCoordinate)
{
    Bitmap b = Blank(20, 10);
    Canvas c(b);
    c.Line(0, 0, 10, 2);
    // y = round(x / 5), halves towards the end point.
    const int expected[10] = {0, 0, 0, 1, 1, 1, 1, 1, 2, 2};
    for (int x = 0; x < 10; ++x) EXPECT_EQ(b.Pixel(x, expected[x]), kv::Black) << x;
    EXPECT_EQ(Count(b, kv::Black), 10);
}

TEST(CanvasLine, DottedDrawsOneSkipsOneWithTransparentGaps)
{
    Bitmap b = Blank(20, 5, Grey);
    b.pen.Style = kv::PenStyle::Dotted;
    b.pen.Colour = Red;
    Canvas c(b);
    c.Line(3, 2, 13, 2);
    for (int x = 3; x < 13; ++x) EXPECT_EQ(b.Pixel(x, 2), (x - 3) % 2 == 0 ? Red : Grey) << x;
    EXPECT_EQ(b.Pixel(13, 2), Grey);
    EXPECT_EQ(Count(b, Red), 5);
}

TEST(CanvasLine, ClearPenDrawsNothing)
{
    Bitmap b = Blank(10, 10);
    b.pen.Style = kv::PenStyle::Clear;
    Canvas c(b);
    c.Line(0, 0, 9, 9);
    c.Rectangle(0, 0, 10, 10);
    EXPECT_EQ(Count(b, kv::White), 100);
}

TEST(CanvasLine, InvertComplementsAndTwiceRestores)
{
    const Bitmap original = Patterned(40, 30);
    Bitmap b = original;
    b.pen.Mode = kv::PenMode::Invert;
    b.pen.Colour = Red;  // plays no part
    Canvas c(b);
    b.SetPixel(5, 5, Rgb{10, 20, 30});
    const Bitmap before = b;
    c.Line(0, 5, 40, 5);
    EXPECT_EQ(b.Pixel(5, 5), (Rgb{245, 235, 225}));
    c.Line(0, 5, 40, 5);
    EXPECT_TRUE(SamePixels(b, before));

    // The crosshair: two lines crossing invert their common pixel twice.
    Bitmap frame = original;
    frame.pen.Mode = kv::PenMode::Invert;
    Canvas f(frame);
    f.Line(0, 10, 40, 10);
    f.Line(20, 0, 20, 30);
    EXPECT_EQ(frame.Pixel(20, 10), original.Pixel(20, 10));
    const Rgb o = original.Pixel(21, 10);
    EXPECT_EQ(frame.Pixel(21, 10), (Rgb{static_cast<uint8_t>(~o.R), static_cast<uint8_t>(~o.G), static_cast<uint8_t>(~o.B)}));
}

TEST(CanvasLine, WidePenIsASquareBrushInvertingEachPixelOnce)
{
    Bitmap b = Blank(30, 30);
    b.pen.Width = 3;
    Canvas c(b);
    c.Line(10, 10, 20, 10);
    // Points 10..19, each a 3 x 3 square: columns 9..20, rows 9..11.
    for (int y = 8; y <= 12; ++y)
        for (int x = 8; x <= 21; ++x)
            EXPECT_EQ(b.Pixel(x, y), (y >= 9 && y <= 11 && x >= 9 && x <= 20) ? kv::Black : kv::White) << x << "," << y;

    Bitmap inv = Blank(30, 30);
    inv.pen.Width = 4;
    inv.pen.Mode = kv::PenMode::Invert;
    Canvas ci(inv);
    ci.Line(3, 3, 25, 17);
    // Every touched pixel became black (the complement of white) exactly once.
    EXPECT_EQ(Count(inv, kv::White) + Count(inv, kv::Black), 900);
    EXPECT_GT(Count(inv, kv::Black), 22 * 4);
}

// A wide line is the union of its width's squares round the thin line's
// points, in every direction and where it runs off any edge: the thin line
// is drawn on a bitmap with a margin, so that points off the edge count.
TEST(CanvasLine, WideLineIsTheUnionOfSquaresRoundTheThinLine)
{
    constexpr int Margin = 8;
    const std::vector<std::tuple<int, int, int, int>> lines{
        {10, 25, 14, -5}, {14, -5, 10, 25}, {-4, 3, 33, 9}, {33, 9, -4, 3}, {2, 2, 27, 17}, {27, 17, 2, 2}, {5, 19, 6, 23}};
    for (const int width : {2, 3, 4}) {
        for (const auto& [x1, y1, x2, y2] : lines) {
            Bitmap thin = Blank(30 + 2 * Margin, 20 + 2 * Margin);
            Canvas(thin).Line(x1 + Margin, y1 + Margin, x2 + Margin, y2 + Margin);
            Bitmap wide = Blank(30, 20);
            wide.pen.Width = width;
            Canvas(wide).Line(x1, y1, x2, y2);
            const int low = -(width / 2);
            for (int y = 0; y < 20; ++y)
                for (int x = 0; x < 30; ++x) {
                    bool covered = false;
                    for (int dy = low; dy < low + width; ++dy)
                        for (int dx = low; dx < low + width; ++dx)
                            covered = covered || thin.Pixel(x - dx + Margin, y - dy + Margin) == kv::Black;
                    ASSERT_EQ(wide.Pixel(x, y), covered ? kv::Black : kv::White)
                        << "width " << width << ", line " << x1 << "," << y1 << " to " << x2 << "," << y2 << " at " << x
                        << "," << y;
                }
        }
    }
}

TEST(CanvasLine, WideDottedPenDrawsSolid)
{
    Bitmap b = Blank(20, 10);
    b.pen.Width = 2;
    b.pen.Style = kv::PenStyle::Dotted;
    Canvas c(b);
    c.Line(2, 5, 12, 5);
    for (int x = 2; x <= 11; ++x) EXPECT_EQ(b.Pixel(x, 5), kv::Black) << x;
}

// ---- Clipping ------------------------------------------------------------

TEST(CanvasClipping, HugeAndNegativeCoordinatesWriteOnlyInside)
{
    Bitmap b = Blank(16, 12);
    Canvas c(b);
    c.Line(INT_MIN, 5, INT_MAX, 5);
    for (int x = 0; x < 16; ++x) EXPECT_EQ(b.Pixel(x, 5), kv::Black);
    EXPECT_EQ(Count(b, kv::Black), 16);

    c.Line(-1000000000, -1000000000, 1000000000, 1000000000);  // through the diagonal
    for (int i = 0; i < 12; ++i) EXPECT_EQ(b.Pixel(i, i), kv::Black) << i;

    c.Line(INT_MIN, INT_MIN, INT_MAX, INT_MIN);  // far above
    c.Line(-50, -50, -10, 300);                  // left of the bitmap
    b.pen.Width = 7;
    c.Line(INT_MAX, INT_MIN, INT_MIN, INT_MAX);
    c.Line(-3, -3, -20, -20);
    b.pen.Width = 1;

    Bitmap e = Blank(30, 30);
    Canvas ce(e);
    e.brush.SetColour(Red);
    ce.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(Count(e, Red), 900);  // the bitmap lies deep inside the ellipse
    ce.Rectangle(-5, -5, 10, 10);
    EXPECT_EQ(e.Pixel(9, 5), kv::Black);
    EXPECT_EQ(e.Pixel(5, 9), kv::Black);
    EXPECT_EQ(e.Pixel(5, 5), Red);
    ce.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    ce.FillRect(INT_MIN, 20, INT_MAX, INT_MAX);
    EXPECT_EQ(e.Pixel(0, 29), Red);
    ce.FloodFill(-1, 5, kv::Black);
    ce.FloodFill(5, 3000, kv::Black);

    Bitmap empty;
    Canvas ez(empty);
    ez.Line(0, 0, 10, 10);
    ez.Ellipse(0, 0, 10, 10);
    ez.Rectangle(0, 0, 10, 10);
    ez.FloodFill(0, 0, kv::Black);
    ez.Draw(0, 0, e);
}

// ---- Rectangles and ellipses ---------------------------------------------

TEST(CanvasRectangle, OutlineInsideTheBoxRightAndBottomExcluded)
{
    Bitmap b = Blank(20, 12);
    b.brush.SetColour(Red);
    Canvas c(b);
    c.Rectangle(2, 2, 12, 8);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool inBox = x >= 2 && x <= 11 && y >= 2 && y <= 7;
            const bool edge = inBox && (x == 2 || x == 11 || y == 2 || y == 7);
            EXPECT_EQ(b.Pixel(x, y), edge ? kv::Black : inBox ? Red : kv::White) << x << "," << y;
        }

    // Corners in the other order, and a clear brush.
    Bitmap d = Blank(20, 12);
    d.brush.Style = kv::BrushStyle::Clear;
    Canvas cd(d);
    cd.Rectangle(12, 8, 2, 2);
    EXPECT_EQ(Count(d, kv::Black), 2 * 10 + 2 * 4);
    EXPECT_EQ(d.Pixel(5, 5), kv::White);
}

TEST(CanvasRectangle, FillRectAndClearPen)
{
    Bitmap b = Blank(10, 10);
    b.brush.SetColour(Red);
    Canvas c(b);
    c.FillRect(1, 1, 4, 3);
    EXPECT_EQ(Count(b, Red), 6);
    EXPECT_EQ(b.Pixel(4, 1), kv::White);
    EXPECT_EQ(b.Pixel(1, 3), kv::White);
    c.FillRect(8, 8, 5, 5);  // reversed: nothing
    EXPECT_EQ(Count(b, Red), 6);
    b.brush.Style = kv::BrushStyle::Clear;
    c.FillRect(0, 0, 10, 10);
    EXPECT_EQ(Count(b, Red), 6);

    Bitmap k = Blank(10, 10);
    k.pen.Style = kv::PenStyle::Clear;
    k.brush.SetColour(Green);
    Canvas ck(k);
    ck.Rectangle(0, 0, 10, 10);
    EXPECT_EQ(Count(k, Green), 100);
}

// The pixels of one colour.
std::set<std::pair<int, int>> Drawn(const Bitmap& b, Rgb c)
{
    std::set<std::pair<int, int>> s;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) == c) s.insert({x, y});
    return s;
}

TEST(CanvasEllipse, TouchesTheBoxEdgesAndStaysInside)
{
    for (auto [x1, y1, x2, y2] : {std::tuple{10, 10, 30, 20}, std::tuple{5, 3, 6, 4}, std::tuple{5, 5, 7, 7},
                                  std::tuple{4, 4, 7, 7}, std::tuple{2, 8, 40, 9}, std::tuple{3, 3, 34, 35}}) {
        Bitmap b = Blank(50, 50);
        b.brush.SetColour(Red);
        Canvas c(b);
        c.Ellipse(x1, y1, x2, y2);
        const auto outline = Drawn(b, kv::Black);
        int minX = 99, maxX = -1, minY = 99, maxY = -1;
        for (auto [x, y] : outline) {
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
            // Symmetric about the box's middle.
            EXPECT_TRUE(outline.count({x1 + x2 - 1 - x, y})) << x << "," << y;
            EXPECT_TRUE(outline.count({x, y1 + y2 - 1 - y})) << x << "," << y;
        }
        EXPECT_EQ(minX, x1);
        EXPECT_EQ(maxX, x2 - 1);
        EXPECT_EQ(minY, y1);
        EXPECT_EQ(maxY, y2 - 1);
        for (auto [x, y] : Drawn(b, Red)) {
            EXPECT_GT(x, x1);
            EXPECT_LT(x, x2 - 1);
        }
    }
}

TEST(CanvasEllipse, InteriorFilledWithTheBrushAndClosedForFloodFill)
{
    Bitmap b = Blank(60, 40);
    b.brush.SetColour(Red);
    Canvas c(b);
    c.Ellipse(5, 5, 55, 35);
    EXPECT_EQ(b.Pixel(30, 20), Red);
    EXPECT_EQ(b.Pixel(5, 5), kv::White);   // the box's corner is outside
    EXPECT_EQ(b.Pixel(5, 20), kv::Black);  // the left edge
    EXPECT_EQ(b.Pixel(54, 19), kv::Black);
    EXPECT_EQ(b.Pixel(55, 20), kv::White);

    // With a clear brush the inside keeps its pixels; a flood fill from the
    // centre stays within the outline.
    Bitmap d = Blank(60, 40);
    d.brush.Style = kv::BrushStyle::Clear;
    Canvas cd(d);
    cd.Ellipse(5, 5, 55, 35);
    EXPECT_EQ(d.Pixel(30, 20), kv::White);
    const int outline = Count(d, kv::Black);
    d.brush.SetColour(Green);
    cd.FloodFill(30, 20, kv::Black);
    EXPECT_EQ(d.Pixel(0, 0), kv::White);
    EXPECT_EQ(d.Pixel(59, 39), kv::White);
    EXPECT_EQ(d.Pixel(30, 2), kv::White);
    EXPECT_EQ(Count(d, kv::Black), outline);
    EXPECT_EQ(Count(d, Green), Count(b, Red));  // exactly the interior
}

TEST(CanvasEllipse, WidePenOutlineIsCentredOnTheThinOutline)
{
    Bitmap b = Blank(80, 80);
    b.pen.Width = 4;
    b.brush.SetColour(Red);
    Canvas c(b);
    c.Ellipse(20, 20, 60, 60);
    // Rows 39 and 40 are the middle. The thin outline would be columns 20
    // and 59; the 4-pixel band around it covers 19..22 and 57..60.
    for (int y : {39, 40}) {
        for (int x = 15; x <= 25; ++x) EXPECT_EQ(b.Pixel(x, y), x < 19 ? kv::White : x <= 22 ? kv::Black : Red) << x;
        for (int x = 55; x <= 65; ++x) EXPECT_EQ(b.Pixel(x, y), x > 60 ? kv::White : x >= 57 ? kv::Black : Red) << x;
    }
    EXPECT_EQ(b.Pixel(39, 19), kv::Black);  // a pixel above the box
    EXPECT_EQ(b.Pixel(39, 18), kv::White);
}

TEST(CanvasEllipse, InvertAndDottedOutlines)
{
    Bitmap b = Blank(40, 40);
    b.pen.Mode = kv::PenMode::Invert;
    b.brush.Style = kv::BrushStyle::Clear;
    Canvas c(b);
    c.Ellipse(5, 5, 35, 30);
    const int once = Count(b, kv::Black);
    EXPECT_GT(once, 0);
    EXPECT_EQ(once + Count(b, kv::White), 1600);  // no pixel inverted twice
    c.Ellipse(5, 5, 35, 30);
    EXPECT_EQ(Count(b, kv::White), 1600);

    Bitmap d = Blank(40, 40);
    d.pen.Style = kv::PenStyle::Dotted;
    d.brush.Style = kv::BrushStyle::Clear;
    Canvas cd(d);
    cd.Rectangle(5, 5, 15, 15);
    for (auto [x, y] : Drawn(d, kv::Black)) EXPECT_EQ((x + y) % 2, 0);
    EXPECT_EQ(Count(d, kv::Black), 18);
}

// ---- The title menu ------------------------------------------------------

// The title scene's menu circle: a 6-pixel black outline in the box
// (50, 350)-(250, 550) and two black lines, on a white frame.
Bitmap TitleMenu()
{
    Bitmap frame = Blank(800, 600);
    Canvas c(frame);
    frame.pen = kv::Pen{kv::Black, 6, kv::PenStyle::Solid, kv::PenMode::Copy};
    frame.brush.Style = kv::BrushStyle::Clear;
    c.Ellipse(50, 350, 250, 550);
    frame.pen.Width = 1;
    c.Line(57, 484, 243, 484);
    c.Line(57, 417, 243, 417);
    return frame;
}

double FromCentre(int x, int y) { return std::hypot(x + 0.5 - 150, y + 0.5 - 450); }

TEST(CanvasTitleMenu, OutlineLeavesTheSeedsAndInteriorUndrawn)
{
    const Bitmap frame = TitleMenu();
    EXPECT_EQ(frame.Pixel(150, 450), kv::White);
    EXPECT_EQ(frame.Pixel(62, 489), kv::White);
    EXPECT_EQ(frame.Pixel(150, 479), kv::White);
    EXPECT_EQ(frame.Pixel(150, 412), kv::White);
    // The outline is the band 96.5 .. 102.5 from the centre.
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 300; ++x) {
            const double d = FromCentre(x, y);
            if (d > 102.6 || (d < 96.4 && y != 484 && y != 417)) {
                EXPECT_EQ(frame.Pixel(x, y), kv::White) << x << "," << y;
            }
            if (d > 96.6 && d < 102.4) {
                EXPECT_EQ(frame.Pixel(x, y), kv::Black) << x << "," << y;
            }
        }
    // The lines reach into the outline at both ends.
    EXPECT_EQ(frame.Pixel(57, 484), kv::Black);
    EXPECT_EQ(frame.Pixel(242, 484), kv::Black);
    EXPECT_EQ(frame.Pixel(243, 484), kv::Black);  // the outline, not the line
    EXPECT_GT(FromCentre(242, 484), 96.5);
    EXPECT_GT(FromCentre(242, 417), 96.5);
    EXPECT_GT(FromCentre(57, 484), 96.5);
    EXPECT_GT(FromCentre(57, 417), 96.5);
}

TEST(CanvasTitleMenu, EachBandFillsOnlyItself)
{
    struct Item {
        int SeedX, SeedY;
        int Top, Bottom;  // the band's rows
    };
    for (const Item item : {Item{150, 479, 418, 483}, Item{62, 489, 485, 545}, Item{150, 412, 354, 416}}) {
        Bitmap frame = TitleMenu();
        Canvas c(frame);
        frame.brush.SetColour(Band);
        c.FloodFill(item.SeedX, item.SeedY, kv::Black);
        EXPECT_EQ(frame.Pixel(item.SeedX, item.SeedY), Band);
        EXPECT_EQ(frame.Pixel(150, item.Top), Band);
        EXPECT_EQ(frame.Pixel(150, item.Bottom), Band);
        int filled = 0;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x) {
                if (frame.Pixel(x, y) != Band) continue;
                ++filled;
                ASSERT_GE(y, item.Top) << x << "," << y;
                ASSERT_LE(y, item.Bottom) << x << "," << y;
                ASSERT_LT(FromCentre(x, y), 96.6) << x << "," << y;
            }
        EXPECT_GT(filled, 3000);
    }
}

// ---- Flood fill ----------------------------------------------------------

TEST(CanvasFloodFill, StopsAtTheBorderColourOnly)
{
    Bitmap b = Blank(30, 20);
    Canvas c(b);
    b.brush.Style = kv::BrushStyle::Clear;
    c.Rectangle(5, 5, 25, 15);
    // A line of the fill colour inside does not stop the fill.
    b.pen.Colour = Red;
    c.Line(15, 6, 15, 14);
    b.SetPixel(8, 8, Grey);
    b.brush.SetColour(Red);
    c.FloodFill(7, 7, kv::Black);
    EXPECT_EQ(Count(b, Red), 18 * 8);
    EXPECT_EQ(b.Pixel(20, 10), Red);
    EXPECT_EQ(b.Pixel(8, 8), Red);
    EXPECT_EQ(b.Pixel(2, 2), kv::White);
    EXPECT_EQ(b.Pixel(26, 10), kv::White);

    // A seed on the border fills nothing; nor does a clear brush.
    Bitmap d = b;
    d.brush.SetColour(Green);
    Canvas cd(d);
    cd.FloodFill(5, 5, kv::Black);
    EXPECT_EQ(Count(d, Green), 0);
    d.brush.Style = kv::BrushStyle::Clear;
    cd.FloodFill(1, 1, kv::Black);
    EXPECT_EQ(Count(d, Green), 0);
}

TEST(CanvasFloodFill, DiagonalBorderHoldsAFourConnectedFill)
{
    Bitmap b = Blank(20, 20);
    Canvas c(b);
    c.Line(0, 0, 20, 20);
    b.brush.SetColour(Red);
    c.FloodFill(15, 2, kv::Black);
    EXPECT_EQ(Count(b, Red), 190);
    EXPECT_EQ(b.Pixel(2, 15), kv::White);
}

TEST(CanvasFloodFill, FillsAWholeFrameWithoutRecursion)
{
    Bitmap b = Blank(800, 600);
    Canvas c(b);
    // A comb of walls makes the fill snake through the frame.
    for (int x = 4; x < 800; x += 4) c.Line(x, (x / 4) % 2 == 0 ? 0 : 1, x, (x / 4) % 2 == 0 ? 599 : 600);
    b.brush.SetColour(Red);
    c.FloodFill(0, 0, kv::Black);
    EXPECT_EQ(Count(b, Red), 800 * 600 - Count(b, kv::Black));
}

// ---- Copies --------------------------------------------------------------

TEST(CanvasCopy, DrawClipsAtEveryEdge)
{
    const Bitmap src = Patterned(10, 8);
    Bitmap b = Blank(12, 12);
    Canvas c(b);
    c.Draw(-3, -2, src);
    EXPECT_EQ(b.Pixel(0, 0), src.Pixel(3, 2));
    EXPECT_EQ(b.Pixel(6, 5), src.Pixel(9, 7));
    EXPECT_EQ(b.Pixel(7, 5), kv::White);
    EXPECT_EQ(b.Pixel(0, 6), kv::White);
    c.Draw(8, 9, src);
    EXPECT_EQ(b.Pixel(11, 11), src.Pixel(3, 2));
    c.Draw(INT_MAX, INT_MIN, src);
    c.Draw(INT_MIN, INT_MAX, src);
    c.Draw(-10, 0, src);  // just off the left edge
    EXPECT_EQ(b.Pixel(0, 7), kv::White);
}

TEST(CanvasCopy, KeyedSkipsTheKeyColour)
{
    Bitmap src = Blank(4, 4, kv::ColourKey);
    src.SetPixel(1, 1, Red);
    src.SetPixel(2, 3, Green);
    Bitmap b = Blank(6, 6, Grey);
    Canvas c(b);
    c.DrawKeyed(1, 1, src, kv::ColourKey);
    EXPECT_EQ(b.Pixel(2, 2), Red);
    EXPECT_EQ(b.Pixel(3, 4), Green);
    EXPECT_EQ(Count(b, Grey), 34);
    EXPECT_EQ(Count(b, kv::ColourKey), 0);
}

TEST(CanvasCopy, StretchesByNearestNeighbour)
{
    Bitmap src(2, 2);
    src.SetPixel(0, 0, Red);
    src.SetPixel(1, 0, Green);
    src.SetPixel(0, 1, Grey);
    src.SetPixel(1, 1, kv::Black);
    Bitmap b = Blank(8, 8);
    Canvas c(b);
    c.CopyRect(2, 2, 6, 6, src, 0, 0, 2, 2);
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 6; ++x) EXPECT_EQ(b.Pixel(x, y), src.Pixel((x - 2) / 2, (y - 2) / 2)) << x << "," << y;
    EXPECT_EQ(b.Pixel(6, 6), kv::White);
    EXPECT_EQ(b.Pixel(1, 1), kv::White);

    // Halving takes every other column and row, starting with the first.
    const Bitmap big = Patterned(8, 6);
    Bitmap small = Blank(4, 3);
    Canvas cs(small);
    cs.CopyRect(0, 0, 4, 3, big, 0, 0, 8, 6);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(small.Pixel(x, y), big.Pixel(2 * x, 2 * y));

    // Keyed and stretched: the hull picture in the ship window.
    Bitmap hull = Blank(2, 1, kv::ColourKey);
    hull.SetPixel(1, 0, Red);
    Bitmap w = Blank(4, 2, Grey);
    Canvas cw(w);
    cw.CopyRectKeyed(0, 0, 4, 2, hull, 0, 0, 2, 1, kv::ColourKey);
    EXPECT_EQ(w.Pixel(0, 0), Grey);
    EXPECT_EQ(w.Pixel(1, 1), Grey);
    EXPECT_EQ(w.Pixel(2, 0), Red);
    EXPECT_EQ(w.Pixel(3, 1), Red);
}

TEST(CanvasCopy, SourceOutsideTheSourceLeavesTheDestination)
{
    const Bitmap src = Patterned(4, 4);
    Bitmap b = Blank(10, 10);
    Canvas c(b);
    c.CopyRect(0, 0, 6, 6, src, -2, -2, 4, 4);
    EXPECT_EQ(b.Pixel(0, 0), kv::White);
    EXPECT_EQ(b.Pixel(1, 5), kv::White);
    EXPECT_EQ(b.Pixel(2, 2), src.Pixel(0, 0));
    EXPECT_EQ(b.Pixel(5, 5), src.Pixel(3, 3));
    // Stretched, the mapping is that of the whole boxes.
    Bitmap s = Blank(10, 10);
    Canvas cs(s);
    cs.CopyRect(0, 0, 8, 8, src, -2, -2, 2, 2);
    EXPECT_EQ(s.Pixel(3, 3), kv::White);
    EXPECT_EQ(s.Pixel(4, 4), src.Pixel(0, 0));
    EXPECT_EQ(s.Pixel(7, 7), src.Pixel(1, 1));
    // Empty and reversed boxes copy nothing; huge ones stay inside.
    Bitmap e = Blank(10, 10);
    Canvas ce(e);
    ce.CopyRect(5, 5, 5, 9, src, 0, 0, 4, 4);
    ce.CopyRect(9, 9, 5, 5, src, 0, 0, 4, 4);
    EXPECT_EQ(Count(e, kv::White), 100);
    ce.CopyRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, src, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    ce.CopyRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, src, 0, 0, 4, 4);
}

TEST(CanvasCopy, OntoItselfWithOverlap)
{
    Bitmap b = Patterned(10, 10);
    const Bitmap before = b;
    Canvas c(b);
    c.CopyRect(2, 2, 10, 10, b, 0, 0, 8, 8);
    for (int y = 2; y < 10; ++y)
        for (int x = 2; x < 10; ++x) EXPECT_EQ(b.Pixel(x, y), before.Pixel(x - 2, y - 2));
}

}  // namespace
