#include "graphics/GameIcon.h"

#include <algorithm>
#include <cmath>

namespace kv {

namespace {

// One straight-alpha pixel.
struct Rgba {
    double R = 0, G = 0, B = 0, A = 0;
};

bool OnRing(double ring)
{
    return std::any_of(IconShape::RingBands.begin(), IconShape::RingBands.end(),
                       [ring](const auto& band) { return ring > band[0] && ring < band[1]; });
}

// The icon seen as a function of the position. Alpha is 0 or 1 here; edges
// are smoothed by sampling.
Rgba IconAt(double x, double y)
{
    constexpr double Radius = IconShape::PlanetRadius;
    const double u = x * std::cos(IconShape::Tilt) + y * std::sin(IconShape::Tilt);
    const double v = -x * std::sin(IconShape::Tilt) + y * std::cos(IconShape::Tilt);
    const double ring = std::hypot(u, v / IconShape::RingFlatness) / Radius;
    const bool onPlanet = std::hypot(x, y) < Radius;
    if (OnRing(ring) && (v > 0 || !onPlanet)) {
        const double shade = 0.65 + 0.35 * (0.5 - 0.5 * u / (1.9 * Radius));
        const auto& gold = IconShape::RingGold;
        return {gold[0] * shade, gold[1] * shade, gold[2] * shade, 1};
    }
    if (!onPlanet) return {};
    // A sphere lit from the upper left, with bands of cloud along its latitude.
    const double nx = x / Radius, ny = y / Radius, nz = std::sqrt(std::max(0.0, 1 - nx * nx - ny * ny));
    const double light = std::clamp(-0.55 * nx - 0.6 * ny + 0.58 * nz, 0.0, 1.0);
    const double band = 0.5 + 0.5 * std::sin((v / Radius) * 9.0);
    const double lit = 0.18 + 0.82 * light;
    return {(40 + 50 * band) * lit, (110 + 60 * band) * lit, (170 + 70 * band) * lit, 1};
}

}  // namespace

std::vector<uint8_t> GameIconPixels(int size)
{
    constexpr int Samples = 8;
    std::vector<uint8_t> pixels;
    pixels.reserve(static_cast<std::size_t>(size) * static_cast<std::size_t>(size) * 4);
    for (int py = 0; py < size; ++py)
        for (int px = 0; px < size; ++px) {
            Rgba sum;
            for (int sy = 0; sy < Samples; ++sy)
                for (int sx = 0; sx < Samples; ++sx) {
                    const double x = ((px + (sx + 0.5) / Samples) / size) * 2 - 1;
                    const double y = ((py + (sy + 0.5) / Samples) / size) * 2 - 1;
                    const Rgba c = IconAt(x, y);
                    sum = {sum.R + c.R * c.A, sum.G + c.G * c.A, sum.B + c.B * c.A, sum.A + c.A};
                }
            const double cover = sum.A > 0 ? sum.A : 1;
            for (double channel : {sum.R / cover, sum.G / cover, sum.B / cover, 255 * sum.A / (Samples * Samples)})
                pixels.push_back(static_cast<uint8_t>(std::clamp(std::lround(channel), 0L, 255L)));
        }
    return pixels;
}

}  // namespace kv
