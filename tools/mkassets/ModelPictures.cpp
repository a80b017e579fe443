// Combat pictures and portraits. Ships face right (+x), as every turning
// object of a battle must; their edges are hard so that the rotation strips
// and the pixel-exact hit test see a clean outline on magenta.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "Image.h"
#include "Noise.h"
#include "Pictures.h"

namespace mkassets {
namespace {

namespace fs = std::filesystem;

constexpr double Pi = 3.14159265358979323846;

// A hull outline on a unit square (x -1 rear .. 1 nose, y -1 .. 1), made of
// polygons; mirrored parts are repeated below the centre line.
struct Part {
    std::vector<Point> Outline;
    bool Mirrored = false;
    bool Accent = false;
};

struct HullShape {
    std::vector<Part> Parts;
    Point Cockpit;
    double CockpitLength = 0.2;
    std::vector<Point> Engines;
};

std::vector<Point> Circle(Point centre, double radius)
{
    std::vector<Point> points;
    for (int k = 0; k < 20; ++k)
        points.push_back({centre.X + radius * std::cos(k * Pi / 10), centre.Y + radius * std::sin(k * Pi / 10)});
    return points;
}

const std::vector<HullShape>& HullShapes()
{
    static const std::vector<HullShape> shapes{
        // compact fighter
        {{{{{0.1, -0.2}, {-0.45, -0.85}, {-0.75, -0.85}, {-0.55, -0.2}}, true, true},
          {{{1, 0}, {0.3, -0.24}, {-0.7, -0.26}, {-0.82, 0}, {-0.7, 0.26}, {0.3, 0.24}}}},
         {0.32, 0},
         0.22,
         {{-0.8, -0.12}, {-0.8, 0.12}}},
        // swept dart
        {{{{{0.2, -0.08}, {-0.65, -0.78}, {-0.9, -0.74}, {-0.6, -0.08}}, true, true},
          {{{1.05, 0}, {-0.2, -0.18}, {-0.82, -0.13}, {-0.82, 0.13}, {-0.2, 0.18}}}},
         {0.25, 0},
         0.2,
         {{-0.82, 0}}},
        // freighter with cargo pods
        {{{{{-0.75, -0.62}, {0.45, -0.62}, {0.55, -0.5}, {0.45, -0.3}, {-0.75, -0.3}}, true, true},
          {{{0.95, 0}, {0.75, -0.3}, {-0.85, -0.32}, {-0.85, 0.32}, {0.75, 0.3}}}},
         {0.62, 0},
         0.16,
         {{-0.85, -0.46}, {-0.85, 0.46}, {-0.85, 0}}},
        // saucer with prongs
        {{{{{0.92, -0.36}, {0.98, -0.18}, {0.3, -0.1}, {0.25, -0.42}}, true, true},
          {Circle({-0.12, 0}, 0.58)}},
         {0.12, 0},
         0.18,
         {{-0.68, -0.2}, {-0.68, 0.2}}},
        // forward-swept insect
        {{{{{-0.3, -0.12}, {0.42, -0.88}, {0.22, -0.95}, {-0.62, -0.2}}, true, true},
          {{{1, 0}, {0.5, -0.13}, {-0.9, -0.11}, {-0.9, 0.11}, {0.5, 0.13}}}},
         {0.45, 0},
         0.24,
         {{-0.9, 0}}},
    };
    return shapes;
}

struct HullPaint {
    Colour Body;
    Colour Accent;
};

constexpr std::array<HullPaint, 5> HullPaints{{{{176, 184, 198}, {60, 120, 210}},
                                               {{205, 64, 52}, {232, 200, 84}},
                                               {{152, 140, 112}, {205, 132, 52}},
                                               {{194, 194, 204}, {90, 204, 172}},
                                               {{86, 156, 74}, {206, 222, 96}}}};

std::vector<Point> Placed(const std::vector<Point>& outline, double size, bool mirror)
{
    std::vector<Point> points;
    const double half = size / 2;
    const double scale = size * 0.44;
    for (const Point p : outline)
        points.push_back({half + p.X * scale, half + (mirror ? -p.Y : p.Y) * scale});
    return points;
}

void FillHull(Image& image, const HullShape& shape, Colour body, Colour accent)
{
    const double size = image.Width();
    for (const Part& part : shape.Parts) {
        FillPolygon(image, Placed(part.Outline, size, false), part.Accent ? accent : body);
        if (part.Mirrored)
            FillPolygon(image, Placed(part.Outline, size, true), part.Accent ? accent : body);
    }
}

bool TouchesKey(const Image& image, int x, int y)
{
    for (const auto [dx, dy] : std::array<std::array<int, 2>, 4>{{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}})
        if (!image.Contains(x + dx, y + dy) || IsMagenta(image.At(x + dx, y + dy)))
            return true;
    return false;
}

// Light from above: the upper side of the hull is brighter, a faint plating
// texture breaks up the surface and the outline is darkened.
void ShadeHull(Image& image, uint32_t seed)
{
    const Image flat = image;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const Colour c = flat.At(x, y);
            if (IsMagenta(c))
                continue;
            const double light = 1.15 - 0.5 * y / image.Height();
            const double plating = 0.9 + 0.2 * ValueNoise(x / 5.0, y / 3.0, seed);
            image.Set(x, y, TouchesKey(flat, x, y) ? Scale(c, 0.35) : Scale(c, light * plating));
        }
}

Image ShipModel(const HullShape& shape, const HullPaint& paint, uint32_t seed)
{
    constexpr int Size = 92;
    Image image(Size, Size, Magenta);
    FillHull(image, shape, paint.Body, paint.Accent);
    const Image outline = image;
    ShadeHull(image, seed);
    const double scale = Size * 0.44;
    const Point cockpit{Size / 2.0 + shape.Cockpit.X * scale, Size / 2.0 + shape.Cockpit.Y * scale};
    SoftEllipse(image, cockpit, shape.CockpitLength * scale, 4, {20, 60, 90}, 1);
    SoftEllipse(image, {cockpit.X + 1, cockpit.Y - 1}, shape.CockpitLength * scale * 0.7, 2.6, {110, 210, 255}, 1);
    SoftDisc(image, {cockpit.X + 2, cockpit.Y - 1.5}, 1.2, {240, 250, 255}, 0.9);
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x)
            if (IsMagenta(outline.At(x, y)))
                image.Set(x, y, Magenta);
    for (const Point engine : shape.Engines)
        FillCircle(image, {Size / 2.0 + engine.X * scale + 2, Size / 2.0 + engine.Y * scale}, 3.2,
                   {255, 176, 64});
    return image;
}

