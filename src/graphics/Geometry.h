// Small helpers shared by hit tests, scene set-up and the battle: rotation
// strips, hit tests, the battle's parallax star field and scattered stars.
#pragma once

#include <cstdint>

#include "base/OneBased.h"
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

// n frames of a W x H picture one below the other, frame k (1..n) in rows
// (k - 1) * H .. k * H - 1, showing the picture turned clockwise by k * 360 / n
// degrees about (W div 2, H div 2). Each pixel is taken from the nearest
// source pixel (halves to even); where that falls outside the picture, as at
// the corners of a turned square, the pixel is the transparent colour. Frame n
// is the picture itself. A picture meant to turn must face right (+x).
Bitmap MakeRotationStrip(const Bitmap& source, uint16_t n);

// The battle's backdrop: 1000 stars in ten layers, star i in layer i mod 10.
struct Star {
    double X = 0;
    double Y = 0;
};
using StarField = OneBased<Star, 1000>;

// Each star at X = Random(800), then Y = Random(600).
void InitStarField(StarField& stars, Random& random);
// Moves every star against the drift (vx, vy), layer 1 at full speed down to
// layer 9 at 0.2 and layer 0 at 0.1, wraps it at the 800 x 600 frame (beyond
// 800 to 0, below 0 to 800, the same for 600) and plots it white. A star
// exactly on 800 or 600 stays there, one pixel outside the frame.
void DrawStarField(StarField& stars, Bitmap& target, double vx, double vy);

}  // namespace kv
