#include "shell/PadPointer.h"

#include <algorithm>
#include <cmath>

namespace kv {

namespace {

double Length(StickPush push) { return std::min(std::hypot(push.X, push.Y), 1.0); }

// Adds the move to what was carried and takes the whole pixels out.
Point TakeWholePixels(PadPointer& carry, double dx, double dy)
{
    carry.CarryX += dx;
    carry.CarryY += dy;
    const Point moved{static_cast<int32_t>(std::trunc(carry.CarryX)), static_cast<int32_t>(std::trunc(carry.CarryY))};
    carry.CarryX -= moved.X;
    carry.CarryY -= moved.Y;
    return moved;
}

}  // namespace

Point StepPointer(PadPointer& pointer, StickPush push)
{
    const double length = Length(push);
    if (length == 0) {
        pointer = PadPointer{};
        return {};
    }
    pointer.HeldTicks = std::min(pointer.HeldTicks + 1, RampTicks);
    const double ramp = static_cast<double>(pointer.HeldTicks) / RampTicks;
    const double speed = length * (SlowestPointer + (FastestPointer - SlowestPointer) * ramp);
    return TakeWholePixels(pointer, push.X * speed, push.Y * speed);
}

Point StepMapTurn(PadPointer& carry, StickPush push)
{
    const double length = Length(push);
    if (length == 0) {
        carry = PadPointer{};
        return {};
    }
    return TakeWholePixels(carry, push.X * length * MapTurnPixels, push.Y * length * MapTurnPixels);
}

StickPush PointerPush(const PadState& pads)
{
    StickPush push = pads.LeftStick();
    if (pads.IsDown(PadButton::DpadLeft)) push.X -= 1;
    if (pads.IsDown(PadButton::DpadRight)) push.X += 1;
    if (pads.IsDown(PadButton::DpadUp)) push.Y -= 1;
    if (pads.IsDown(PadButton::DpadDown)) push.Y += 1;
    const double length = std::hypot(push.X, push.Y);
    if (length > 1) push = {push.X / length, push.Y / length};
    return push;
}

}  // namespace kv
