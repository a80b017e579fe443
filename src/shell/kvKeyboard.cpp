#include "shell/kvKeyboard.h"

namespace kv {

uint8_t KeyDown(const KeyState& keys, uint16_t key) { return keys.IsDown(key) ? 1 : 0; }

}  // namespace kv
