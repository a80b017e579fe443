#include "graphics/kvSprites.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/BmpFile.h"
#include "platform/Canvas.h"

namespace kv {

namespace {

// Copies a w x h area from (sx, sy) of `from` to (dx, dy) of `to`, clipped
// to both bitmaps; with `keyed`, transparent-coloured pixels are skipped.
// The pointer may stand anywhere a 32-bit position reaches, far off either
// bitmap, so the clipping is worked out in 64 bits, and an area that misses
// a bitmap altogether copies nothing.
void CopyArea(const Bitmap& from, int sx, int sy, Bitmap& to, int dx, int dy, int w, int h, bool keyed)
{
    using Wide = int64_t;
    const Wide left = std::max<Wide>({0, -Wide{sx}, -Wide{dx}});
    const Wide top = std::max<Wide>({0, -Wide{sy}, -Wide{dy}});
    const Wide right = std::min<Wide>({w, from.Width() - Wide{sx}, to.Width() - Wide{dx}});
    const Wide bottom = std::min<Wide>({h, from.Height() - Wide{sy}, to.Height() - Wide{dy}});
    if (left >= right || top >= bottom) return;
    for (Wide r = top; r < bottom; ++r) {
        const uint8_t* src = from.Row(static_cast<int>(sy + r)) + (sx + left) * 3;
        uint8_t* dst = to.Row(static_cast<int>(dy + r)) + (dx + left) * 3;
        if (!keyed) {
            std::memcpy(dst, src, static_cast<std::size_t>(right - left) * 3);
            continue;
        }
        for (Wide c = left; c < right; ++c, src += 3, dst += 3) {
            if (src[0] == ColourKey.B && src[1] == ColourKey.G && src[2] == ColourKey.R) continue;
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
        }
    }
}

}  // namespace

void kvSprite::Create(uint16_t w, uint16_t h, const std::string& fileName)
{
    Bitmap picture;
    LoadBmp(fileName, picture);
    Width = w;
    Height = h;
    Image.SetSize(w, h);
    Image.Fill(ColourKey);
    Canvas(Image).Draw((w - picture.Width()) / 2, (h - picture.Height()) / 2, picture);
    SavedBackground.SetSize(w, h);
    LoadBmp(fileName, SavedBackground);
    SavedBackground.SetSize(w, h);
    Tracking = 0;
    X = 0;
    Y = 0;
}

void kvSprite::SaveUnder(const Bitmap& canvas)
{
    CopyArea(canvas, X, Y, SavedBackground, 0, 0, Width - 1, Height - 1, false);
}

void kvSprite::RestoreUnder(Bitmap& canvas) const
{
    CopyArea(SavedBackground, 0, 0, canvas, X, Y, Width - 1, Height - 1, false);
}

void kvSprite::DrawImage(Bitmap& canvas) const
{
    CopyArea(Image, 0, 0, canvas, X, Y, Width - 1, Height - 1, true);
}

void kvSprite::Draw(Bitmap& canvas)
{
    SaveUnder(canvas);
    DrawImage(canvas);
}

void kvSprite::MoveTo(int32_t x, int32_t y, Bitmap& canvas)
{
    RestoreUnder(canvas);
    X = x;
    Y = y;
    SaveUnder(canvas);
    DrawImage(canvas);
}

}  // namespace kv
