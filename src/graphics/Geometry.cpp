#include "graphics/Geometry.h"

#include <cmath>
#include <numbers>

#include "base/Numbers.h"

namespace kv {

bool PointInRect(Point p, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    return left <= p.X && p.X <= right && top <= p.Y && p.Y <= bottom;
}

bool PointInCircle(Point p, int32_t radius, Point centre)
{
    const int64_t dx = static_cast<int64_t>(p.X) - centre.X;
    const int64_t dy = static_cast<int64_t>(p.Y) - centre.Y;
    return dx * dx + dy * dy <= static_cast<int64_t>(radius) * radius;
}

void ScatterStars(int n, Bitmap& target, Random& random)
{
    for (int i = 0; i < n; ++i) {
        const auto y = static_cast<int>(random.Next(600));
        const auto x = static_cast<int>(random.Next(800));
        target.SetPixel(x, y, White);
    }
}

namespace {

void FillRowWithKey(uint8_t* row, int width)
{
    for (int x = 0; x < width; ++x) {
        row[3 * x] = ColourKey.B;
        row[3 * x + 1] = ColourKey.G;
        row[3 * x + 2] = ColourKey.R;
    }
}

// One turned frame: every destination pixel looks up the source pixel that
// the turn brings onto it.
void TurnFrame(const Bitmap& source, double angle, Bitmap& strip, int firstRow)
{
    const int w = source.Width();
    const int h = source.Height();
    const int cx = w / 2;
    const int cy = h / 2;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    for (int r = 0; r < h; ++r) {
        uint8_t* out = strip.Row(firstRow + r);
        const int dy = r - cy;
        for (int f = 0; f < w; ++f) {
            const int dx = f - cx;
            const auto sx = Nearest(c * dx + s * dy) + cx;
            const auto sy = Nearest(c * dy - s * dx) + cy;
            if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
            const uint8_t* in = source.Row(static_cast<int>(sy)) + 3 * sx;
            out[3 * f] = in[0];
            out[3 * f + 1] = in[1];
            out[3 * f + 2] = in[2];
        }
    }
}

double LayerFactor(std::size_t i)
{
    const std::size_t layer = i % 10;
    if (layer == 0) return 0.1;
    return 1.0 - static_cast<double>(layer - 1) * 0.1;
}

double Wrapped(double v, double limit)
{
    if (v > limit) v = 0;
    if (v < 0) v = limit;
    return v;
}

}  // namespace

Bitmap MakeRotationStrip(const Bitmap& source, uint16_t n)
{
    const int w = source.Width();
    const int h = source.Height();
    Bitmap strip(w, n * h);
    for (int y = 0; y < strip.Height(); ++y) FillRowWithKey(strip.Row(y), w);
    for (int k = 1; k <= n; ++k) TurnFrame(source, k * 2 * std::numbers::pi / n, strip, (k - 1) * h);
    return strip;
}

void InitStarField(StarField& stars, Random& random)
{
    for (Star& star : stars) {
        star.X = random.Next(800);
        star.Y = random.Next(600);
    }
}

void DrawStarField(StarField& stars, Bitmap& target, double vx, double vy)
{
    target.pen.Colour = White;
    for (std::size_t i = 1; i <= StarField::Count; ++i) {
        Star& star = stars[i];
        const double factor = LayerFactor(i);
        star.X = Wrapped(star.X - vx * factor, 800);
        star.Y = Wrapped(star.Y - vy * factor, 600);
        target.SetPixel(NearestInt(star.X), NearestInt(star.Y), White);
    }
}

}  // namespace kv
