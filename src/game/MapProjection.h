// Where the star map's galaxy view last saw each star and the axis cross:
// the interface keeps it between the drawing and the next click.
#pragma once

#include <array>
#include <cstdint>

#include "base/OneBased.h"
#include "graphics/Geometry.h"

namespace kv {

// One star as the galaxy view sees it: PX, PY before the zoom, the depth PZ
// (its zoom term included) and the star's own number.
struct ProjectedStar {
    double PX = 0.0;
    double PY = 0.0;
    double PZ = 0.0;
    uint8_t Number = 0;
};

struct AxisPoint {
    double X = 0.0;
    double Y = 0.0;
};

// What the last galaxy-level drawing worked out; the star selection reads it
// back, so a click picks what the player sees.
struct MapProjection {
    OneBased<ProjectedStar, 255> ProjectedStars;
    // Star numbers from the farthest to the nearest.
    OneBased<uint8_t, 255> DrawOrder;
    // The axis cross as last turned; the cross keeps it at the other levels.
    std::array<AxisPoint, 3> ProjectedAxes{};
    // Where the selected star's name is written and where the current star is.
    Point LabelPoint;
    Point CurrentStarPoint;
};

}  // namespace kv
