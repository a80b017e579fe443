// The game's icon: a banded planet lit from the upper left inside a tilted
// gold ring, whose far half passes behind the planet. The window shows it
// drawn at start; the desktop's icon files (PNG at each size and a scalable
// SVG) are made from the same shape at build time.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace kv {

// The shape, in a square whose x and y run from -1 to 1 (y downwards).
struct IconShape {
    static constexpr double PlanetRadius = 0.52;
    static constexpr double Tilt = -0.45;        // radians: the ring rises to the right
    static constexpr double RingFlatness = 0.28;  // the ring's height over its width
    // The ring's two bands, as inner and outer sizes in planet radii
    // (measured along the ring's long axis).
    static constexpr std::array<std::array<double, 2>, 2> RingBands{{{1.28, 1.62}, {1.68, 1.86}}};
    static constexpr std::array<double, 3> RingGold{250, 196, 80};
};

// The icon at `size` x `size` pixels, as rows of straight-alpha RGBA bytes;
// each pixel averages 8 x 8 samples, so the edges are smooth on any
// background.
std::vector<uint8_t> GameIconPixels(int size);

}  // namespace kv
