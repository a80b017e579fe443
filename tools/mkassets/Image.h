// The picture buffer of the asset generator and the few drawing helpers every
// picture is made from: fills, gradients, hard-edged shapes for anything that
// borders the transparent magenta, soft shapes for what lies inside, shaded
// spheres and a small stroke font for the game's name.
//
// Edges against magenta are never anti-aliased: a pixel half way between a
// panel and the key colour would be drawn as a pink fringe by the game.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

namespace mkassets {

struct Colour {
    double R = 0;
    double G = 0;
    double B = 0;
};

constexpr Colour Magenta{255, 0, 255};
constexpr Colour BlackKey{0, 0, 0};

Colour Mix(Colour a, Colour b, double t);
bool IsMagenta(Colour c);
bool IsBlackKey(Colour c);
Colour Scale(Colour c, double f);
Colour Add(Colour a, Colour b);

struct Point {
    double X = 0;
    double Y = 0;
};

struct Box {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

class Image {
public:
    Image(int width, int height, Colour fill);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    Colour At(int x, int y) const { return pixels_[Index(x, y)]; }
    void Set(int x, int y, Colour c);
    // Mixes c over the pixel with weight a (0 keeps it, 1 replaces it).
    void Blend(int x, int y, Colour c, double a);
    Image MirroredX() const;
    Image Crop(Box box) const;
    // Copies `other` with its top-left corner at (x, y).
    void Paste(const Image& other, int x, int y);

    void Save(const std::filesystem::path& path) const;

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }
    int width_;
    int height_;
    std::vector<Colour> pixels_;
};

void FillBox(Image& image, Box box, Colour c);
// Lightens the upper part of every pixel that is not magenta: a soft bevel.
void Sheen(Image& image, double strength);
// Turns every pixel outside a disc back into magenta, so that soft drawing
// near the rim leaves no pink fringe.
void KeyOutsideDisc(Image& image, Point centre, double radius);
void VerticalGradient(Image& image, Box box, Colour top, Colour bottom);

// Rounded rectangle with a separate radius per corner (top-left, top-right,
// bottom-right, bottom-left); outside the corners nothing is touched.
using CornerRadii = std::array<int, 4>;
bool InsideRounded(Box box, CornerRadii radii, int x, int y);

struct PanelStyle {
    Colour Top;
    Colour Bottom;
    Colour Rim;        // outer frame line
    Colour Highlight;  // inner line just inside the rim
    int RimWidth = 2;
    double Grain = 0;  // strength of a faint noise texture
};
// A HUD panel: a hard-edged rounded shape filled with a gradient and framed.
void DrawPanel(Image& image, Box box, CornerRadii radii, const PanelStyle& style);
// A sunken field: darker inside, shadowed top-left, lit bottom-right.
void DrawInset(Image& image, Box box, Colour fill, Colour light, Colour shadow);

void FillPolygon(Image& image, std::span<const Point> points, Colour c);
void FillCircle(Image& image, Point centre, double radius, Colour c);
// Anti-aliased (for use inside opaque areas only).
void SoftDisc(Image& image, Point centre, double radius, Colour c, double opacity);
void SoftEllipse(Image& image, Point centre, double rx, double ry, Colour c, double opacity);
void SoftLine(Image& image, Point a, Point b, double width, Colour c, double opacity);
void RingOutline(Image& image, Point centre, double radius, double width, Colour c, double opacity);

struct SphereLook {
    Colour Lit;
    Colour Dark;
    Point Light{-0.5, -0.55};  // direction towards the light in the picture plane
    double Texture = 0;       // how much noise bands the surface
    double TextureScale = 4;
    uint32_t Seed = 1;
    Colour Atmosphere{0, 0, 0};
    double AtmosphereWidth = 0;  // in pixels; 0 = none
    double Bands = 0;            // strength of latitude bands, 0 = none
};
// A lit, anti-aliased sphere, darker towards its limb, with an optional glow
// of atmosphere on its lit side.
void DrawSphere(Image& image, Point centre, double radius, const SphereLook& look);

// Scatters `count` stars in three classes (many faint, some medium, a few
// bright with a small cross), tinted by their temperature from red to blue;
// half of them gather in a few loose clusters.
void ScatterStarSpecks(Image& image, int count, uint32_t seed, double brightness);
// Adds a coloured cloud of fractal noise, strongest where the noise is high.
void AddNebula(Image& image, Colour tint, double strength, double scale, uint32_t seed);

// Text in the game's stroke lettering (capital letters used by the game's
// name only), `height` pixels high, starting at (x, y) top-left.
void StrokeText(Image& image, std::string_view text, Point at, double height, double stroke,
                Colour c, double opacity);
double StrokeTextWidth(std::string_view text, double height);
// The game's name as every picture shows it: a pale core in a blue glow.
void DrawGameName(Image& image, Point at, double height);
double GameNameWidth(double height);

// Pixel art: one string per row, one character per pixel; characters found
// in the palette are drawn as `scale` x `scale` blocks, all others are left.
struct PaletteEntry {
    char Symbol;
    Colour Shade;
};
void DrawPixelArt(Image& image, std::span<const std::string_view> rows, std::span<const PaletteEntry> palette,
                  int x, int y, int scale);

}  // namespace mkassets