// The ship window's picture: the same hull as a green hologram.
Image ShipHologram(const HullShape& shape)
{
    constexpr int Size = 70;
    Image image(Size, Size, Magenta);
    FillHull(image, shape, {0, 60, 30}, {0, 84, 40});
    const Image flat = image;
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x) {
            const Colour c = flat.At(x, y);
            if (IsMagenta(c))
                continue;
            if (TouchesKey(flat, x, y))
                image.Set(x, y, {110, 255, 150});
            else if (y % 3 == 0)
                image.Set(x, y, Add(c, {0, 40, 20}));
        }
    return image;
}

// A lumpy rock: a disc whose radius wanders with the angle, lit from the top
// left, with a few craters.
Image Asteroid(int size, uint32_t seed)
{
    Image image(size, size, Magenta);
    const double centre = size / 2.0;
    const double radius = size * 0.46;
    Rng rng(seed);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double dx = x + 0.5 - centre;
            const double dy = y + 0.5 - centre;
            const double angle = std::atan2(dy, dx);
            const double edge =
                radius * (0.76 + 0.24 * ValueNoise(1.6 * std::cos(angle) + 5, 1.6 * std::sin(angle) + 5, seed));
            const double d = std::hypot(dx, dy);
            if (d >= edge)
                continue;
            const double nz = std::sqrt(std::max(0.0, 1 - (d / edge) * (d / edge)));
            const double lit = std::clamp((-dx - dy) / (edge * 1.7) + nz * 0.75, 0.05, 1.0);
            const double grain = FractalNoise(x / 4.0, y / 4.0, 3, seed + 1);
            image.Set(x, y, Scale(Mix({42, 34, 30}, {168, 148, 126}, lit), 0.75 + 0.5 * grain));
        }
    const Image shape = image;
    for (int crater = 0; crater < size / 12; ++crater) {
        const Point at{centre + rng.Between(-0.45, 0.45) * size * 0.6, centre + rng.Between(-0.45, 0.45) * size * 0.6};
        const double r = rng.Between(2, size / 9.0);
        SoftDisc(image, {at.X + 0.8, at.Y + 0.8}, r, {200, 184, 160}, 0.35);
        SoftDisc(image, at, r, {36, 28, 24}, 0.55);
    }
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (IsMagenta(shape.At(x, y)))
                image.Set(x, y, Magenta);
            else if (TouchesKey(shape, x, y))
                image.Set(x, y, Scale(image.At(x, y), 0.5));
    return image;
}

