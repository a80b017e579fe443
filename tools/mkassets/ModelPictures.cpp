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

// Each hull has a cockpit of its own kind.
enum class CanopyKind { Teardrop, Slit, Bridge, Dome, Twin };

struct HullShape {
    std::vector<Part> Parts;
    Point Cockpit;
    double CockpitLength = 0.2;
    std::vector<Point> Engines;
    CanopyKind Canopy = CanopyKind::Teardrop;
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
         {{-0.8, -0.12}, {-0.8, 0.12}},
         CanopyKind::Teardrop},
        // swept dart
        {{{{{0.2, -0.08}, {-0.65, -0.78}, {-0.9, -0.74}, {-0.6, -0.08}}, true, true},
          {{{1.05, 0}, {-0.2, -0.18}, {-0.82, -0.13}, {-0.82, 0.13}, {-0.2, 0.18}}}},
         {0.25, 0},
         0.2,
         {{-0.82, 0}},
         CanopyKind::Slit},
        // freighter with cargo pods
        {{{{{-0.75, -0.62}, {0.45, -0.62}, {0.55, -0.5}, {0.45, -0.3}, {-0.75, -0.3}}, true, true},
          {{{0.95, 0}, {0.75, -0.3}, {-0.85, -0.32}, {-0.85, 0.32}, {0.75, 0.3}}}},
         {0.62, 0},
         0.16,
         {{-0.85, -0.46}, {-0.85, 0.46}, {-0.85, 0}},
         CanopyKind::Bridge},
        // saucer with prongs
        {{{{{0.92, -0.36}, {0.98, -0.18}, {0.3, -0.1}, {0.25, -0.42}}, true, true},
          {Circle({-0.12, 0}, 0.58)}},
         {0.12, 0},
         0.18,
         {{-0.68, -0.2}, {-0.68, 0.2}},
         CanopyKind::Dome},
        // forward-swept insect
        {{{{{-0.3, -0.12}, {0.42, -0.88}, {0.22, -0.95}, {-0.62, -0.2}}, true, true},
          {{{1, 0}, {0.5, -0.13}, {-0.9, -0.11}, {-0.9, 0.11}, {0.5, 0.13}}}},
         {0.45, 0},
         0.24,
         {{-0.9, 0}},
         CanopyKind::Twin},
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

// A paint's four shades, from the shadow to the highlight. The shadows lean
// towards blue and the highlights towards warm yellow, as lit metal does
// under a star, rather than being one colour made darker and lighter.
using Ramp = std::array<Colour, 4>;

Ramp PaintRamp(Colour paint)
{
    return {Mix(Scale(paint, 0.42), {20, 26, 70}, 0.35), Mix(Scale(paint, 0.7), {40, 50, 110}, 0.15), paint,
            Mix(paint, {255, 244, 200}, 0.45)};
}

// The light falls along the hull's centre line: the spine is brightest and
// the surface turns away towards the flanks and wing tips. A ship lit this
// way looks right at any heading, as a battle turns it every way.
int LightStep(double distanceFromSpine, double plating)
{
    const double light = 1 - distanceFromSpine * 1.05 + 0.22 * (plating - 0.5);
    return light > 0.78 ? 3 : light > 0.45 ? 2 : light > 0.15 ? 1 : 0;
}

// Cross seams at fixed stations along the hull and one seam along the
// spine of each accent part.
bool PanelLine(double u, double v, bool accent)
{
    if (accent)
        return std::abs(std::abs(v) - 0.52) < 0.025;
    for (const double station : {-0.45, -0.05, 0.45})
        if (std::abs(u - station) < 0.018)
            return true;
    return false;
}

void ShadeHull(Image& image, const Image& parts, const HullPaint& paint, uint32_t seed)
{
    const Ramp body = PaintRamp(paint.Body);
    const Ramp accent = PaintRamp(paint.Accent);
    const double half = image.Width() / 2.0;
    const double scale = image.Width() * 0.44;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const Colour part = parts.At(x, y);
            if (IsMagenta(part))
                continue;
            const bool isAccent = part.R > 0;
            const double u = (x + 0.5 - half) / scale;
            const double v = (y + 0.5 - half) / scale;
            const double plating = ValueNoise(x / 4.0, y / 2.5, seed);
            int step = LightStep(std::abs(v), plating);
            if (PanelLine(u, v, isAccent))
                step = std::max(0, step - 1);
            // The outline is dark only where the surface faces away from
            // the light; near the spine the edge keeps its lit shade.
            if (TouchesKey(parts, x, y) && std::abs(v) > 0.16)
                step = 0;
            image.Set(x, y, (isAccent ? accent : body)[static_cast<std::size_t>(step)]);
        }
}

