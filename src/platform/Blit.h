// Blit: the one copy of a picture onto another, keyed, blended and clipped.
// Panels, their buttons and fields, the mouse pointer and every picture of a
// battle reach the frame through it, and Canvas's stretched copies write
// their rows with its row writer. The rules, stated once:
//
// - Placing: the source area (Left, Top, Width, Height; the whole picture
//   unless given) lands with its top-left corner at (x, y) of the target.
//   Only the part of the area that lies inside the picture is read. Any
//   64-bit x and y are harmless: what falls outside the target is dropped.
// - The target's edges: nothing is written outside the target, and with
//   TargetClip::ShortOfLastColumnAndRow nothing in its last column or its
//   last row either. Buttons and fields are drawn that way onto their
//   window's face, and ships, rocks and explosions onto the battle frame;
//   panels and the pointer may cover the whole frame. (The pointer leaves
//   out its own picture's last column and row: it asks for an area one
//   pixel smaller each way.)
// - Transparency: source pixels of the key colour, and of the second key
//   when there is one, are skipped; with no key every pixel is drawn.
// - Alpha: 256 or more copies; below 256 each channel of a drawn pixel
//   becomes ((256 - Alpha) * target) >> 8 + (source * Alpha) >> 8.
// - Opaque runs: the drawn runs of every row of a picture, found once per
//   content and given to the copy, spare it the look at every pixel; without
//   them it finds each row's runs as it goes. They carry a mask of the drawn
//   bytes too, so that a blended row of several runs is written in one pass
//   over its drawn span that the compiler vectorises, and a copy of the
//   drawn bytes alone, end to end, from which the other rows are written run
//   by run: a ship's frame is mostly transparent, and its drawn bytes lie
//   in a few cache lines instead of spread over a strip of megabytes. The
//   pixels are the same either way.
// - Source and target are different bitmaps.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/Bitmap.h"

namespace kv {

// Which source pixels are not drawn: none, those of Key, or those of Key
// and of AlsoKey (a button's not-clickable purple).
struct Transparency {
    std::optional<Rgb> Key;
    std::optional<Rgb> AlsoKey;
    bool Skips(const uint8_t* pixel) const;
    friend bool operator==(const Transparency&, const Transparency&) = default;
};

constexpr Transparency KeyedBy(Rgb key) { return Transparency{key, std::nullopt}; }
constexpr Transparency KeyedBy(Rgb key, Rgb alsoKey) { return Transparency{key, alsoKey}; }

// A part of a picture, in its own pixels.
struct SourceArea {
    int64_t Left = 0;
    int64_t Top = 0;
    int64_t Width = 0;
    int64_t Height = 0;
};

enum class TargetClip : uint8_t { Whole, ShortOfLastColumnAndRow };

// The columns First .. End - 1 of one row.
struct PixelRun {
    int32_t First = 0;
    int32_t End = 0;
};

// The drawn runs of every row of a picture for one transparency.
class OpaqueRuns {
public:
    OpaqueRuns() = default;
    OpaqueRuns(const Bitmap& picture, Transparency keys);

    // Finds the runs again when the picture's content or size, or the
    // transparency, differs from what they were found for.
    void Refresh(const Bitmap& picture, Transparency keys);
    // Whether they were found for this picture as it is now.
    bool Fit(const Bitmap& picture, Transparency keys) const;
    std::span<const PixelRun> Row(int y) const;
    // 255 for every byte of a drawn pixel of row y, 0 for the others.
    const uint8_t* Mask(int y) const;
    // The drawn bytes of row y, its runs' pixels one after the other.
    const uint8_t* Drawn(int y) const;

private:
    std::vector<int32_t> rowStart_;  // the runs of row y: rowStart_[y] .. rowStart_[y + 1] - 1
    std::vector<PixelRun> runs_;
    std::vector<uint8_t> mask_;
    std::vector<std::size_t> rowDrawn_;  // where row y's drawn bytes start in drawn_
    std::vector<uint8_t> drawn_;
    uint64_t version_ = 0;
    int width_ = -1;
    int height_ = -1;
    Transparency keys_;
};

// How a picture is copied; the defaults copy the whole picture opaque over
// the whole target. Set the rest in a chain:
// BlitStyle().Keyed(KeyedBy(ColourKey)).Blended(179).WithRuns(&runs).
struct BlitStyle {
    // The whole picture when not given.
    std::optional<SourceArea> Area;
    Transparency Keys;
    uint16_t Alpha = 256;
    TargetClip Clip = TargetClip::Whole;
    // The source's runs for Keys, or none; runs that do not fit the picture
    // as it is now are passed over.
    const OpaqueRuns* Runs = nullptr;

    BlitStyle& From(SourceArea area);
    BlitStyle& Keyed(Transparency keys);
    BlitStyle& Blended(uint16_t alpha);
    BlitStyle& ShortOfLastColumnAndRow();
    BlitStyle& ClippedBy(TargetClip clip);
    BlitStyle& WithRuns(const OpaqueRuns* runs);
};

void Blit(Bitmap& target, int64_t x, int64_t y, const Bitmap& source, const BlitStyle& style);

// One row: the drawn pixels of `pixels` source pixels written over as many
// target pixels.
void BlitRow(const uint8_t* source, uint8_t* target, int pixels, Transparency keys, uint16_t alpha);

}  // namespace kv
