#include "platform/Viewport.h"

#include <algorithm>

namespace kv {

namespace {

// Division rounding toward minus infinity: positions left of the frame must
// give -1, not 0.
int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

Placement Centred(Extent output, int width, int height)
{
    return Placement{(output.Width - width) / 2, (output.Height - height) / 2, width, height};
}

// The largest picture of the frame's shape that fits, in whole pixels.
Placement FillShape(Extent output, Extent frame)
{
    const int64_t byWidth = int64_t{output.Width} * frame.Height;
    const int64_t byHeight = int64_t{output.Height} * frame.Width;
    if (byWidth <= byHeight)
        return Centred(output, output.Width, static_cast<int>(byWidth / frame.Width));
    return Centred(output, static_cast<int>(byHeight / frame.Height), output.Height);
}

// One axis of a window position to a frame coordinate, in whole numbers:
// frame = floor(((x + 1/2) * output / window - left) * frame / shown).
int FrameCoordinate(int x, int window, int output, int left, int shown, int frame)
{
    if (window <= 0 || shown <= 0) return x;
    const int64_t numerator = ((2 * int64_t{x} + 1) * output - 2 * int64_t{left} * window) * frame;
    return static_cast<int>(FloorDiv(numerator, 2 * int64_t{window} * shown));
}

}  // namespace

int LargestWholeScale(Extent room, Extent frame)
{
    if (frame.Width <= 0 || frame.Height <= 0) return 1;
    return std::max(1, std::min(room.Width / frame.Width, room.Height / frame.Height));
}

int StepWholeScale(Extent current, Extent room, Extent frame, int step)
{
    if (frame.Width <= 0 || frame.Height <= 0) return 1;
    const int below = std::min(current.Width / frame.Width, current.Height / frame.Height);
    const bool exact = current.Width == below * frame.Width && current.Height == below * frame.Height;
    const int next = step > 0 ? below + 1 : (exact ? below - 1 : below);
    return std::clamp(next, 1, LargestWholeScale(room, frame));
}

Placement PlaceFrame(Extent output, Extent frame, ScalingStyle style)
{
    if (frame.Width <= 0 || frame.Height <= 0 || output.Width <= 0 || output.Height <= 0) return Placement{};
    const bool fits = output.Width >= frame.Width && output.Height >= frame.Height;
    if (style == ScalingStyle::Smooth || !fits) return FillShape(output, frame);
    const int scale = LargestWholeScale(output, frame);
    return Centred(output, frame.Width * scale, frame.Height * scale);
}

FramePoint FramePixelAt(int x, int y, Extent window, Extent output, Placement placement, Extent frame)
{
    return FramePoint{
        FrameCoordinate(x, window.Width, output.Width, placement.Left, placement.Width, frame.Width),
        FrameCoordinate(y, window.Height, output.Height, placement.Top, placement.Height, frame.Height),
    };
}

}  // namespace kv
