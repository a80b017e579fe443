// HUD pictures: dark, slightly translucent-looking panels with a teal frame,
// on which the game writes in green; every picture is exactly the size of
// the window or widget that loads it, and magenta marks what lies outside
// the shape.
#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "Image.h"
#include "Pictures.h"

namespace mkassets {
namespace {

namespace fs = std::filesystem;

constexpr PanelStyle HudPanel{{16, 32, 40}, {5, 12, 18}, {28, 104, 88}, {80, 180, 150}, 2, 0.18};
constexpr PanelStyle ButtonFace{{30, 64, 58}, {10, 26, 26}, {70, 160, 130}, {110, 200, 165}, 1, 0};
constexpr Colour Rule{34, 100, 84};
constexpr Colour InsetFill{3, 10, 12};
constexpr Colour InsetLight{44, 120, 100};
constexpr Colour InsetShadow{0, 3, 4};
constexpr Colour Glyph{150, 255, 175};
constexpr Colour GlyphShade{50, 170, 100};

void HorizontalRule(Image& image, int y, int x0, int x1)
{
    for (int x = x0; x < x1; ++x)
        image.Set(x, y, Rule);
}

void Inset(Image& image, Box box) { DrawInset(image, box, InsetFill, InsetLight, InsetShadow); }

Image TopBar()
{
    Image image(800, 115, Magenta);
    DrawPanel(image, {0, 0, 800, 66}, {0, 0, 14, 14}, HudPanel);
    Inset(image, {8, 2, 310, 61});
    Inset(image, {482, 2, 310, 61});
    DrawGameName(image, {400 - GameNameWidth(20) / 2, 12}, 20);
    HorizontalRule(image, 42, 336, 464);
    HorizontalRule(image, 45, 356, 444);
    return image;
}

Image ConsolePanel()
{
    Image image(800, 150, Magenta);
    DrawPanel(image, {0, 0, 800, 150}, {14, 14, 0, 0}, HudPanel);
    Inset(image, {340, 4, 120, 22});
    // The log's six lines run from y 36 to 121: the inset leaves them room.
    Inset(image, {24, 31, 752, 93});
    return image;
}

// Corner brackets just inside a panel's rim.
void CornerBrackets(Image& image, Box box)
{
    constexpr int Arm = 9;
    const Colour c = HudPanel.Highlight;
    const int right = box.Left + box.Width - 1;
    const int bottom = box.Top + box.Height - 1;
    for (int i = 0; i < Arm; ++i)
        for (int w = 0; w < 2; ++w) {
            image.Set(box.Left + i, box.Top + w, c);
            image.Set(box.Left + w, box.Top + i, c);
            image.Set(right - i, box.Top + w, c);
            image.Set(right - w, box.Top + i, c);
            image.Set(box.Left + i, bottom - w, c);
            image.Set(box.Left + w, bottom - i, c);
            image.Set(right - i, bottom - w, c);
            image.Set(right - w, bottom - i, c);
        }
}

// A plate behind a panel's two-line heading: a little lighter than the
// panel, with a rim, so the heading reads as a title.
void TitlePlate(Image& image, Box box)
{
    DrawPanel(image, box, {6, 6, 6, 6}, {{24, 56, 60}, {12, 30, 34}, {40, 130, 108}, {60, 150, 125}, 1, 0});
}

Image SidePanel(bool onTheLeft)
{
    Image image(200, 375, Magenta);
    const CornerRadii radii = onTheLeft ? CornerRadii{0, 14, 14, 0} : CornerRadii{14, 0, 0, 14};
    DrawPanel(image, {0, 0, 200, 375}, radii, HudPanel);
    Inset(image, {4, 50, 192, 74});
    // The two-line heading is written in 8 x 16 letters at y 7 and 27: on the
    // player panel "Player" and "information" from x 80 to 168, on the
    // right-hand panels "Star" or "Ship" and "information" from x 20 to 108.
    // The plate lies behind both lines with a margin of 8 pixels beside
    // them, near the screen's middle on either side.
    TitlePlate(image, onTheLeft ? Box{72, 3, 104, 42} : Box{12, 3, 104, 42});
    CornerBrackets(image, {3, 128, 194, 244});
    HorizontalRule(image, 46, 10, 190);
    HorizontalRule(image, 127, 10, 190);
    HorizontalRule(image, 350, 10, 190);
    return image;
}

Image CentrePanel()
{
    Image image(350, 350, Magenta);
    DrawPanel(image, {0, 0, 350, 350}, {16, 16, 16, 16}, HudPanel);
    HorizontalRule(image, 40, 14, 336);
    return image;
}

// A faint galaxy of two arms winding out from the centre: it hints at the
// map without lines that would clash with the stars and orbits drawn over it.
void SpiralGlow(Image& viewport, Point centre)
{
    for (int y = 0; y < viewport.Height(); ++y)
        for (int x = 0; x < viewport.Width(); ++x) {
            const double dx = x + 0.5 - centre.X;
            const double dy = (y + 0.5 - centre.Y) * 1.25;
            const double r = std::hypot(dx, dy) + 1;
            const double wound = std::atan2(dy, dx) - 2.2 * std::log(r / 12);
            const double arm = std::pow(0.5 + 0.5 * std::cos(2 * wound), 6);
            const double fade = std::exp(-r / 95) * std::min(1.0, r / 14);
            const double core = std::exp(-r * r / (2 * 18.0 * 18.0));
            viewport.Blend(x, y, {60, 150, 140}, std::min(0.5, 0.32 * arm * fade + 0.35 * core));
        }
}

// The star map's frame and viewport as one picture; the game loads it in
// five pieces (see StarMapPieces).
Image StarMap()
{
    Image image(350, 350, Magenta);
    DrawPanel(image, {0, 0, 350, 350}, {16, 16, 16, 16}, HudPanel);
    const Point galaxyCentre{175, 170};
    for (int y = 20; y < 309; ++y)
        for (int x = 21; x < 330; ++x) {
            const double d = std::hypot(x - galaxyCentre.X, y - galaxyCentre.Y);
            image.Set(x, y, Mix({4, 14, 24}, {0, 2, 6}, std::min(d / 230, 1.0)));
        }
    Image viewport = image.Crop({21, 20, 309, 289});
    AddNebula(viewport, {10, 40, 50}, 1.0, 70, 31);
    ScatterStarSpecks(viewport, 260, 32, 0.55);
    SpiralGlow(viewport, {154, 150});
    image.Paste(viewport, 21, 20);
    for (int x = 20; x <= 330; ++x) {
        image.Set(x, 19, InsetShadow);
        image.Set(x, 309, InsetLight);
    }
    for (int y = 19; y <= 309; ++y) {
        image.Set(20, y, InsetShadow);
        image.Set(330, y, InsetLight);
    }
    Inset(image, {11, 320, 98, 29});
    return image;
}

struct Piece {
    std::string_view File;
    Box Area;
};

// Where the map draws each piece: the viewport at (21, 20), the left edge at
// (0, 0), the top at (20, 0), the bottom at (21, 309), the right at (330, 0).
constexpr std::array<Piece, 5> StarMapPieces{{{"center_main.bmp", {21, 20, 309, 289}},
                                               {"center_left.bmp", {0, 0, 21, 350}},
                                               {"center_top.bmp", {20, 0, 310, 20}},
                                               {"center_bottom.bmp", {21, 309, 309, 41}},
                                               {"center_right.bmp", {330, 0, 20, 350}}}};

Image Button(int width, int height, int radius)
{
    Image image(width, height, Magenta);
    DrawPanel(image, {0, 0, width, height}, {radius, radius, radius, radius}, ButtonFace);
    Sheen(image, 0.12);
    return image;
}

Image ZoomButton(bool zoomIn)
{
    Image image = Button(45, 23, 4);
    const Point lens{20, 10.5};
    RingOutline(image, lens, 5.5, 1.8, Glyph, 1);
    SoftLine(image, {24.5, 15}, {29, 19.5}, 2.6, Glyph, 1);
    SoftLine(image, {17, 10.5}, {23, 10.5}, 1.5, Glyph, 1);
    if (zoomIn)
        SoftLine(image, {20, 7.5}, {20, 13.5}, 1.5, Glyph, 1);
    return image;
}

Image ArrowButton(int height, bool pointsRight)
{
    Image image = Button(20, height, 4);
    const double mid = height / 2.0;
    const double half = std::min(12.0, height / 2.0 - 4);
    const std::array<Point, 3> arrow = pointsRight
                                           ? std::array<Point, 3>{{{6, mid - half}, {15, mid}, {6, mid + half}}}
                                           : std::array<Point, 3>{{{14, mid - half}, {5, mid}, {14, mid + half}}};
    FillPolygon(image, arrow, Glyph);
    return image;
}

Image TrackNameButton()
{
    Image image = Button(180, 24, 4);
    Inset(image, {4, 3, 172, 18});
    return image;
}

Image EditField(int width)
{
    Image image(width, 20, InsetFill);
    Inset(image, {0, 0, width, 20});
    return image;
}

// Menu icons: 9 x 9 cells drawn 2 x 2 at (3, 3), which leaves a margin of
// two pixels inside the button's one-pixel rim; three tones: x light,
// o middle, d shadow.
using Art = std::array<std::string_view, 9>;

constexpr std::array<PaletteEntry, 3> IconPalette{{{'x', Glyph}, {'o', GlyphShade}, {'d', {20, 90, 60}}}};

struct Icon {
    std::string_view File;
    Art Rows;
};

constexpr std::array<Icon, 13> MenuIcons{{
    {"menu_map.bmp",
     {"....x...o", "....x....", "...oxo...", "..oxxxo..", "xxxxxxxxd", "..dxxxd..", "...dxd...", "o...x....",
      "....d...."}},
    {"menu_goods.bmp",
     {"xxxxxxxxo", "xoooooood", "xo.o.o.od", "xo.o.o.od", "xxxxxxxxd", "xo.o.o.od", "xo.o.o.od", "xoooooood",
      "odddddddd"}},
    {"menu_player.bmp",
     {"..xxxxo..", ".xxxxxoo.", "xxdddddoo", "xxdxdddoo", "xxdddddod", ".xoooood.", "...odd...", ".xxxxxoo.",
      "xxxxxoood"}},
    {"menu_planet.bmp",
     {".........", "...xxx...", "..xxxxo..", ".xxxoddxx", ".xdddxxd.", ".oxxxodd.", "xxooodd..", "...ddd...",
      "........."}},
    {"menu_console.bmp",
     {"xxxxxxxxo", "xdddddddo", "xdxdddddo", "xddxddddo", "xdxdooodo", "xdddddddo", "ooooooood", "...ood...",
      ".oooooood"}},
    {"menu_ship.bmp",
     {"xo.......", ".xo......", "..xo.....", "..xxxxxo.", "dxxxoxxxx", "..xxxxxo.", "..xo.....", ".xo......",
      "xo......."}},
    {"menu_sound_play.bmp",
     {".xo......", ".xxo.....", ".xxxo....", ".xxxxo...", ".xxxxxo..", ".xxxxd...", ".xxxd....", ".xxd.....",
      ".xd......"}},
    {"menu_sound_stop.bmp",
     {".........", ".xxxxxxo.", ".xxxxxxo.", ".xxxxxxo.", ".xxxxxxo.", ".xxxxxxo.", ".xxxxxxo.", ".ooooood.",
      "........."}},
    {"menu_sound_prev.bmp",
     {".........", "xo...xo.x", "xo..xxoxx", "xo.xxxxxx", "xoxxxxxxx", "xo.xxxxxd", "xo..xxdxd", "xo...xd.d",
      "........."}},
    {"menu_sound_next.bmp",
     {".........", "x.ox...ox", "xxoxx..ox", "xxxxxx.ox", "xxxxxxxox", "dxxxxx.ox", "dxdxx..ox", "d.dx...ox",
      "........."}},
    {"menu_trans_1.bmp",
     {".........", ".xxxxxxo.", ".xxxxxxo.", ".xxxxxxo.", ".xxxxxxo.", ".xxxxxxo.", ".xxxxxxo.", ".ooooood.",
      "........."}},
    {"menu_trans_2.bmp",
     {".........", ".xxxxxxo.", ".x.x.x.o.", ".xx.x.xo.", ".x.x.x.o.", ".xx.x.xo.", ".x.x.x.o.", ".ooooood.",
      "........."}},
    {"menu_trans_3.bmp",
     {".........", ".xxxxxxo.", ".x.....o.", ".x.....o.", ".x.....o.", ".x.....o.", ".x.....o.", ".ooooood.",
      "........."}},
}};

Image MenuIcon(const Art& rows)
{
    Image image = Button(24, 24, 4);
    DrawPixelArt(image, rows, IconPalette, 3, 3, 2);
    return image;
}

using SmallArt = std::array<std::string_view, 12>;

struct ConsoleIcon {
    std::string_view File;
    SmallArt Rows;
};

constexpr std::array<PaletteEntry, 7> ConsolePalette{{{'y', {255, 214, 50}},
                                                      {'k', {40, 10, 0}},
                                                      {'b', {40, 110, 230}},
                                                      {'w', {235, 235, 220}},
                                                      {'g', {90, 225, 100}},
                                                      {'d', {110, 110, 95}},
                                                      {'e', {10, 20, 10}}}};

constexpr std::array<ConsoleIcon, 5> ConsoleIcons{{
    {"c_alert.bmp",
     {".....yy.....", "....yyyy....", "....ykky....", "...yykkyy...", "...yykkyy...", "..yyykkyyy..",
      "..yyykkyyy..", ".yyyyyyyyyy.", ".yyyykkyyyy.", "yyyyykkyyyyy", "yyyyyyyyyyyy", "............"}},
    {"c_info.bmp",
     {"....bbbb....", "..bbbbbbbb..", ".bbbbwwbbbb.", ".bbbbwwbbbb.", "bbbbbbbbbbbb", "bbbbwwwbbbbb",
      "bbbbbwwbbbbb", "bbbbbwwbbbbb", ".bbbbwwbbbb.", ".bbbwwwwbbb.", "..bbbbbbbb..", "....bbbb...."}},
    {"c_audio.bmp",
     {"............", ".....g....g.", "....gg..g..g", "...ggg...g.g", "gggggg.g.g.g", "gggggg.g.g.g",
      "gggggg.g.g.g", "gggggg.g.g.g", "...ggg...g.g", "....gg..g..g", ".....g....g.", "............"}},
    {"c_mail.bmp",
     {"............", "............", "dddddddddddd", "dwdwwwwwwdwd", "dwwdwwwwdwwd", "dwwwdwwdwwwd",
      "dwwwwddwwwwd", "dwwwwwwwwwwd", "dwwwwwwwwwwd", "dddddddddddd", "............", "............"}},
    {"c_alien.bmp",
     {"...gggggg...", "..gggggggg..", ".gggggggggg.", ".gggggggggg.", "geeeggggeeeg", "geeeeggeeeeg",
      ".geeeggeeeg.", ".gggggggggg.", "..gggggggg..", "...gg..gg...", "....gggg....", ".....gg....."}},
}};

Image SmallIcon(const SmallArt& rows)
{
    Image image(12, 12, Magenta);
    DrawPixelArt(image, rows, ConsolePalette, 0, 0, 1);
    return image;
}

// The pointer's hot spot is its top-left pixel; the sprite never shows the
// last row and column.
Image Pointer()
{
    constexpr std::array<std::string_view, 16> rows{
        "k...............", "kk..............", "kwk.............", "kwwk............",
        "kwwwk...........", "kwwwwk..........", "kwwwwwk.........", "kwwwwwwk........",
        "kwwwwwwwk.......", "kwwwwkkkkk......", "kwwkwwk.........", "kwkkwwk.........",
        "kk..kwwk........", "....kwwk........", ".....kk.........", "................"};
    constexpr std::array<PaletteEntry, 2> palette{{{'k', {0, 50, 20}}, {'w', {160, 255, 180}}}};
    Image image(16, 16, Magenta);
    DrawPixelArt(image, rows, palette, 0, 0, 1);
    return image;
}

// The combat radar: a disc of radius 50 about (50, 50), drawn over the
// game's own radar circle; blips are drawn on top of it.
Image Scanner()
{
    Image image(101, 101, Magenta);
    const Point centre{50.5, 50.5};
    for (int y = 0; y < 101; ++y)
        for (int x = 0; x < 101; ++x) {
            const double d = std::hypot(x + 0.5 - centre.X, y + 0.5 - centre.Y);
            image.Set(x, y, Mix({0, 44, 18}, {0, 14, 8}, std::min(d / 50, 1.0)));
        }
    for (const double r : {16.0, 33.0})
        RingOutline(image, centre, r, 1, {0, 120, 50}, 0.6);
    RingOutline(image, centre, 48.5, 2.5, {30, 190, 90}, 1);
    SoftLine(image, {centre.X, 3}, {centre.X, 98}, 1, {0, 120, 50}, 0.5);
    SoftLine(image, {3, centre.Y}, {98, centre.Y}, 1, {0, 120, 50}, 0.5);
    KeyOutsideDisc(image, centre, 50.5);
    return image;
}

}  // namespace

void WriteHudPictures(const fs::path& gfx)
{
    const fs::path hud = gfx / "hud";
    TopBar().Save(hud / "top.bmp");
    ConsolePanel().Save(hud / "bottom.bmp");
    SidePanel(true).Save(hud / "left.bmp");
    SidePanel(false).Save(hud / "right.bmp");
    CentrePanel().Save(hud / "center.bmp");
    const Image map = StarMap();
    for (const Piece& piece : StarMapPieces)
        map.Crop(piece.Area).Save(hud / piece.File);
    Button(150, 24, 5).Save(hud / "btn1.bmp");
    Button(80, 20, 4).Save(hud / "btn2.bmp");
    Button(15, 15, 3).Save(hud / "btn3.bmp");
    ZoomButton(true).Save(hud / "btn_zoom_in.bmp");
    ZoomButton(false).Save(hud / "btn_zoom_out.bmp");
    TrackNameButton().Save(hud / "menu_sound_name.bmp");
    for (const Icon& icon : MenuIcons)
        MenuIcon(icon.Rows).Save(hud / icon.File);
    ArrowButton(60, true).Save(hud / "new_right.bmp");
    ArrowButton(60, false).Save(hud / "new_left.bmp");
    ArrowButton(20, true).Save(hud / "new_right_low.bmp");
    ArrowButton(20, false).Save(hud / "new_left_low.bmp");
    EditField(160).Save(hud / "edit.bmp");
    EditField(740).Save(hud / "console.bmp");
    for (const ConsoleIcon& icon : ConsoleIcons)
        SmallIcon(icon.Rows).Save(hud / icon.File);
    Pointer().Save(hud / "cursor.bmp");
    Scanner().Save(hud / "scanner.bmp");
}

}  // namespace mkassets