void DrawCockpit(Image& image, const HullShape& shape)
{
    const double half = image.Width() / 2.0;
    const double scale = image.Width() * 0.44;
    const Point at{half + shape.Cockpit.X * scale, half + shape.Cockpit.Y * scale};
    const double length = shape.CockpitLength * scale;
    constexpr Colour Frame{28, 40, 60};
    constexpr Colour Glass{70, 150, 210};
    constexpr Colour Glint{225, 245, 255};
    switch (shape.Canopy) {
    case CanopyKind::Teardrop:
        SoftEllipse(image, at, length, 4.2, Frame, 1);
        SoftEllipse(image, {at.X + 1, at.Y}, length * 0.8, 3, Glass, 1);
        SoftEllipse(image, {at.X + length * 0.3, at.Y}, length * 0.3, 1.2, Glint, 0.9);
        break;
    case CanopyKind::Slit:
        SoftEllipse(image, at, length, 2.6, Frame, 1);
        SoftEllipse(image, {at.X + 1, at.Y}, length * 0.85, 1.5, Glass, 1);
        SoftLine(image, {at.X, at.Y}, {at.X + length * 0.7, at.Y}, 0.8, Glint, 0.8);
        break;
    case CanopyKind::Bridge:
        FillBox(image, {static_cast<int>(at.X - 4), static_cast<int>(at.Y - 7), 8, 14}, Frame);
        for (int w = 0; w < 4; ++w)
            FillBox(image, {static_cast<int>(at.X + 1), static_cast<int>(at.Y - 6 + 3.5 * w), 2, 2}, Glass);
        break;
    case CanopyKind::Dome:
        SoftDisc(image, at, length, Frame, 1);
        SoftDisc(image, at, length * 0.78, Glass, 1);
        SoftDisc(image, {at.X + 1.5, at.Y}, length * 0.3, Glint, 0.8);
        break;
    case CanopyKind::Twin:
        for (const double side : {-1.0, 1.0}) {
            SoftEllipse(image, {at.X, at.Y + side * 3.5}, length * 0.6, 2.2, Frame, 1);
            SoftEllipse(image, {at.X + 0.5, at.Y + side * 3.5}, length * 0.45, 1.4, Glass, 1);
        }
        break;
    }
}

// Nozzles glow the cyan of the engines' exhaust.
void DrawNozzles(Image& image, const HullShape& shape)
{
    const double half = image.Width() / 2.0;
    const double scale = image.Width() * 0.44;
    for (const Point engine : shape.Engines) {
        const Point at{half + engine.X * scale + 2, half + engine.Y * scale};
        FillCircle(image, at, 3.4, {30, 70, 96});
        FillCircle(image, at, 2.4, {80, 220, 255});
        FillCircle(image, {at.X - 0.5, at.Y}, 1.2, {210, 250, 255});
    }
}

Image ShipModel(const HullShape& shape, const HullPaint& paint, uint32_t seed)
{
    constexpr int Size = 92;
    Image parts(Size, Size, Magenta);
    FillHull(parts, shape, {0, 0, 0}, {255, 0, 0});
    Image image = parts;
    ShadeHull(image, parts, paint, seed);
    DrawCockpit(image, shape);
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x)
            if (IsMagenta(parts.At(x, y)))
                image.Set(x, y, Magenta);
    DrawNozzles(image, shape);
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

// A lumpy rock: a disc whose radius wanders with the angle, lit like the
// ships from straight above, so that it looks the same however it turns:
// bright where it faces the viewer, darker towards its rim. Craters are
// dark bowls whose rims catch the light.
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
            const double facing = std::sqrt(std::max(0.0, 1 - (d / edge) * (d / edge)));
            const double lit = std::clamp(0.15 + 0.85 * facing, 0.0, 1.0);
            const double grain = FractalNoise(x / 4.0, y / 4.0, 3, seed + 1);
            image.Set(x, y, Scale(Mix({48, 40, 38}, {176, 158, 136}, lit), 0.8 + 0.4 * grain));
        }
    const Image shape = image;
    for (int crater = 0; crater < size / 10; ++crater) {
        const Point at{centre + rng.Between(-0.45, 0.45) * size * 0.6, centre + rng.Between(-0.45, 0.45) * size * 0.6};
        const double r = rng.Between(2, size / 9.0);
        SoftDisc(image, at, r, {40, 32, 30}, 0.5);
        RingOutline(image, at, r, 1.1, {214, 198, 172}, 0.55);
    }
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (IsMagenta(shape.At(x, y)))
                image.Set(x, y, Magenta);
            else if (TouchesKey(shape, x, y))
                image.Set(x, y, Scale(image.At(x, y), 0.6));
    return image;
}

// The explosion strip: square frames one below the other on black, which
// explosions treat as transparent. A white flash; a fireball that swells and
// cools from white through yellow and orange; a shock ring racing out;
// sparks flying away; then smoke that thins out. Fading parts are dithered
// against black rather than darkened, and every pixel at the edge of what
// is drawn is at least as bright as a warm orange, so that explosions laid
// over each other or over a ship never show dark brown rims.
constexpr int ExplosionSize = 64;
constexpr int ExplosionFrames = 16;
// The darkest luma a pixel next to the black key may have: a warm orange.
constexpr double EdgeLuma = 110;

double Luma(Colour c) { return 0.299 * c.R + 0.587 * c.G + 0.114 * c.B; }

