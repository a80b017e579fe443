// The HUD's container widget. Every panel is a kvWindow with its own 24-bit
// face bitmap, composed when its content changes and copied onto the frame
// at its position with colour-key transparency and a constant-alpha blend.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "platform/Bitmap.h"

namespace kv {

// A click at window-relative (X, Y); Button 0 left, 1 right, 2 middle.
using ClickHandler = std::function<void(int16_t x, int16_t y, uint8_t button)>;

class kvWindow {
public:
    // Sizes the face, gives it the HUD font ("Fixedsys" in RGB(0, 249, 0))
    // and a clear brush; visible, not sliding, Alpha 179, at (0, 0), no items.
    void Create(uint16_t width, uint16_t height);
    // Fills the whole face with the transparent colour.
    void ClearToKey();
    // Copies the face onto `target` at (Left, Top): transparent-coloured
    // pixels are skipped; Alpha 256 or more copies, below 256 each channel
    // becomes ((256 - Alpha) * dst) >> 8 + (src * Alpha) >> 8.
    void DrawTo(Bitmap& target) const;

    ClickHandler OnClick;
    uint16_t Width = 0;
    uint16_t Height = 0;
    Bitmap Face;
    int32_t Left = 0;
    int32_t Top = 0;
    uint8_t Visible = 1;
    uint8_t SlideIn = 0;
    uint8_t SlideOut = 0;
    uint16_t Alpha = 179;
};

// Blends one run of pixels of a face row onto a target row, skipping the
// transparent colour (and, for buttons, the not-clickable purple as well).
void BlendRow(const uint8_t* src, uint8_t* dst, int pixels, uint16_t alpha, bool skipPurple);

constexpr Rgb HudTextColour{0, 249, 0};

}  // namespace kv
