#include "platform/Input.h"

namespace kv {

void KeyState::Apply(const InputEvent& event)
{
    if (const auto* down = std::get_if<KeyDownEvent>(&event)) Set(down->Key, true);
    if (const auto* up = std::get_if<KeyUpEvent>(&event)) Set(up->Key, false);
}

}  // namespace kv
