#include "platform/Blit.h"

#include <algorithm>
#include <cstring>

namespace kv {

namespace {

bool Is(const uint8_t* p, Rgb c) { return p[0] == c.B && p[1] == c.G && p[2] == c.R; }

// Most runs of a ship's rows are a few dozen bytes, which a call to the
// library's copy takes longer to set up than to copy: those are copied here
// in 16-byte pieces, the last piece ending with the run (it may write some
// of the run's bytes twice, with the same values).
constexpr std::size_t Piece = 16;
constexpr std::size_t LongestCopiedInPieces = 8 * Piece;

[[gnu::always_inline]] inline void CopyRun(const uint8_t* src, uint8_t* dst, std::size_t bytes)
{
    if (bytes < Piece || bytes > LongestCopiedInPieces) {
        std::memcpy(dst, src, bytes);
        return;
    }
    for (std::size_t i = 0; i + Piece < bytes; i += Piece) std::memcpy(dst + i, src + i, Piece);
    std::memcpy(dst + bytes - Piece, src + bytes - Piece, Piece);
}

// A byte weighed by alpha against the one beneath: (keep * below) / 256 +
// (alpha * above) / 256, each part rounded down. Both weights are held
// multiplied by 256, so each part is the high half of one 16-bit product,
// which vector units give in one instruction. That holds for alpha 1 to
// 255; alpha 0 leaves every byte as it is, and a copy with it ends before
// any blend (Blit, BlitRow).
struct Weights {
    uint16_t KeepHigh;
    uint16_t AlphaHigh;
    explicit Weights(unsigned alpha)
        : KeepHigh(static_cast<uint16_t>((256 - alpha) << 8)), AlphaHigh(static_cast<uint16_t>(alpha << 8))
    {
    }
    uint8_t Blend(uint16_t below, uint16_t above) const
    {
        return static_cast<uint8_t>(((uint32_t{below} * KeepHigh) >> 16) + ((uint32_t{above} * AlphaHigh) >> 16));
    }
};

// A drawn run's bytes: copied, or weighed by alpha against the target. The
// blend is one loop over bytes with no branch, which the compiler turns into
// vector instructions.
[[gnu::always_inline]] inline void WriteRun(const uint8_t* src, uint8_t* dst, std::size_t bytes, unsigned alpha)
{
    if (alpha >= 256) {
        CopyRun(src, dst, bytes);
        return;
    }
    const Weights weights(alpha);
    for (std::size_t i = 0; i < bytes; ++i) dst[i] = weights.Blend(dst[i], src[i]);
}

// The part of the source area that is read, in source pixels, and where its
// first pixel lands on the target.
struct Placed {
    int64_t Left = 0;
    int64_t Top = 0;
    int64_t Right = 0;  // excluded
    int64_t Bottom = 0;  // excluded
    int64_t ToTargetX = 0;  // target column = source column + ToTargetX
    int64_t ToTargetY = 0;
    bool Empty() const { return Left >= Right || Top >= Bottom; }
};

// Worked out in 64 bits: a pointer or a ship may stand anywhere a 32-bit
// position reaches, and a window parked far off screen while it slides must
// clip to nothing, not overflow into a visible range.
Placed Place(const Bitmap& target, int64_t x, int64_t y, const Bitmap& source, const BlitStyle& style)
{
    const SourceArea area = style.Area.value_or(SourceArea{0, 0, source.Width(), source.Height()});
    const int64_t shortBy = style.Clip == TargetClip::ShortOfLastColumnAndRow ? 1 : 0;
    Placed p;
    p.ToTargetX = x - area.Left;
    p.ToTargetY = y - area.Top;
    p.Left = std::max<int64_t>({area.Left, 0, -p.ToTargetX});
    p.Top = std::max<int64_t>({area.Top, 0, -p.ToTargetY});
    p.Right = std::min<int64_t>({area.Left + std::max<int64_t>(area.Width, 0), source.Width(),
                                 target.Width() - shortBy - p.ToTargetX});
    p.Bottom = std::min<int64_t>({area.Top + std::max<int64_t>(area.Height, 0), source.Height(),
                                  target.Height() - shortBy - p.ToTargetY});
    return p;
}

// The drawn bytes of a span, copied or weighed by alpha; the others are
// left as they are. One loop with no branch.
[[gnu::always_inline]] inline void WriteMasked(const uint8_t* src, uint8_t* dst, const uint8_t* mask, std::size_t bytes,
                                               unsigned alpha)
{
    if (alpha >= 256) {
        for (std::size_t i = 0; i < bytes; ++i) dst[i] = static_cast<uint8_t>((src[i] & mask[i]) | (dst[i] & ~mask[i]));
        return;
    }
    const Weights weights(alpha);
    for (std::size_t i = 0; i < bytes; ++i) {
        const uint8_t blended = weights.Blend(dst[i], src[i]);
        dst[i] = static_cast<uint8_t>((blended & mask[i]) | (dst[i] & ~mask[i]));
    }
}

// Bytes of a row, from First up to End (excluded).
struct ByteSpan {
    int64_t First = 0;
    int64_t End = 0;
    std::size_t Bytes() const { return static_cast<std::size_t>(End - First); }
};

// The masked pass goes fastest over a whole number of 32-byte vectors: a
// rest is blended byte by byte. So the span is widened to whole vectors,
// forwards or else backwards, where that stays inside the part of the row
// that may be drawn; the bytes it adds lie outside the row's runs, where
// the mask keeps the target's bytes as they are.
constexpr int64_t VectorBytes = 32;

ByteSpan InWholeVectors(ByteSpan span, ByteSpan drawable)
{
    const int64_t bytes = (span.End - span.First + VectorBytes - 1) / VectorBytes * VectorBytes;
    if (span.First + bytes <= drawable.End) return {span.First, span.First + bytes};
    if (span.End - bytes >= drawable.First) return {span.End - bytes, span.End};
    return span;
}

// Built twice, for processors with 32-byte vectors and for every other, the
// first call picking the one the processor runs: the blends within are
// loops over bytes that the compiler turns into vector instructions, and
// thousands of explosions may be blended in a battle's frame. The run
// writers above are always inlined, so that each build has its own blends:
// called, they would be the plain build's only.
__attribute__((target_clones("avx2", "default"))) void BlitByRuns(Bitmap& target, const Bitmap& source,
                                                                  const Placed& p, const OpaqueRuns& runs,
                                                                  unsigned alpha)
{
    const Bitmap::Rows targetRows = target.WritableRows();
    for (int64_t sy = p.Top; sy < p.Bottom; ++sy) {
        const std::span<const PixelRun> row = runs.Row(static_cast<int>(sy));
        if (row.empty()) continue;
        const uint8_t* src = source.Row(static_cast<int>(sy));
        uint8_t* dst = targetRows[sy + p.ToTargetY];
        // A blended row of several runs is weighed in one masked pass over
        // the span from its first run to its last. Any other row is written
        // run by run from the drawn bytes alone: that reads no transparent
        // byte, where the masked pass would read the span and its mask too,
        // which for a rotation strip of megabytes are seldom in the cache.
        if (row.size() > 1 && alpha < 256) {
            const int64_t from = std::max<int64_t>(row.front().First, p.Left);
            const int64_t to = std::min<int64_t>(row.back().End, p.Right);
            if (from < to) {
                const ByteSpan span = InWholeVectors({from * 3, to * 3}, {p.Left * 3, p.Right * 3});
                WriteMasked(src + span.First, dst + span.First + p.ToTargetX * 3,
                            runs.Mask(static_cast<int>(sy)) + span.First, span.Bytes(), alpha);
            }
            continue;
        }
        const uint8_t* drawn = runs.Drawn(static_cast<int>(sy));
        for (const PixelRun run : row) {
            const int64_t from = std::max<int64_t>(run.First, p.Left);
            const int64_t to = std::min<int64_t>(run.End, p.Right);
            if (from < to)
                WriteRun(drawn + (from - run.First) * 3, dst + (from + p.ToTargetX) * 3,
                         static_cast<std::size_t>(to - from) * 3, alpha);
            drawn += static_cast<std::size_t>(run.End - run.First) * 3;
        }
    }
}

}  // namespace

BlitStyle& BlitStyle::From(SourceArea area)
{
    Area = area;
    return *this;
}

BlitStyle& BlitStyle::Keyed(Transparency keys)
{
    Keys = keys;
    return *this;
}

BlitStyle& BlitStyle::Blended(uint16_t alpha)
{
    Alpha = alpha;
    return *this;
}

BlitStyle& BlitStyle::ShortOfLastColumnAndRow() { return ClippedBy(TargetClip::ShortOfLastColumnAndRow); }

BlitStyle& BlitStyle::ClippedBy(TargetClip clip)
{
    Clip = clip;
    return *this;
}

BlitStyle& BlitStyle::WithRuns(const OpaqueRuns* runs)
{
    Runs = runs;
    return *this;
}

bool Transparency::Skips(const uint8_t* pixel) const
{
    return (Key && Is(pixel, *Key)) || (AlsoKey && Is(pixel, *AlsoKey));
}

OpaqueRuns::OpaqueRuns(const Bitmap& picture, Transparency keys) { Refresh(picture, keys); }

bool OpaqueRuns::Fit(const Bitmap& picture, Transparency keys) const
{
    return version_ == picture.Version() && width_ == picture.Width() && height_ == picture.Height() && keys_ == keys;
}

void OpaqueRuns::Refresh(const Bitmap& picture, Transparency keys)
{
    if (Fit(picture, keys)) return;
    rowStart_.assign(1, 0);
    runs_.clear();
    mask_.assign(static_cast<std::size_t>(picture.Height()) * picture.Stride(), 0);
    rowDrawn_.clear();
    drawn_.clear();
    for (int y = 0; y < picture.Height(); ++y) {
        const uint8_t* p = picture.Row(y);
        uint8_t* drawn = mask_.data() + static_cast<std::size_t>(y) * picture.Stride();
        rowDrawn_.push_back(drawn_.size());
        int x = 0;
        while (x < picture.Width()) {
            while (x < picture.Width() && keys.Skips(p + x * 3)) ++x;
            if (x == picture.Width()) break;
            const int first = x;
            while (x < picture.Width() && !keys.Skips(p + x * 3)) ++x;
            runs_.push_back({first, x});
            std::memset(drawn + first * 3, 255, static_cast<std::size_t>(x - first) * 3);
            drawn_.insert(drawn_.end(), p + first * 3, p + x * 3);
        }
        rowStart_.push_back(static_cast<int32_t>(runs_.size()));
    }
    version_ = picture.Version();
    width_ = picture.Width();
    height_ = picture.Height();
    keys_ = keys;
}

std::span<const PixelRun> OpaqueRuns::Row(int y) const
{
    const auto first = static_cast<std::size_t>(rowStart_[static_cast<std::size_t>(y)]);
    const auto end = static_cast<std::size_t>(rowStart_[static_cast<std::size_t>(y) + 1]);
    return {runs_.data() + first, end - first};
}

const uint8_t* OpaqueRuns::Mask(int y) const { return mask_.data() + static_cast<std::size_t>(y) * width_ * 3; }

const uint8_t* OpaqueRuns::Drawn(int y) const { return drawn_.data() + rowDrawn_[static_cast<std::size_t>(y)]; }

void BlitRow(const uint8_t* source, uint8_t* target, int pixels, Transparency keys, uint16_t alpha)
{
    if (alpha == 0) return;
    if (!keys.Key && !keys.AlsoKey) {
        WriteRun(source, target, static_cast<std::size_t>(std::max(pixels, 0)) * 3, alpha);
        return;
    }
    int x = 0;
    while (x < pixels) {
        while (x < pixels && keys.Skips(source + x * 3)) ++x;
        const int first = x;
        while (x < pixels && !keys.Skips(source + x * 3)) ++x;
        if (first < x) WriteRun(source + first * 3, target + first * 3, static_cast<std::size_t>(x - first) * 3, alpha);
    }
}

void Blit(Bitmap& target, int64_t x, int64_t y, const Bitmap& source, const BlitStyle& style)
{
    const Placed p = Place(target, x, y, source, style);
    if (p.Empty() || style.Alpha == 0) return;
    if (style.Runs != nullptr && style.Runs->Fit(source, style.Keys)) {
        BlitByRuns(target, source, p, *style.Runs, style.Alpha);
        return;
    }
    const auto pixels = static_cast<int>(p.Right - p.Left);
    const Bitmap::Rows targetRows = target.WritableRows();
    for (int64_t sy = p.Top; sy < p.Bottom; ++sy) {
        const uint8_t* src = source.Row(static_cast<int>(sy)) + p.Left * 3;
        uint8_t* dst = targetRows[sy + p.ToTargetY] + (p.Left + p.ToTargetX) * 3;
        BlitRow(src, dst, pixels, style.Keys, style.Alpha);
    }
}

}  // namespace kv
