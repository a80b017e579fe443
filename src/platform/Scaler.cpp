#include "platform/Scaler.h"

#include <algorithm>
#include <cstring>

namespace kv {

namespace {

constexpr uint32_t Opaque = 0xFF000000u;

uint8_t* PixelAt(uint8_t* pixels, int pitch, int x, int y)
{
    return pixels + static_cast<std::ptrdiff_t>(y) * pitch + static_cast<std::ptrdiff_t>(x) * 4;
}

std::size_t RowBytes(int width) { return static_cast<std::size_t>(width) * 4; }

const uint8_t* Bytes(const std::vector<uint32_t>& pixels) { return reinterpret_cast<const uint8_t*>(pixels.data()); }
uint8_t* Bytes(std::vector<uint32_t>& pixels) { return reinterpret_cast<uint8_t*>(pixels.data()); }

// The frame pixel under the middle of each of `shown` window pixels across
// `frame` pixels: floor((o + 1/2) * frame / shown).
void NearestAxis(std::vector<int>& first, int frame, int shown)
{
    first.resize(static_cast<std::size_t>(shown));
    for (int o = 0; o < shown; ++o) {
        const int64_t at = (2 * int64_t{o} + 1) * frame / (2 * int64_t{shown});
        first[static_cast<std::size_t>(o)] = static_cast<int>(std::min<int64_t>(at, frame - 1));
    }
}

// The frame position under the middle of each window pixel, less half a
// pixel, to the nearest `parts`th of a pixel: (o + 1/2) * frame / shown -
// 1/2. Positions before the first pixel's middle or past the last one's
// take that pixel alone.
void FilteredAxis(std::vector<int>& first, std::vector<int>& part, int frame, int shown, int parts)
{
    first.resize(static_cast<std::size_t>(shown));
    part.resize(static_cast<std::size_t>(shown));
    const int64_t last = int64_t{frame - 1} * parts;
    for (int o = 0; o < shown; ++o) {
        const int64_t exact = ((2 * int64_t{o} + 1) * frame - shown) * parts;
        const int64_t at = std::clamp((exact + shown) / (2 * int64_t{shown}), int64_t{0}, last);
        first[static_cast<std::size_t>(o)] = static_cast<int>(at / parts);
        part[static_cast<std::size_t>(o)] = static_cast<int>(at % parts);
    }
}

// Two rows averaged byte by byte, rounding up: one instruction for sixteen
// bytes once the compiler has vectorised it.
void Average(const uint8_t* a, const uint8_t* b, uint8_t* to, std::size_t bytes)
{
    for (std::size_t i = 0; i < bytes; ++i) to[i] = static_cast<uint8_t>((a[i] + b[i] + 1) >> 1);
}

}  // namespace

// Four pixels (three words in, four words out) at a time.
void WidenRow(const uint8_t* from, uint8_t* to, int width)
{
    int x = 0;
    for (; x + 4 <= width; x += 4, from += 12, to += 16) {
        uint32_t in[3];
        std::memcpy(in, from, sizeof in);
        const uint32_t out[4] = {
            (in[0] & 0xFFFFFFu) | Opaque,
            (in[0] >> 24) | ((in[1] & 0xFFFFu) << 8) | Opaque,
            (in[1] >> 16) | ((in[2] & 0xFFu) << 16) | Opaque,
            (in[2] >> 8) | Opaque,
        };
        std::memcpy(to, out, sizeof out);
    }
    for (; x < width; ++x, from += 3, to += 4) {
        const uint32_t pixel = from[0] | (from[1] << 8) | (from[2] << 16) | Opaque;
        std::memcpy(to, &pixel, sizeof pixel);
    }
}

void FillBars(uint8_t* pixels, int pitch, Extent output, Placement at)
{
    for (int y = 0; y < output.Height; ++y) {
        uint8_t* row = PixelAt(pixels, pitch, 0, y);
        if (y < at.Top || y >= at.Top + at.Height) {
            std::memset(row, 0, RowBytes(output.Width));
            continue;
        }
        std::memset(row, 0, RowBytes(at.Left));
        std::memset(PixelAt(pixels, pitch, at.Left + at.Width, y), 0, RowBytes(output.Width - at.Left - at.Width));
    }
}

void FrameScaler::Draw(const Bitmap& frame, Placement at, ScalingStyle style, uint8_t* pixels, int pitch)
{
    if (frame.Empty() || at.Width <= 0 || at.Height <= 0) return;
    if (at.Width == frame.Width() && at.Height == frame.Height()) {
        for (int y = 0; y < at.Height; ++y) WidenRow(frame.Row(y), PixelAt(pixels, pitch, at.Left, at.Top + y), at.Width);
        return;
    }
    Prepare(Extent{frame.Width(), frame.Height()}, at, style);
    if (style == ScalingStyle::Sharp) DrawSharp(frame, at, pixels, pitch);
    else DrawSmooth(frame, at, pixels, pitch);
}

void FrameScaler::Prepare(Extent frame, Placement at, ScalingStyle style)
{
    if (frame == preparedFrame_ && at == preparedAt_ && style == preparedStyle_) return;
    preparedFrame_ = frame;
    preparedAt_ = at;
    preparedStyle_ = style;
    const auto width = static_cast<std::size_t>(at.Width);
    row_.assign(width, 0);
    if (style == ScalingStyle::Sharp) {
        NearestAxis(columns_.First, frame.Width, at.Width);
        NearestAxis(rows_.First, frame.Height, at.Height);
        wide_.assign(static_cast<std::size_t>(frame.Width), 0);
        return;
    }
    FilteredAxis(columns_.First, columns_.Part, frame.Width, at.Width, ColumnParts);
    FilteredAxis(rows_.First, rows_.Part, frame.Height, at.Height, RowParts);
    // A frame row's eight shifted copies lie one after another, each one
    // pixel longer than the row, so that the last pixel has a right-hand
    // neighbour (itself).
    const auto stride = static_cast<std::size_t>(frame.Width) + 1;
    wide_.assign(stride * ColumnParts, 0);
    for (std::size_t x = 0; x < width; ++x)
        columns_.First[x] += static_cast<int>(static_cast<std::size_t>(columns_.Part[x]) * stride);
    for (auto& row : filtered_) row.assign(width, 0);
    middle_.assign(width, 0);
}

// Each frame row is widened and spread across once, for the first window
// row that shows it; the window rows below showing it too are copies.
void FrameScaler::DrawSharp(const Bitmap& frame, Placement at, uint8_t* pixels, int pitch)
{
    for (int y = 0; y < at.Height; ++y) {
        uint8_t* to = PixelAt(pixels, pitch, at.Left, at.Top + y);
        const int source = rows_.First[static_cast<std::size_t>(y)];
        if (y == 0 || source != rows_.First[static_cast<std::size_t>(y) - 1]) {
            WidenRow(frame.Row(source), Bytes(wide_), frame.Width());
            for (std::size_t x = 0; x < row_.size(); ++x) row_[x] = wide_[static_cast<std::size_t>(columns_.First[x])];
        }
        std::memcpy(to, Bytes(row_), RowBytes(at.Width));
    }
}

// Each window row lies some quarters of the way from one frame row, filtered
// across, to the next: the first of them, their middle, or the middle of
// either and the middle, which is made once for all the window rows between
// the two frame rows.
void FrameScaler::DrawSmooth(const Bitmap& frame, Placement at, uint8_t* pixels, int pitch)
{
    filteredRow_[0] = filteredRow_[1] = -1;
    const int lastRow = frame.Height() - 1;
    const std::size_t bytes = RowBytes(at.Width);
    int middleOf = -1;
    for (int y = 0; y < at.Height; ++y) {
        uint8_t* to = PixelAt(pixels, pitch, at.Left, at.Top + y);
        const int source = rows_.First[static_cast<std::size_t>(y)];
        const int quarters = rows_.Part[static_cast<std::size_t>(y)];
        const uint8_t* upper = Bytes(FilteredRow(frame, source));
        if (quarters == 0) {
            std::memcpy(to, upper, bytes);
            continue;
        }
        const uint8_t* lower = Bytes(FilteredRow(frame, std::min(source + 1, lastRow)));
        const uint8_t* middle = Bytes(middle_);
        if (middleOf != source) {
            Average(upper, lower, Bytes(middle_), bytes);
            middleOf = source;
        }
        if (quarters == 2) {
            std::memcpy(to, middle, bytes);
            continue;
        }
        Average(quarters == 1 ? upper : middle, quarters == 1 ? middle : lower, Bytes(row_), bytes);
        std::memcpy(to, Bytes(row_), bytes);
    }
}

// Frame row `y` filtered across to the placement's width: the row and its
// copies shifted by each eighth of a pixel are made once, and each
// window column takes its pixel from the copy it needs. The two rows a
// window row mixes are neighbours, one even and one odd, so each keeps to
// its own slot and the next window row mostly finds both there already.
const std::vector<uint32_t>& FrameScaler::FilteredRow(const Bitmap& frame, int y)
{
    const std::size_t slot = static_cast<std::size_t>(y) & 1u;
    std::vector<uint32_t>& row = filtered_[slot];
    if (filteredRow_[slot] == y) return row;
    filteredRow_[slot] = y;
    const int width = frame.Width();
    const auto stride = static_cast<std::size_t>(width) + 1;
    uint32_t* copies = wide_.data();
    WidenRow(frame.Row(y), Bytes(wide_), width);
    copies[width] = copies[width - 1];
    const auto shifted = [&](int part) { return reinterpret_cast<uint8_t*>(copies + static_cast<std::size_t>(part) * stride); };
    const auto next = reinterpret_cast<const uint8_t*>(copies + 1);
    const std::size_t bytes = RowBytes(width);
    Average(shifted(0), next, shifted(ColumnParts / 2), bytes);
    for (int part = ColumnParts / 4; part >= 1; part /= 2)
        for (int at = part; at < ColumnParts; at += 2 * part)
            Average(shifted(at - part), at + part == ColumnParts ? next : shifted(at + part), shifted(at), bytes);
    for (std::size_t x = 0; x < row.size(); ++x) row[x] = copies[static_cast<std::size_t>(columns_.First[x])];
    return row;
}

}  // namespace kv
