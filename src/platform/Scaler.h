// Draws the game's frame at its place in a window's own 32-bit pixels, so
// that presenting without a graphics card scales each frame once, in one
// pass over the window, and the system copies it as it stands.
//
// The window's pixels are 4 bytes each, blue, green, red and an unused byte
// (written 255), rows `pitch` bytes apart. The frame is drawn into the
// placement Viewport gives; the bars round it are filled black on request.
//
// - Sharp: each window pixel shows the frame pixel under its middle, the
//   same rule that maps pointer positions to frame pixels, so a click always
//   lands on the pixel it was shown on. At a whole multiple k every frame
//   pixel is a k x k square; each frame row is widened once and its copies
//   are plain row copies.
// - Smooth: bilinear filtering of the four frame pixels round the middle of
//   each window pixel, placed to the nearest eighth of a frame pixel across
//   and the nearest quarter down: each frame row is filtered across once,
//   and each window row mixes two such rows. Whole eighths and quarters
//   keep the filter to byte averages, which cost far less than weighing
//   each byte on the largest screens, where the time goes.
//
// A placement of the frame's own size is a plain copy in either style.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Viewport.h"

namespace kv {

class FrameScaler {
public:
    // How finely the smooth filter places window pixels between frame
    // pixels: eighths across, quarters down.
    static constexpr int ColumnParts = 8;
    static constexpr int RowParts = 4;

    // Draws `frame` into the rectangle `at` of the window pixels starting at
    // `pixels`; the rectangle must lie inside them.
    void Draw(const Bitmap& frame, Placement at, ScalingStyle style, uint8_t* pixels, int pitch);

private:
    // Where each window column and row of the placement takes its frame
    // pixel from (sharp), or the frame pixel before it and how many parts of
    // the way to the next one it lies (smooth). Smooth columns name their
    // pixel among the row's shifted copies (see FilteredRow).
    struct Axis {
        std::vector<int> First;
        std::vector<int> Part;
    };

    void Prepare(Extent frame, Placement at, ScalingStyle style);
    void DrawSharp(const Bitmap& frame, Placement at, uint8_t* pixels, int pitch);
    void DrawSmooth(const Bitmap& frame, Placement at, uint8_t* pixels, int pitch);
    const std::vector<uint32_t>& FilteredRow(const Bitmap& frame, int y);

    Extent preparedFrame_;
    Placement preparedAt_;
    ScalingStyle preparedStyle_ = ScalingStyle::Sharp;
    Axis columns_;
    Axis rows_;
    // One frame row widened to 4 bytes a pixel (sharp), or that and its seven
    // shifted copies (smooth).
    std::vector<uint32_t> wide_;
    // One window row of the placement.
    std::vector<uint32_t> row_;
    // The two frame rows last filtered across, and which rows they are.
    std::vector<uint32_t> filtered_[2];
    int filteredRow_[2] = {-1, -1};
    // The window row halfway between two frame rows.
    std::vector<uint32_t> middle_;
};

// Fills the output outside the placement black.
void FillBars(uint8_t* pixels, int pitch, Extent output, Placement at);

// One row of blue-green-red pixels widened to the window's 4 bytes a pixel.
void WidenRow(const uint8_t* from, uint8_t* to, int width);

}  // namespace kv
