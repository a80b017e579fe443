#include "Icons.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "Files.h"

namespace mkassets {

namespace {

// One straight-alpha pixel.
struct Rgba {
    double R = 0, G = 0, B = 0, A = 0;
};

// The icon seen as a function of the position: x and y run from -1 to 1
// across the icon. The ring's far half passes behind the planet, its near
// half in front. Alpha is 0 or 1 here; edges are smoothed by sampling.
Rgba IconAt(double x, double y)
{
    constexpr double Radius = 0.52;
    constexpr double Tilt = -0.45;  // radians, the ring rises to the right
    const double u = x * std::cos(Tilt) + y * std::sin(Tilt);
    const double v = -x * std::sin(Tilt) + y * std::cos(Tilt);
    const double ring = std::hypot(u, v / 0.28) / Radius;
    const bool onRing = (ring > 1.28 && ring < 1.62) || (ring > 1.68 && ring < 1.86);
    const double d = std::hypot(x, y);
    const bool onPlanet = d < Radius;
    if (onRing && (v > 0 || !onPlanet)) {
        const double shade = 0.65 + 0.35 * (0.5 - 0.5 * u / (1.9 * Radius));
        return {250 * shade, 196 * shade, 80 * shade, 1};
    }
    if (!onPlanet) return {};
    // A sphere lit from the upper left, with bands of cloud along its latitude.
    const double nx = x / Radius, ny = y / Radius, nz = std::sqrt(std::max(0.0, 1 - nx * nx - ny * ny));
    const double light = std::clamp(-0.55 * nx - 0.6 * ny + 0.58 * nz, 0.0, 1.0);
    const double band = 0.5 + 0.5 * std::sin((v / Radius) * 9.0);
    const double lit = 0.18 + 0.82 * light;
    return {(40 + 50 * band) * lit, (110 + 60 * band) * lit, (170 + 70 * band) * lit, 1};
}

// The icon at `size` pixels: each pixel averages 8 x 8 samples, colour
// weighted by coverage, so the edges are smooth against any background.
std::vector<uint8_t> IconPixels(int size)
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

void PutBig32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t Crc32(const uint8_t* data, std::size_t size)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data)
{
    PutBig32(out, static_cast<uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBig32(out, Crc32(out.data() + start, out.size() - start));
}

// A zlib stream of stored (uncompressed) blocks: simple, and the package
// that ships the icons is compressed anyway.
std::vector<uint8_t> StoredZlib(const std::vector<uint8_t>& raw)
{
    std::vector<uint8_t> out{0x78, 0x01};
    constexpr std::size_t Block = 65535;
    std::size_t at = 0;
    do {
        const std::size_t n = std::min(Block, raw.size() - at);
        const bool last = at + n == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<uint8_t>(n));
        out.push_back(static_cast<uint8_t>(n >> 8));
        out.push_back(static_cast<uint8_t>(~n));
        out.push_back(static_cast<uint8_t>(~n >> 8));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at), raw.begin() + static_cast<std::ptrdiff_t>(at + n));
        at += n;
    } while (at < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBig32(out, (b << 16) | a);
    return out;
}

// An 8-bit RGBA PNG, rows unfiltered.
std::vector<uint8_t> Png(int size, const std::vector<uint8_t>& rgba)
{
    std::vector<uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBig32(header, static_cast<uint32_t>(size));
    PutBig32(header, static_cast<uint32_t>(size));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, not interlaced
    PutChunk(out, "IHDR", header);
    const std::size_t row = static_cast<std::size_t>(size) * 4;
    std::vector<uint8_t> raw;
    for (std::size_t y = 0; y < static_cast<std::size_t>(size); ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), rgba.begin() + static_cast<std::ptrdiff_t>(y * row),
                   rgba.begin() + static_cast<std::ptrdiff_t>((y + 1) * row));
    }
    PutChunk(out, "IDAT", StoredZlib(raw));
    PutChunk(out, "IEND", {});
    return out;
}

}  // namespace

void WriteIcons(const std::filesystem::path& folder)
{
    for (int size : IconSizes)
        WriteBytes(folder / ("kvspace-" + std::to_string(size) + ".png"), Png(size, IconPixels(size)));
}

}  // namespace mkassets
