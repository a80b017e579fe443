#include "Image.h"

#include <algorithm>
#include <cmath>

#include "Files.h"
#include "Noise.h"

namespace mkassets {

Colour Mix(Colour a, Colour b, double t)
{
    return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}

bool IsMagenta(Colour c) { return c.R == 255 && c.G == 0 && c.B == 255; }

bool IsBlackKey(Colour c) { return c.R == 0 && c.G == 0 && c.B == 0; }

Colour Scale(Colour c, double f) { return {c.R * f, c.G * f, c.B * f}; }

Colour Add(Colour a, Colour b) { return {a.R + b.R, a.G + b.G, a.B + b.B}; }

Image::Image(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill)
{
}

void Image::Set(int x, int y, Colour c)
{
    if (Contains(x, y))
        pixels_[Index(x, y)] = c;
}

void Image::Blend(int x, int y, Colour c, double a)
{
    if (!Contains(x, y) || a <= 0)
        return;
    Colour& p = pixels_[Index(x, y)];
    p = Mix(p, c, std::min(a, 1.0));
}

Image Image::MirroredX() const
{
    Image out(width_, height_, {});
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            out.Set(width_ - 1 - x, y, At(x, y));
    return out;
}

Image Image::Crop(Box box) const
{
    Image out(box.Width, box.Height, {});
    for (int y = 0; y < box.Height; ++y)
        for (int x = 0; x < box.Width; ++x)
            out.Set(x, y, At(box.Left + x, box.Top + y));
    return out;
}

void Image::Paste(const Image& other, int x, int y)
{
    for (int row = 0; row < other.Height(); ++row)
        for (int col = 0; col < other.Width(); ++col)
            Set(x + col, y + row, other.At(col, row));
}

namespace {

uint8_t ToByte(double v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

void PutLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

// 24-bit uncompressed BMP: a 14-byte file header, a 40-byte info header and
// bottom-up rows of blue, green, red padded to a multiple of four bytes.
void Image::Save(const std::filesystem::path& path) const
{
    const uint32_t rowBytes = (static_cast<uint32_t>(width_) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(height_);
    std::vector<uint8_t> out;
    out.reserve(54 + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    PutLittleEndian(out, 54 + pixelBytes, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 54, 4);
    PutLittleEndian(out, 40, 4);
    PutLittleEndian(out, static_cast<uint32_t>(width_), 4);
    PutLittleEndian(out, static_cast<uint32_t>(height_), 4);
    PutLittleEndian(out, 1, 2);
    PutLittleEndian(out, 24, 2);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, pixelBytes, 4);
    PutLittleEndian(out, 2835, 4);
    PutLittleEndian(out, 2835, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 0, 4);
    for (int y = height_ - 1; y >= 0; --y) {
        for (int x = 0; x < width_; ++x) {
            const Colour c = At(x, y);
            out.push_back(ToByte(c.B));
            out.push_back(ToByte(c.G));
            out.push_back(ToByte(c.R));
        }
        for (uint32_t pad = static_cast<uint32_t>(width_) * 3; pad < rowBytes; ++pad)
            out.push_back(0);
    }
    WriteBytes(path, out);
}

void FillBox(Image& image, Box box, Colour c)
{
    for (int y = box.Top; y < box.Top + box.Height; ++y)
        for (int x = box.Left; x < box.Left + box.Width; ++x)
            image.Set(x, y, c);
}

void Sheen(Image& image, double strength)
{
    for (int y = 0; y < image.Height() / 2; ++y) {
        const double weight = strength * (1 - 2.0 * y / image.Height());
        for (int x = 0; x < image.Width(); ++x)
            if (!IsMagenta(image.At(x, y)))
                image.Blend(x, y, {255, 255, 255}, weight);
    }
}

void KeyOutsideDisc(Image& image, Point centre, double radius)
{
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (std::hypot(x + 0.5 - centre.X, y + 0.5 - centre.Y) >= radius)
                image.Set(x, y, Magenta);
}

void VerticalGradient(Image& image, Box box, Colour top, Colour bottom)
{
    for (int y = box.Top; y < box.Top + box.Height; ++y) {
        const double t = box.Height > 1 ? double(y - box.Top) / (box.Height - 1) : 0;
        for (int x = box.Left; x < box.Left + box.Width; ++x)
            image.Set(x, y, Mix(top, bottom, t));
    }
}

namespace {

// Distance of the pixel centre from the rounded outline, positive inside.
double EdgeDistance(Box box, CornerRadii radii, int x, int y)
{
    const double px = x + 0.5;
    const double py = y + 0.5;
    const double left = box.Left;
    const double top = box.Top;
    const double right = box.Left + box.Width;
    const double bottom = box.Top + box.Height;
    const std::array<Point, 4> centres{{{left + radii[0], top + radii[0]},
                                        {right - radii[1], top + radii[1]},
                                        {right - radii[2], bottom - radii[2]},
                                        {left + radii[3], bottom - radii[3]}}};
    const std::array<bool, 4> inCorner{px < centres[0].X && py < centres[0].Y,
                                       px > centres[1].X && py < centres[1].Y,
                                       px > centres[2].X && py > centres[2].Y,
                                       px < centres[3].X && py > centres[3].Y};
    for (std::size_t i = 0; i < 4; ++i)
        if (inCorner[i] && radii[i] > 0)
            return radii[i] - std::hypot(px - centres[i].X, py - centres[i].Y);
    return std::min({px - left, right - px, py - top, bottom - py});
}

}  // namespace

bool InsideRounded(Box box, CornerRadii radii, int x, int y) { return EdgeDistance(box, radii, x, y) > 0; }

void DrawPanel(Image& image, Box box, CornerRadii radii, const PanelStyle& style)
{
    for (int y = box.Top; y < box.Top + box.Height; ++y) {
        const double t = box.Height > 1 ? double(y - box.Top) / (box.Height - 1) : 0;
        const Colour base = Mix(style.Top, style.Bottom, t);
        for (int x = box.Left; x < box.Left + box.Width; ++x) {
            const double d = EdgeDistance(box, radii, x, y);
            if (d <= 0)
                continue;
            Colour c = base;
            if (style.Grain > 0)
                c = Scale(c, 1 + style.Grain * (FractalNoise(x / 6.0, y / 6.0, 3, 77) - 0.5));
            if (d < style.RimWidth)
                c = style.Rim;
            else if (d < style.RimWidth + 1)
                c = style.Highlight;
            image.Set(x, y, c);
        }
    }
}

void DrawInset(Image& image, Box box, Colour fill, Colour light, Colour shadow)
{
    FillBox(image, box, fill);
    const int right = box.Left + box.Width - 1;
    const int bottom = box.Top + box.Height - 1;
    for (int x = box.Left; x <= right; ++x) {
        image.Set(x, box.Top, shadow);
        image.Set(x, bottom, light);
    }
    for (int y = box.Top; y <= bottom; ++y) {
        image.Set(box.Left, y, shadow);
        image.Set(right, y, light);
    }
}

void FillPolygon(Image& image, std::span<const Point> points, Colour c)
{
    for (int y = 0; y < image.Height(); ++y) {
        const double py = y + 0.5;
        std::vector<double> crossings;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const Point a = points[i];
            const Point b = points[(i + 1) % points.size()];
            if ((a.Y <= py) == (b.Y <= py))
                continue;
            crossings.push_back(a.X + (py - a.Y) * (b.X - a.X) / (b.Y - a.Y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2)
            for (int x = static_cast<int>(std::ceil(crossings[i] - 0.5));
                 x + 0.5 <= crossings[i + 1]; ++x)
                image.Set(x, y, c);
    }
}

void FillCircle(Image& image, Point centre, double radius, Colour c)
{
    for (int y = static_cast<int>(centre.Y - radius) - 1; y <= centre.Y + radius + 1; ++y)
        for (int x = static_cast<int>(centre.X - radius) - 1; x <= centre.X + radius + 1; ++x)
            if (std::hypot(x + 0.5 - centre.X, y + 0.5 - centre.Y) < radius)
                image.Set(x, y, c);
}

namespace {

double Coverage(double halfWidth, double distance) { return std::clamp(halfWidth - distance + 0.5, 0.0, 1.0); }

double SegmentDistance(Point p, Point a, Point b)
{
    const double dx = b.X - a.X;
    const double dy = b.Y - a.Y;
    const double lengthSquared = dx * dx + dy * dy;
    const double t =
        lengthSquared > 0 ? std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / lengthSquared, 0.0, 1.0) : 0;
    return std::hypot(p.X - (a.X + t * dx), p.Y - (a.Y + t * dy));
}

}  // namespace

void SoftDisc(Image& image, Point centre, double radius, Colour c, double opacity)
{
    for (int y = static_cast<int>(centre.Y - radius) - 2; y <= centre.Y + radius + 2; ++y)
        for (int x = static_cast<int>(centre.X - radius) - 2; x <= centre.X + radius + 2; ++x)
            image.Blend(x, y, c,
                        opacity * Coverage(radius, std::hypot(x + 0.5 - centre.X, y + 0.5 - centre.Y)));
}

void SoftEllipse(Image& image, Point centre, double rx, double ry, Colour c, double opacity)
{
    for (int y = static_cast<int>(centre.Y - ry) - 2; y <= centre.Y + ry + 2; ++y)
        for (int x = static_cast<int>(centre.X - rx) - 2; x <= centre.X + rx + 2; ++x) {
            const double r = std::hypot((x + 0.5 - centre.X) / rx, (y + 0.5 - centre.Y) / ry);
            image.Blend(x, y, c, opacity * Coverage(0, (r - 1) * std::min(rx, ry)));
        }
}

void SoftLine(Image& image, Point a, Point b, double width, Colour c, double opacity)
{
    const int x0 = static_cast<int>(std::min(a.X, b.X) - width) - 1;
    const int x1 = static_cast<int>(std::max(a.X, b.X) + width) + 1;
    const int y0 = static_cast<int>(std::min(a.Y, b.Y) - width) - 1;
    const int y1 = static_cast<int>(std::max(a.Y, b.Y) + width) + 1;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            image.Blend(x, y, c, opacity * Coverage(width / 2, SegmentDistance({x + 0.5, y + 0.5}, a, b)));
}

void RingOutline(Image& image, Point centre, double radius, double width, Colour c, double opacity)
{
    const double outer = radius + width;
    for (int y = static_cast<int>(centre.Y - outer) - 2; y <= centre.Y + outer + 2; ++y)
        for (int x = static_cast<int>(centre.X - outer) - 2; x <= centre.X + outer + 2; ++x) {
            const double d = std::abs(std::hypot(x + 0.5 - centre.X, y + 0.5 - centre.Y) - radius);
            image.Blend(x, y, c, opacity * Coverage(width / 2, d));
        }
}

void DrawSphere(Image& image, Point centre, double radius, const SphereLook& look)
{
    const double lightLength = std::hypot(look.Light.X, look.Light.Y, 0.6);
    const double lx = look.Light.X / lightLength;
    const double ly = look.Light.Y / lightLength;
    const double lz = 0.6 / lightLength;
    const double reach = radius + look.AtmosphereWidth + 2;
    for (int y = static_cast<int>(centre.Y - reach); y <= centre.Y + reach; ++y)
        for (int x = static_cast<int>(centre.X - reach); x <= centre.X + reach; ++x) {
            const double dx = (x + 0.5 - centre.X) / radius;
            const double dy = (y + 0.5 - centre.Y) / radius;
            const double r = std::hypot(dx, dy);
            const double facing = std::max(0.0, dx * lx + dy * ly);
            const double outside = (r - 1) * radius;
            if (look.AtmosphereWidth > 0 && outside > -0.5) {
                const double glow = std::max(0.0, 1 - std::max(0.0, outside) / look.AtmosphereWidth);
                image.Blend(x, y, look.Atmosphere, glow * glow * std::min(1.0, facing * 1.4) * 0.9);
            }
            if (outside > 0.5)
                continue;
            const double nz = std::sqrt(std::max(0.0, 1 - r * r));
            const double diffuse = std::max(0.0, dx * lx + dy * ly + nz * lz);
            const double band =
                FractalNoise(dx * look.TextureScale + 10, dy * look.TextureScale * 2.5 + nz * 2, 4, look.Seed);
            const double latitude = 0.5 + 0.5 * std::sin(dy * 9 + 1.6 * (band - 0.5));
            Colour c = Mix(look.Dark, look.Lit, std::pow(diffuse, 0.9));
            c = Scale(c, (1 + look.Texture * (band - 0.5)) * (1 + look.Bands * (latitude - 0.5)));
            c = Scale(c, 0.6 + 0.4 * std::sqrt(nz));
            if (look.AtmosphereWidth > 0)
                c = Mix(c, look.Atmosphere, std::pow(r, 6) * 0.6 * diffuse);
            image.Blend(x, y, c, Coverage(0, outside));
        }
}

void ScatterStarSpecks(Image& image, int count, uint32_t seed, double brightness)
{
    constexpr std::array<Colour, 5> Temperatures{
        {{255, 186, 150}, {255, 222, 180}, {255, 244, 226}, {236, 240, 255}, {180, 204, 255}}};
    Rng rng(seed);
    std::array<Point, 4> clusters;
    for (Point& c : clusters)
        c = {rng.Between(0, image.Width()), rng.Between(0, image.Height())};
    const double spread = std::max(image.Width(), image.Height()) / 9.0;
    for (int i = 0; i < count; ++i) {
        Point at{rng.Between(0, image.Width()), rng.Between(0, image.Height())};
        if (i % 2 == 1) {
            const Point& c = clusters[static_cast<std::size_t>(rng.Below(4))];
            const double d = spread * std::sqrt(-2 * std::log(1 - rng.Real() * 0.999));
            const double a = rng.Between(0, 6.2831853);
            at = {c.X + d * std::cos(a), c.Y + d * std::sin(a)};
        }
        const int x = static_cast<int>(at.X);
        const int y = static_cast<int>(at.Y);
        if (!image.Contains(x, y))
            continue;
        const double roll = rng.Real();
        const double level = (roll < 0.8 ? 0.3 : roll < 0.97 ? 0.62 : 1.0) * brightness;
        const Colour tint = Temperatures[static_cast<std::size_t>(rng.Below(5))];
        image.Blend(x, y, tint, level);
        if (roll >= 0.97)
            for (const auto [ox, oy] : std::array<std::array<int, 2>, 4>{{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}})
                if (image.Contains(x + ox, y + oy))
                    image.Blend(x + ox, y + oy, tint, level * 0.4);
    }
}

void AddNebula(Image& image, Colour tint, double strength, double scale, uint32_t seed)
{
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const double n = FractalNoise(x / scale, y / scale, 5, seed);
            const double density = std::pow(std::max(0.0, n - 0.42) / 0.58, 1.6) * strength;
            image.Set(x, y, Add(image.At(x, y), Scale(tint, density)));
        }
}

namespace {

using Stroke = std::vector<Point>;

// Letters on a unit box, x to the right and y downwards.
const std::vector<Stroke>& Glyph(char letter)
{
    static const std::vector<Stroke> k{{{0, 0}, {0, 1}}, {{1, 0}, {0, 0.58}}, {{0.32, 0.4}, {1, 1}}};
    static const std::vector<Stroke> v{{{0, 0}, {0.5, 1}, {1, 0}}};
    static const std::vector<Stroke> s{{{1, 0.12}, {0.85, 0}, {0.15, 0}, {0, 0.14}, {0, 0.36}, {0.15, 0.5},
                                        {0.85, 0.5}, {1, 0.64}, {1, 0.86}, {0.85, 1}, {0.15, 1}, {0, 0.88}}};
    static const std::vector<Stroke> p{{{0, 1}, {0, 0}, {0.85, 0}, {1, 0.14}, {1, 0.38}, {0.85, 0.52}, {0, 0.52}}};
    static const std::vector<Stroke> a{{{0, 1}, {0.5, 0}, {1, 1}}, {{0.22, 0.62}, {0.78, 0.62}}};
    static const std::vector<Stroke> c{{{1, 0.14}, {0.85, 0}, {0.15, 0}, {0, 0.16}, {0, 0.84}, {0.15, 1},
                                        {0.85, 1}, {1, 0.86}}};
    static const std::vector<Stroke> e{{{1, 0}, {0, 0}, {0, 1}, {1, 1}}, {{0, 0.5}, {0.72, 0.5}}};
    static const std::vector<Stroke> blank;
    switch (letter) {
    case 'K': return k;
    case 'V': return v;
    case 'S': return s;
    case 'P': return p;
    case 'A': return a;
    case 'C': return c;
    case 'E': return e;
    default: return blank;
    }
}

constexpr double GlyphWidth = 0.7;
constexpr double GlyphAdvance = 0.98;

}  // namespace

double StrokeTextWidth(std::string_view text, double height)
{
    return text.empty() ? 0 : (static_cast<double>(text.size() - 1) * GlyphAdvance + GlyphWidth) * height;
}

void StrokeText(Image& image, std::string_view text, Point at, double height, double stroke, Colour c,
                double opacity)
{
    std::vector<std::pair<Point, Point>> segments;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const double left = at.X + static_cast<double>(i) * GlyphAdvance * height;
        for (const Stroke& line : Glyph(text[i]))
            for (std::size_t j = 0; j + 1 < line.size(); ++j)
                segments.push_back({{left + line[j].X * GlyphWidth * height, at.Y + line[j].Y * height},
                                    {left + line[j + 1].X * GlyphWidth * height, at.Y + line[j + 1].Y * height}});
    }
    const int x0 = static_cast<int>(at.X - stroke) - 1;
    const int x1 = static_cast<int>(at.X + StrokeTextWidth(text, height) + stroke) + 1;
    const int y0 = static_cast<int>(at.Y - stroke) - 1;
    const int y1 = static_cast<int>(at.Y + height + stroke) + 1;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            double nearest = 1e9;
            for (const auto& [a, b] : segments)
                nearest = std::min(nearest, SegmentDistance({x + 0.5, y + 0.5}, a, b));
            image.Blend(x, y, c, opacity * Coverage(stroke / 2, nearest));
        }
}

void DrawPixelArt(Image& image, std::span<const std::string_view> rows, std::span<const PaletteEntry> palette,
                  int x, int y, int scale)
{
    for (std::size_t row = 0; row < rows.size(); ++row)
        for (std::size_t col = 0; col < rows[row].size(); ++col) {
            const auto entry = std::find_if(palette.begin(), palette.end(),
                                            [&](const PaletteEntry& e) { return e.Symbol == rows[row][col]; });
            if (entry == palette.end())
                continue;
            FillBox(image,
                    {x + static_cast<int>(col) * scale, y + static_cast<int>(row) * scale, scale, scale},
                    entry->Shade);
        }
}

void DrawGameName(Image& image, Point at, double height)
{
    constexpr std::string_view Name = "KVSPACE";
    StrokeText(image, Name, at, height, height * 0.42, {40, 110, 200}, 0.18);
    StrokeText(image, Name, at, height, height * 0.24, {90, 170, 255}, 0.35);
    StrokeText(image, Name, at, height, height * 0.1, {235, 245, 255}, 1);
}

double GameNameWidth(double height) { return StrokeTextWidth("KVSPACE", height); }

}  // namespace mkassets
