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

void GameName(Image& image, Point at, double height)
{
    StrokeText(image, "KVSPACE", at, height, height * 0.3, {0, 160, 80}, 0.35);
    StrokeText(image, "KVSPACE", at, height, height * 0.11, {150, 255, 180}, 1);
}

Image TopBar()
{
    Image image(800, 115, Magenta);
    DrawPanel(image, {0, 0, 800, 66}, {0, 0, 14, 14}, HudPanel);
    Inset(image, {8, 2, 310, 61});
    Inset(image, {482, 2, 310, 61});
    GameName(image, {400 - StrokeTextWidth("KVSPACE", 20) / 2, 12}, 20);
    HorizontalRule(image, 42, 336, 464);
    HorizontalRule(image, 45, 356, 444);
    return image;
}

Image ConsolePanel()
{
    Image image(800, 150, Magenta);
    DrawPanel(image, {0, 0, 800, 150}, {14, 14, 0, 0}, HudPanel);
    Inset(image, {340, 4, 120, 22});
    Inset(image, {24, 32, 752, 89});
    return image;
}

Image SidePanel(bool onTheLeft)
{
    Image image(200, 375, Magenta);
    const CornerRadii radii = onTheLeft ? CornerRadii{0, 14, 14, 0} : CornerRadii{14, 0, 0, 14};
    DrawPanel(image, {0, 0, 200, 375}, radii, HudPanel);
    Inset(image, {4, 50, 192, 74});
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
    for (const double r : {50.0, 100.0, 150.0})
        RingOutline(viewport, {154, 150}, r, 1, {20, 80, 66}, 0.45);
    for (int k = 0; k < 12; ++k) {
        const double a = k * 3.14159265358979 / 6;
        SoftLine(viewport, {154 + 20 * std::cos(a), 150 + 20 * std::sin(a)},
                 {154 + 160 * std::cos(a), 150 + 160 * std::sin(a)}, 1, {20, 80, 66}, 0.25);
    }
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

using Art = std::array<std::string_view, 10>;

constexpr std::array<PaletteEntry, 2> IconPalette{{{'x', Glyph}, {'o', GlyphShade}}};

struct Icon {
    std::string_view File;
    Art Rows;
};

constexpr std::array<Icon, 13> MenuIcons{{
    {"menu_map.bmp",
     {"....x.....", "....x.....", "...xxx....", "xxxxxxxx..", "...xxx....", "....x...o.", "....x.....",
      ".o.....x..", "......xxx.", ".......x.."}},
    {"menu_goods.bmp",
     {"..........", ".xxxxxxxx.", ".xx....xx.", ".x.x..x.x.", ".x..xx..x.", ".x..xx..x.", ".x.x..x.x.",
      ".xx....xx.", ".xxxxxxxx.", ".........."}},
    {"menu_player.bmp",
     {"...xxxx...", "..xxxxxx..", "..xxxxxx..", "..xxxxxx..", "...xxxx...", "..........", ".xxxxxxxx.",
      "xxxxxxxxxx", "xxxxxxxxxx", "xxxxxxxxxx"}},
    {"menu_planet.bmp",
     {"..........", "...xxxx...", "..xxxxxx..", "oooooooooo", "o.xxxxxx.o", ".oooooooo.", "..xxxxxx..",
      "...xxxx...", "..........", ".........."}},
    {"menu_console.bmp",
     {"xxxxxxxxxx", "x........x", "x.x......x", "x..x.....x", "x.x......x", "x...ooo..x", "x........x",
      "xxxxxxxxxx", "...xxxx...", ".xxxxxxxx."}},
    {"menu_ship.bmp",
     {"..........", ".xx.......", ".xxxx.....", "..xxxxxx..", ".oxxxxxxxx", ".oxxxxxxxx", "..xxxxxx..",
      ".xxxx.....", ".xx.......", ".........."}},
    {"menu_sound_play.bmp",
     {"..........", "..xx......", "..xxxx....", "..xxxxxx..", "..xxxxxxxx", "..xxxxxxxx", "..xxxxxx..",
      "..xxxx....", "..xx......", ".........."}},
    {"menu_sound_stop.bmp",
     {"..........", "..........", "..xxxxxx..", "..xxxxxx..", "..xxxxxx..", "..xxxxxx..", "..xxxxxx..",
      "..xxxxxx..", "..........", ".........."}},
    {"menu_sound_prev.bmp",
     {"..........", ".x...x...x", ".x..xx..xx", ".x.xxx.xxx", ".xxxxxxxxx", ".xxxxxxxxx", ".x.xxx.xxx",
      ".x..xx..xx", ".x...x...x", ".........."}},
    {"menu_sound_next.bmp",
     {"..........", "x...x...x.", "xx..xx..x.", "xxx.xxx.x.", "xxxxxxxxx.", "xxxxxxxxx.", "xxx.xxx.x.",
      "xx..xx..x.", "x...x...x.", ".........."}},
    {"menu_trans_1.bmp",
     {"..........", ".xxxxxxxx.", ".xxxxxxxx.", ".xxxxxxxx.", ".xxxxxxxx.", ".xxxxxxxx.", ".xxxxxxxx.",
      ".xxxxxxxx.", ".xxxxxxxx.", ".........."}},
    {"menu_trans_2.bmp",
     {"..........", ".xxxxxxxx.", ".x.x.x.xx.", ".xx.x.x.x.", ".x.x.x.xx.", ".xx.x.x.x.", ".x.x.x.xx.",
      ".xx.x.x.x.", ".xxxxxxxx.", ".........."}},
    {"menu_trans_3.bmp",
     {"..........", ".xxxxxxxx.", ".x......x.", ".x.o..o.x.", ".x......x.", ".x......x.", ".x.o..o.x.",
      ".x......x.", ".xxxxxxxx.", ".........."}},
}};

Image MenuIcon(const Art& rows)
{
    Image image = Button(24, 24, 4);
    DrawPixelArt(image, rows, IconPalette, 2, 2, 2);
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
        "kwwwwwwwk.......", "kwwwwwwwwk......", "kwwwwwkkkkk.....", "kwwkwwk.........",
        "kwk.kwwk........", "kk...kwwk.......", "k.....kwwk......", "......kkk......."};
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