// Eight square frames one below the other on black, which explosions treat
// as transparent: a flash, a fireball swelling and cooling, then smoke.
Image ExplosionStrip()
{
    constexpr int Size = 64;
    constexpr int Frames = 8;
    Image image(Size, Size * Frames, BlackKey);
    for (int frame = 0; frame < Frames; ++frame) {
        const double t = (frame + 0.5) / Frames;
        const double radius = 8 + 22 * std::pow(t, 0.6);
        for (int y = 0; y < Size; ++y)
            for (int x = 0; x < Size; ++x) {
                const double d = std::hypot(x + 0.5 - Size / 2.0, y + 0.5 - Size / 2.0) / radius;
                const double turbulence = FractalNoise(x / 7.0, y / 7.0 + frame * 3.1, 4, 900);
                const double heat = (1.1 - d - 0.45 * (turbulence - 0.5)) * (1.15 - t * 0.9);
                if (heat <= 0.06)
                    continue;
                const Colour hot = heat > 0.7   ? Mix({255, 200, 80}, {255, 255, 230}, (heat - 0.7) / 0.5)
                                   : heat > 0.35 ? Mix({220, 70, 20}, {255, 200, 80}, (heat - 0.35) / 0.35)
                                                 : Mix({50, 30, 28}, {220, 70, 20}, (heat - 0.06) / 0.29);
                image.Set(x, frame * Size + y, hot);
            }
    }
    return image;
}

struct Portrait {
    Colour BackTop;
    Colour BackBottom;
    Colour Skin;
    Colour Hair;
    Colour Suit;
    enum class Style { Short, Long, Helmet, Alien } Look;
};

constexpr std::array<Portrait, 7> Portraits{{
    {{20, 50, 80}, {4, 12, 24}, {236, 196, 160}, {80, 50, 30}, {40, 90, 140}, Portrait::Style::Short},
    {{70, 30, 60}, {12, 6, 18}, {210, 160, 120}, {30, 20, 16}, {120, 40, 50}, Portrait::Style::Long},
    {{30, 70, 50}, {4, 18, 12}, {170, 120, 84}, {20, 16, 14}, {60, 110, 70}, Portrait::Style::Short},
    {{60, 60, 70}, {10, 10, 16}, {240, 210, 180}, {210, 170, 90}, {90, 90, 110}, Portrait::Style::Long},
    {{80, 50, 20}, {18, 10, 4}, {120, 84, 60}, {230, 230, 230}, {150, 110, 40}, Portrait::Style::Helmet},
    {{20, 40, 90}, {2, 6, 20}, {226, 180, 150}, {160, 60, 30}, {50, 60, 140}, Portrait::Style::Helmet},
    {{10, 60, 40}, {0, 14, 8}, {120, 210, 110}, {0, 0, 0}, {70, 50, 110}, Portrait::Style::Alien},
}};

