// The key poll of the battle: whether a key is held down at this moment.
#pragma once

#include <cstdint>

#include "platform/Input.h"

namespace kv {

// 1 when the key with this virtual-key code is held, else 0.
uint8_t KeyDown(const KeyState& keys, uint16_t key);

}  // namespace kv
