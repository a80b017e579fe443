#include "Icons.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "Files.h"
#include "graphics/GameIcon.h"

namespace mkassets {

namespace {

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

// An ellipse of the ring's shape, centred, as a path: two half arcs.
std::string Ellipse(double across, double high)
{
    std::ostringstream path;
    path << "M " << -across << " 0 A " << across << ' ' << high << " 0 1 0 " << across << " 0 A " << across << ' '
         << high << " 0 1 0 " << -across << " 0 Z";
    return path.str();
}

std::string RingPath()
{
    using Shape = kv::IconShape;
    std::string path;
    for (const auto& band : Shape::RingBands)
        for (double size : band) {
            const double across = size * Shape::PlanetRadius;
            path += Ellipse(across, across * Shape::RingFlatness) + ' ';
        }
    return path;
}

std::string Rgb(double r, double g, double b)
{
    std::ostringstream colour;
    colour << "rgb(" << std::lround(r) << ',' << std::lround(g) << ',' << std::lround(b) << ')';
    return colour.str();
}

// The icon drawn with the same shape as the pixels: the ring's back half,
// the planet with its light and cloud bands, then the ring's front half
// (the half below the ring's long axis) over it.
std::string ScalableIcon()
{
    using Shape = kv::IconShape;
    constexpr double Radius = Shape::PlanetRadius;
    const double degrees = Shape::Tilt * 180 / std::numbers::pi;
    const auto& gold = Shape::RingGold;
    std::ostringstream svg;
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"-1 -1 2 2\">\n"
        << "  <defs>\n"
        << "    <linearGradient id=\"gold\" gradientUnits=\"userSpaceOnUse\" x1=\"" << -1.9 * Radius
        << "\" y1=\"0\" x2=\"" << 1.9 * Radius << "\" y2=\"0\">\n"
        << "      <stop offset=\"0\" stop-color=\"" << Rgb(gold[0], gold[1], gold[2]) << "\"/>\n"
        << "      <stop offset=\"1\" stop-color=\"" << Rgb(gold[0] * 0.65, gold[1] * 0.65, gold[2] * 0.65) << "\"/>\n"
        << "    </linearGradient>\n"
        << "    <radialGradient id=\"light\" gradientUnits=\"userSpaceOnUse\" cx=\"0\" cy=\"0\" r=\"" << Radius
        << "\" fx=\"" << -0.55 * Radius << "\" fy=\"" << -0.6 * Radius << "\">\n"
        << "      <stop offset=\"0\" stop-color=\"" << Rgb(65, 140, 205) << "\"/>\n"
        << "      <stop offset=\"1\" stop-color=\"" << Rgb(65 * 0.18, 140 * 0.18, 205 * 0.18) << "\"/>\n"
        << "    </radialGradient>\n"
        << "    <clipPath id=\"planet\"><circle r=\"" << Radius << "\"/></clipPath>\n"
        << "    <clipPath id=\"front\"><rect x=\"-2\" y=\"0\" width=\"4\" height=\"2\"/></clipPath>\n"
        << "    <path id=\"ring\" fill=\"url(#gold)\" fill-rule=\"evenodd\" d=\"" << RingPath() << "\"/>\n"
        << "  </defs>\n"
        << "  <g transform=\"rotate(" << degrees << ")\"><use href=\"#ring\"/></g>\n"
        << "  <circle r=\"" << Radius << "\" fill=\"url(#light)\"/>\n"
        << "  <g clip-path=\"url(#planet)\"><g transform=\"rotate(" << degrees << ")\" fill=\"#ffffff\" fill-opacity=\"0.14\">\n";
    // The cloud bands: the lighter half of each period of sin(9 v / radius).
    const double period = 2 * std::numbers::pi * Radius / 9;
    for (double v = std::floor(-Radius / period) * period; v < Radius; v += period)
        svg << "    <rect x=\"-1\" y=\"" << v << "\" width=\"2\" height=\"" << period / 2 << "\"/>\n";
    svg << "  </g></g>\n"
        << "  <g transform=\"rotate(" << degrees << ")\" clip-path=\"url(#front)\"><use href=\"#ring\"/></g>\n"
        << "</svg>\n";
    return svg.str();
}

}  // namespace

void WriteIcons(const std::filesystem::path& folder)
{
    for (int size : IconSizes)
        WriteBytes(folder / ("kvspace-" + std::to_string(size) + ".png"), Png(size, kv::GameIconPixels(size)));
    const std::string svg = ScalableIcon();
    WriteBytes(folder / "kvspace.svg", std::vector<uint8_t>(svg.begin(), svg.end()));
}

}  // namespace mkassets