double SmoothStep(double from, double to, double x)
{
    const double t = std::clamp((x - from) / (to - from), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Ordered dither: whether a share `density` (0..1) of pixels is drawn here.
bool Dithered(int x, int y, double density)
{
    constexpr std::array<int, 16> Bayer{0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5};
    return density > (Bayer[static_cast<std::size_t>((y & 3) * 4 + (x & 3))] + 0.5) / 16;
}

Colour FireColour(double heat)
{
    if (heat > 0.85)
        return Mix({255, 236, 150}, {255, 255, 240}, std::min(1.0, (heat - 0.85) / 0.3));
    if (heat > 0.55)
        return Mix({255, 160, 50}, {255, 236, 150}, (heat - 0.55) / 0.3);
    return Mix({230, 96, 32}, {255, 160, 50}, std::max(0.0, (heat - 0.1) / 0.45));
}

struct Spark {
    double Angle;
    double Reach;  // pixels from the centre at the end of its life
    double Life;   // share of the explosion it lasts
};

void DrawExplosionFrame(Image& image, int frame, const std::vector<Spark>& sparks)
{
    const double t = double(frame) / (ExplosionFrames - 1);
    const double centre = ExplosionSize / 2.0;
    const int top = frame * ExplosionSize;
    const double fireRadius = 5 + 21 * (1 - std::exp(-t * 5));
    const double temperature = 1.5 * (1 - SmoothStep(0.05, 0.6, t));
    const double smoke = SmoothStep(0.2, 0.45, t) * (1 - SmoothStep(0.5, 1.2, t));
    const double ringRadius = 7 + 46 * t;
    const double ring = 1 - SmoothStep(0.1, 0.5, t);
    for (int y = 0; y < ExplosionSize; ++y)
        for (int x = 0; x < ExplosionSize; ++x) {
            const double r = std::hypot(x + 0.5 - centre, y + 0.5 - centre);
            const double swirl = FractalNoise(x / 6.0, y / 6.0 + frame * 0.7, 3, 900) - 0.5;
            const double heat = (1 - r / fireRadius + 0.5 * swirl) * temperature;
            const double cloud = (1.05 - r / (fireRadius * 1.2) + 0.6 * swirl) * smoke * 1.6;
            Colour c = BlackKey;
            if (frame == 0 && r < 11)
                c = {255, 255, 245};
            else if (frame == 0 && Dithered(x, y, 1 - (r - 11) / 8))
                c = {255, 240, 190};
            else if (heat > 0.1)
                c = FireColour(heat);
            else if (ring > 0 && std::abs(r - ringRadius) < 1.3 && Dithered(x, y, ring))
                c = {255, 236, 196};
            else if (cloud > 0 && Dithered(x, y, cloud))
                c = Mix({176, 160, 146}, {228, 150, 96}, std::clamp(heat + 0.6, 0.0, 1.0));
            if (!IsBlackKey(c))
                image.Set(x, top + y, c);
        }
    for (const Spark& spark : sparks) {
        if (t > spark.Life || frame == 0)
            continue;
        const double age = t / spark.Life;
        const double reach = 6 + (spark.Reach - 6) * std::sqrt(age);
        const Colour hot = Mix({255, 250, 200}, {255, 170, 60}, age);
        for (double d = std::max(4.0, reach - 4); d <= reach; d += 0.5) {
            const int x = static_cast<int>(centre + d * std::cos(spark.Angle));
            const int y = static_cast<int>(centre + d * std::sin(spark.Angle));
            if (x >= 0 && y >= 0 && x < ExplosionSize && y < ExplosionSize)
                image.Set(x, top + y, hot);
        }
    }
}

bool TouchesBlack(const Image& image, int x, int y, int top)
{
    for (const auto [dx, dy] : std::array<std::array<int, 2>, 4>{{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}}) {
        const int nx = x + dx;
        const int ny = y + dy;
        if (nx < 0 || ny < top || nx >= ExplosionSize || ny >= top + ExplosionSize || IsBlackKey(image.At(nx, ny)))
            return true;
    }
    return false;
}

// Pixels at the edge that are darker than a warm orange are dropped to the
// key, until every edge is bright.
void DropDarkEdges(Image& image)
{
    for (bool changed = true; changed;) {
        changed = false;
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < image.Width(); ++x) {
                const Colour c = image.At(x, y);
                if (!IsBlackKey(c) && Luma(c) < EdgeLuma && TouchesBlack(image, x, y, y / ExplosionSize * ExplosionSize)) {
                    image.Set(x, y, BlackKey);
                    changed = true;
                }
            }
    }
}

Image ExplosionStrip()
{
    Rng rng(77);
    std::vector<Spark> sparks;
    for (int i = 0; i < 18; ++i)
        sparks.push_back({rng.Between(0, 2 * Pi), rng.Between(18, 31), rng.Between(0.3, 0.7)});
    Image image(ExplosionSize, ExplosionSize * ExplosionFrames, BlackKey);
    for (int frame = 0; frame < ExplosionFrames; ++frame)
        DrawExplosionFrame(image, frame, sparks);
    DropDarkEdges(image);
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
