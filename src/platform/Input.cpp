#include "platform/Input.h"

#include <algorithm>
#include <cmath>

namespace kv {

void KeyState::Apply(const InputEvent& event)
{
    if (const auto* down = std::get_if<KeyDownEvent>(&event)) Set(down->Key, true);
    if (const auto* up = std::get_if<KeyUpEvent>(&event)) Set(up->Key, false);
}

StickPush PastDeadZone(int16_t x, int16_t y, int deadZonePercent)
{
    // -32768 and 32767 are both a full push.
    const double px = std::max(x / 32767.0, -1.0);
    const double py = std::max(y / 32767.0, -1.0);
    const double length = std::hypot(px, py);
    const double zone = std::clamp(deadZonePercent, 0, 100) / 100.0;
    if (length <= zone || zone >= 1) return {};
    const double scaled = std::min((length - zone) / (1 - zone), 1.0);
    return {px / length * scaled, py / length * scaled};
}

bool PadState::IsDown(PadButton button) const
{
    const auto index = static_cast<std::size_t>(button);
    return button != PadButton::None && index < held_.size() && held_[index];
}

StickPush PadState::LeftStick() const
{
    return PastDeadZone(Axis(PadAxis::LeftX), Axis(PadAxis::LeftY), DeadZonePercent);
}

StickPush PadState::RightStick() const
{
    return PastDeadZone(Axis(PadAxis::RightX), Axis(PadAxis::RightY), DeadZonePercent);
}

void PadState::Apply(const InputEvent& event)
{
    if (const auto* button = std::get_if<PadButtonEvent>(&event)) {
        const auto index = static_cast<std::size_t>(button->Button);
        if (index < held_.size()) held_[index] = button->Down;
    }
    if (const auto* axis = std::get_if<PadAxisEvent>(&event)) axes_[static_cast<std::size_t>(axis->Axis)] = axis->Value;
    // A pad pulled out lets go of everything it held.
    if (const auto* device = std::get_if<PadDeviceEvent>(&event); device != nullptr && !device->Added) Clear();
}

void PadState::Clear()
{
    held_.fill(false);
    axes_.fill(0);
}

}  // namespace kv
