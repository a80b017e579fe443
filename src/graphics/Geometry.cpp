#include "graphics/Geometry.h"

namespace kv {

bool PointInRect(Point p, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    return left <= p.X && p.X <= right && top <= p.Y && p.Y <= bottom;
}

bool PointInCircle(Point p, int32_t radius, Point centre)
{
    const int64_t dx = static_cast<int64_t>(p.X) - centre.X;
    const int64_t dy = static_cast<int64_t>(p.Y) - centre.Y;
    return dx * dx + dy * dy <= static_cast<int64_t>(radius) * radius;
}

void ScatterStars(int n, Bitmap& target, Random& random)
{
    for (int i = 0; i < n; ++i) {
        const auto y = static_cast<int>(random.Next(600));
        const auto x = static_cast<int>(random.Next(800));
        target.SetPixel(x, y, White);
    }
}

}  // namespace kv
