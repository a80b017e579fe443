// The battle's effects and scenery: engine exhaust, explosions that follow
// their ship, the invisible attractor that circles the player as a target,
// and the drifting, spinning asteroids that always stay in view.
#pragma once

#include <cstdint>
#include <memory>

#include "combat/Combat.h"

namespace kv {

// The first ship of the side in list order: the player for side 1, the
// first enemy for side 2; none when no such ship is left.
kvCombatShip* FindShipBySide(const Battle& battle, int32_t side);

// Ages the particle and moves it one pixel away from where its ship pointed
// (the motion step moves it once more); it dies one past its lifetime.
void UpdateExhaust(kvExhaust& exhaust);
// A disc shrinking from radius 5 and darkening from cyan to blue with age:
// the canvas's ellipse in the box of that radius round its screen place,
// drawn with the target's pen width in the disc's colour.
void DrawExhaust(Battle& battle, const kvExhaust& exhaust, Bitmap& target);

// An explosion at an impact point, anchored to the first ship of the side:
// it keeps its whole-pixel offset from that ship while the ship lives.
std::unique_ptr<kvExplosion> MakeExplosion(Battle& battle, uint32_t side, int32_t x0, int32_t y0);
// Follows the anchor ship, shows each frame for 5 ticks with a fading alpha
// that wraps back to opaque, and dies after 5 ticks per frame. Black is its
// transparent colour.
void UpdateAndDrawExplosion(Battle& battle, kvExplosion& explosion, Bitmap& target);

// The battle's one attractor, at phase Random(3), appended to the list.
void CreateAttractor(const BattleContext& context);
// Moves one step round the circle of radius 100 about the player and takes
// the player's velocity; stays put once the player is gone.
void UpdateAttractor(const Battle& battle, kvAttractor& attractor);

// An asteroid, aster1 or aster2 by Random(2) + 1, with its rotation strip.
std::unique_ptr<kvObstacle> MakeObstacle(const BattleContext& context, double x, double y, double spin, double vx,
                                         double vy);
// Spins, drifts and wraps to the 800 x 600 view about the camera, so the
// asteroids stay around the player however far the player flies.
void UpdateObstacle(const Battle& battle, kvObstacle& obstacle);
// The three asteroids of a battle's start, in their order.
void AddSetUpObstacles(const BattleContext& context);
// One more asteroid near the view's top-left corner (the N key).
void AddRandomObstacle(const BattleContext& context);

}  // namespace kv