Image Avatar(const Portrait& p)
{
    Image image(60, 60, {});
    VerticalGradient(image, {0, 0, 60, 60}, p.BackTop, p.BackBottom);
    SoftEllipse(image, {30, 64}, 27, 17, p.Suit, 1);
    SoftEllipse(image, {30, 56}, 9, 5, Scale(p.Suit, 0.6), 1);
    FillBox(image, {26, 38, 8, 10}, Scale(p.Skin, 0.8));
    const bool alien = p.Look == Portrait::Style::Alien;
    if (p.Look == Portrait::Style::Long)
        SoftEllipse(image, {30, 30}, 15, 19, p.Hair, 1);
    if (p.Look == Portrait::Style::Helmet)
        SoftEllipse(image, {30, 28}, 17, 19, p.Hair, 1);
    SoftEllipse(image, {30, 28}, alien ? 14 : 12, alien ? 16 : 15, p.Skin, 1);
    SoftEllipse(image, {33, 31}, 9, 11, Scale(p.Skin, 1.08), 0.5);
    if (p.Look == Portrait::Style::Short || p.Look == Portrait::Style::Long)
        SoftEllipse(image, {30, 17}, 13, 7, p.Hair, 1);
    if (alien) {
        SoftEllipse(image, {24, 27}, 4.5, 3, {6, 10, 8}, 1);
        SoftEllipse(image, {36, 27}, 4.5, 3, {6, 10, 8}, 1);
        SoftLine(image, {27, 38}, {33, 38}, 1, Scale(p.Skin, 0.5), 1);
    } else {
        SoftDisc(image, {25, 28}, 1.6, {30, 30, 40}, 1);
        SoftDisc(image, {35, 28}, 1.6, {30, 30, 40}, 1);
        SoftLine(image, {22, 24}, {28, 24}, 1.2, Scale(p.Hair, 0.8), 0.8);
        SoftLine(image, {32, 24}, {38, 24}, 1.2, Scale(p.Hair, 0.8), 0.8);
        SoftLine(image, {30, 29}, {29, 33}, 1, Scale(p.Skin, 0.7), 0.8);
        SoftLine(image, {26, 37}, {34, 37}, 1.3, {150, 70, 70}, 0.8);
    }
    if (p.Look == Portrait::Style::Helmet)
        SoftEllipse(image, {30, 26}, 12, 5, {140, 220, 255}, 0.3);
    for (int i = 0; i < 60; ++i) {
        image.Set(i, 0, {60, 160, 130});
        image.Set(i, 59, {20, 70, 60});
        image.Set(0, i, {60, 160, 130});
        image.Set(59, i, {20, 70, 60});
    }
    return image;
}

}  // namespace

void WriteModelPictures(const fs::path& gfx, const Catalogue& catalogue)
{
    const fs::path models = gfx / "models";
    const auto& shapes = HullShapes();
    for (std::size_t i = 0; i < catalogue.Hulls.size(); ++i) {
        const HullShape& shape = shapes[i % shapes.size()];
        ShipModel(shape, HullPaints[i % HullPaints.size()], static_cast<uint32_t>(500 + i))
            .Save(models / (catalogue.Hulls[i] + ".bmp"));
        ShipHologram(shape).Save(models / (catalogue.Hulls[i] + "_g.bmp"));
    }
    Asteroid(56, 601).Save(models / "aster1.bmp");
    Asteroid(40, 602).Save(models / "aster2.bmp");
    Image(2, 2, {255, 250, 200}).Save(models / "bullet.bmp");
    ExplosionStrip().Save(models / "explosion1.bmp");
    for (std::size_t i = 0; i < Portraits.size(); ++i)
        Avatar(Portraits[i]).Save(gfx / "avatar" / ("avatar" + std::to_string(i + 1) + ".bmp"));
}

}  // namespace mkassets
