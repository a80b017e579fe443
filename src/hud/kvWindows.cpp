#include "hud/kvWindows.h"

#include <algorithm>

#include "platform/Canvas.h"

namespace kv {

void kvWindow::Create(uint16_t width, uint16_t height)
{
    Width = width;
    Height = height;
    Face.SetSize(width, height);
    Face.font = Font{"Fixedsys", 9, HudTextColour};
    Face.brush.Style = BrushStyle::Clear;
    Visible = 1;
    SlideIn = 0;
    SlideOut = 0;
    Alpha = 179;
    Left = 0;
    Top = 0;
    OnClick = nullptr;
}

void kvWindow::Line(int x1, int y1, int x2, int y2) { Canvas(Face).Line(x1, y1, x2, y2); }

bool kvWindow::AddItem(kvWindow& item)
{
    if (ItemCount >= 20) return false;
    ++ItemCount;
    Items[ItemCount] = &item;
    return true;
}

void kvWindow::ClearToKey() { Face.Fill(ColourKey); }

void BlendRow(const uint8_t* src, uint8_t* dst, int pixels, uint16_t alpha, bool skipPurple)
{
    const unsigned a = std::min<unsigned>(alpha, 256);
    const unsigned keep = 256 - a;
    for (int i = 0; i < pixels; ++i, src += 3, dst += 3) {
        const bool key = src[0] == 255 && src[1] == 0 && src[2] == 255;
        const bool purple = skipPurple && src[0] == 128 && src[1] == 0 && src[2] == 128;
        if (key || purple) continue;
        if (a == 256) {
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
            continue;
        }
        dst[0] = static_cast<uint8_t>(((keep * dst[0]) >> 8) + ((src[0] * a) >> 8));
        dst[1] = static_cast<uint8_t>(((keep * dst[1]) >> 8) + ((src[1] * a) >> 8));
        dst[2] = static_cast<uint8_t>(((keep * dst[2]) >> 8) + ((src[2] * a) >> 8));
    }
}

void kvWindow::DrawTo(Bitmap& target) const
{
    const int firstCol = std::max(Left, 0);
    const int lastCol = std::min(Left + std::min<int>(Width, Face.Width()), target.Width()) - 1;
    const int firstRow = std::min(std::max(Top, 0), target.Height());
    const int lastRow = std::min(Top + std::min<int>(Height, Face.Height()), target.Height()) - 1;
    if (lastCol < firstCol) return;
    for (int r = firstRow; r <= lastRow; ++r) {
        const uint8_t* src = Face.Row(r - Top) + (firstCol - Left) * 3;
        BlendRow(src, target.Row(r) + firstCol * 3, lastCol - firstCol + 1, Alpha, false);
    }
}

}  // namespace kv
