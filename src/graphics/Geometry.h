// Small helpers shared by hit tests and scene set-up.
#pragma once

#include <cstdint>

#include "base/Random.h"
#include "platform/Bitmap.h"

namespace kv {

struct Point {
    int32_t X = 0;
    int32_t Y = 0;
};

// Left <= X <= Right and Top <= Y <= Bottom: all four edges are inside.
bool PointInRect(Point p, int32_t left, int32_t top, int32_t right, int32_t bottom);
// (P - C) squared <= r squared, in whole numbers: the rim is inside.
bool PointInCircle(Point p, int32_t radius, Point centre);
// n white pixels at random places of the target: y = Random(600), then
// x = Random(800) for each.
void ScatterStars(int n, Bitmap& target, Random& random);

}  // namespace kv
