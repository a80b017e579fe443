#include "Noise.h"

#include <cmath>

namespace mkassets {
namespace {

double LatticeValue(int x, int y, uint32_t seed)
{
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / 16777215.0;
}

double SmoothStep(double t) { return t * t * (3 - 2 * t); }

}  // namespace

double ValueNoise(double x, double y, uint32_t seed)
{
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const double tx = SmoothStep(x - fx);
    const double ty = SmoothStep(y - fy);
    const double top = LatticeValue(ix, iy, seed) * (1 - tx) + LatticeValue(ix + 1, iy, seed) * tx;
    const double bottom =
        LatticeValue(ix, iy + 1, seed) * (1 - tx) + LatticeValue(ix + 1, iy + 1, seed) * tx;
    return top * (1 - ty) + bottom * ty;
}

double FractalNoise(double x, double y, int octaves, uint32_t seed)
{
    double sum = 0;
    double weight = 1;
    double total = 0;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += ValueNoise(x, y, seed + static_cast<uint32_t>(octave) * 101u) * weight;
        total += weight;
        weight *= 0.5;
        x *= 2.03;
        y *= 2.03;
    }
    return sum / total;
}

}  // namespace mkassets
