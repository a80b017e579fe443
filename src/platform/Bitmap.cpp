#include "platform/Bitmap.h"

#include <algorithm>
#include <cstring>

namespace kv {

void Bitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    std::vector<uint8_t> fresh(static_cast<std::size_t>(width) * height * 3, 255);
    const int keepW = std::min(width, width_);
    const int keepH = std::min(height, height_);
    for (int y = 0; y < keepH; ++y)
        std::memcpy(fresh.data() + static_cast<std::size_t>(y) * width * 3, Row(y),
                    static_cast<std::size_t>(keepW) * 3);
    pixels_ = std::move(fresh);
    Touch();
    width_ = width;
    height_ = height;
}

Rgb Bitmap::Pixel(int x, int y) const
{
    if (!Contains(x, y)) return Black;
    const uint8_t* p = Row(y) + x * 3;
    return Rgb{p[2], p[1], p[0]};
}

void Bitmap::SetPixel(int x, int y, Rgb c)
{
    if (!Contains(x, y)) return;
    uint8_t* p = Row(y) + x * 3;
    p[0] = c.B;
    p[1] = c.G;
    p[2] = c.R;
}

void Bitmap::Fill(Rgb c)
{
    for (int y = 0; y < height_; ++y) {
        uint8_t* p = Row(y);
        for (int x = 0; x < width_; ++x, p += 3) {
            p[0] = c.B;
            p[1] = c.G;
            p[2] = c.R;
        }
    }
}

}  // namespace kv
