// The game's pointer on a gamepad: the left stick (past its dead zone) or
// the d-pad move it, gathering speed while they are held, so that a short
// push places it to the pixel and a long one crosses the screen in about a
// second. The push is squared along its direction: half a push is a
// quarter of the speed, fine control near the middle of the stick's way.
#pragma once

#include "graphics/Geometry.h"
#include "platform/Input.h"

namespace kv {

// Pixels a tick at a full push: when the push begins, and once it has
// been held for RampTicks.
constexpr double SlowestPointer = 1.5;
constexpr double FastestPointer = 12;
constexpr int RampTicks = 40;

// What a push carries from tick to tick: how long it has been held, and
// the parts of a pixel not moved yet.
struct PadPointer {
    int HeldTicks = 0;
    double CarryX = 0;
    double CarryY = 0;
};

// The whole pixels the pointer moves in this tick for a push (StickPush,
// already past the dead zone); a push of nothing stops it and forgets the
// speed gathered.
Point StepPointer(PadPointer& pointer, StickPush push);

// The right stick turns the star map as the pointer dragging it with the
// right button would: MapTurnPixels a tick at a full push, squared as the
// pointer's, with no speed gathered.
constexpr double MapTurnPixels = 4;
Point StepMapTurn(PadPointer& carry, StickPush push);

// The wheel's delta a tick that a shoulder held zooms the star map by
// (RB in, LB out): a notch of the wheel in about ten ticks.
constexpr int ShoulderZoomPerTick = 12;

// The push the d-pad gives (each way it holds a full push), added to the
// stick's and kept within a full push.
StickPush PointerPush(const PadState& pads);

}  // namespace kv
