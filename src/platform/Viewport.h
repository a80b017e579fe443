// Where the game's frame lands in a window of any size, and which frame
// pixel lies under a pointer position there.
//
// The frame keeps its shape, centred between black bars. Sharp scaling shows
// it at the largest whole multiple of its size that fits, every frame pixel
// a square of equal screen pixels; smooth scaling fills the largest picture
// of the frame's shape that fits and filters it. An output smaller than the
// frame shows it shrunk to fit in either style.
#pragma once

#include <cstdint>

namespace kv {

enum class ScalingStyle : uint8_t { Sharp, Smooth };

struct Extent {
    int Width = 0;
    int Height = 0;
    friend bool operator==(const Extent&, const Extent&) = default;
};

// A rectangle of output pixels.
struct Placement {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    friend bool operator==(const Placement&, const Placement&) = default;
};

struct FramePoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const FramePoint&, const FramePoint&) = default;
};

// The largest whole multiple of `frame` that fits in `room`, at least 1.
int LargestWholeScale(Extent room, Extent frame);

// The whole multiple of `frame` one step up (`step` 1) or down (-1) from a
// window of `current` size, among those that fit in `room`: from a size
// between two multiples the steps go to the nearest one on that side.
int StepWholeScale(Extent current, Extent room, Extent frame, int step);

Placement PlaceFrame(Extent output, Extent frame, ScalingStyle style);

// The frame pixel shown under a pointer at (x, y) of a window `window` units
// large whose output (drawable) is `output` pixels: the window position's
// centre is carried into output pixels, then into the frame, and rounded
// down. Positions on the bars fall outside the frame (below 0 or past its
// size): they are reported as they are, never clamped onto the frame's edge.
FramePoint FramePixelAt(int x, int y, Extent window, Extent output, Placement placement, Extent frame);

}  // namespace kv
