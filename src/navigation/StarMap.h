// The star map: the central 350 x 350 window of the space scene. At the
// galaxy level it shows the current galaxy as a turnable cloud of star discs
// seen straight on (an orthographic view, depth only orders and sizes the
// discs); at the system level the selected star as a wireframe sphere with
// its planets on their rings; the empty level shows only the frame.
//
// The view turns by two angles: the tilt A (MapTilt, elevation) and the spin
// B (MapSpin, about the galaxy's z axis). A galaxy point (x, y, z) is seen at
//   X' = cos B y - sin B x                                 (to the right)
//   Y' = -cos A cos B x - cos A sin B y + sin A z          (downwards)
//   Z' = -sin A cos B x - sin A sin B y - cos A z + zoom   (towards the viewer)
// so with both angles 0 the galaxy is seen from above, y to the right and x
// up. The galaxy view puts X' x zoom, rounded, at 400 - L and Y' x zoom at
// 250 - T, where (L, T) is the map window's place on the screen: with the
// window at (225, 80) the galaxy's centre is window pixel (175, 170). The
// system view is centred on (175, 175).
//
// Disc sizes do not follow the zoom: a disc has the half-size (Z' + 100) / 30
// plus 2 pixels, so at zoom 0 every star sits on the centre at its own size.
#pragma once

#include <array>
#include <cstdint>

#include "game/MapProjection.h"
#include "graphics/Geometry.h"
#include "platform/Bitmap.h"

namespace kv {

struct Game;
struct Interface;
struct MapView;
struct kvGalaxy;

// The turn of the view for one set of angles, with its sines and cosines
// worked out once. Spin turns about the z axis, tilt lifts the eye.
struct ViewRotation {
    ViewRotation(double tilt, double spin);

    // X' and Y' of a galaxy point: the screen offsets before the zoom.
    double Right(double x, double y) const { return CosSpin * y - SinSpin * x; }
    double Down(double x, double y, double z) const
    {
        return -CosTilt * CosSpin * x - CosTilt * SinSpin * y + SinTilt * z;
    }
    // Z' without the zoom term.
    double Depth(double x, double y, double z) const
    {
        return -SinTilt * CosSpin * x - SinTilt * SinSpin * y - CosTilt * z;
    }

    double CosTilt, SinTilt, CosSpin, SinSpin;
};

// Fills ProjectedStars, DrawOrder and ProjectedAxes for the galaxy at the
// current angles and zoom. Equal depths keep the stars' numbering order.
void ProjectGalaxy(const MapView& view, const kvGalaxy& galaxy, MapProjection& projection);

// The window pixel of a view offset (X', Y') in the galaxy view, and of a
// projected star.
Point GalaxyViewPoint(const Interface& ui, double right, double down);
Point GalaxyViewPoint(const Interface& ui, const ProjectedStar& star);
// Where a click finds a star and where the jump line starts: the window's
// offset is added before the rounding, so at an exact half (PX x zoom =
// 20.5) the point is one pixel right of the drawing's.
Point GalaxyPickPoint(const Interface& ui, const ProjectedStar& star);

// Redraws the map window's bitmap from the view, the selection and the ship's
// range: the level's content, the frame, the axis cross and the buttons.
void DrawStarMap(Game& game);
// The galactic plane: a ring of radius 150 and a line from every star down to
// the plane. Galaxy level only.
void DrawEcliptic(Game& game);

// A wireframe sphere of radius r around (cx, cy) on the target, turned by
// spin f and tilt g, from an n x n grid of points (n at most 50), drawn with
// the target's pen and not filled.
void DrawSphere(int n, int cx, int cy, Bitmap& target, double f, double g, double r);
// A ring of radius r in the plane z = 0 through n points (n at most 50),
// turned like DrawSphere.
void DrawOrbit(int n, int cx, int cy, Bitmap& target, double f, double g, double r);

// The map's four buttons and the mouse, each redrawing the map.
// "E" and "C": the plane ring and the axis cross on or off.
void ToggleEcliptic(Game& game);
void ToggleAxes(Game& game);
// Zoom in: back to zoom 1 and one level down (galaxy to system, empty to
// galaxy). Zoom out: one level up, the zoom kept.
void ZoomIn(Game& game);
void ZoomOut(Game& game);
// The wheel: delta / 1000 onto the zoom (0.12 a notch), never below 0.
void WheelZoom(Game& game, int delta);
// A right-button drag by (dx, dy) pixels: 180 pixels turn the view a radian.
void TurnStarMap(Game& game, int dx, int dy);

}  // namespace kv
