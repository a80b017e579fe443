// The space scene: the backdrop with the HUD panels over it, its keys and
// the star map on a gamepad.
#pragma once

#include <cstdint>
#include <optional>

#include "game/Game.h"
#include "shell/PadPointer.h"

namespace kv {

// Shows the panels of the scene, puts the four sliding ones off screen and
// starts them sliding in.
void PlaceSpaceWindows(Hud& hud);
// The frame: the backdrop, then every visible window of the table in slot
// order, so a higher slot lies on top.
void ComposeSpace(Game& game);

// The scene's keys: Up adds 10 to the fuel, F6 opens the options window;
// the panel keys and the console key are `action`, the binding of the key's
// place (platform/Bindings.h).
void SpaceKeyDown(Game& game, uint16_t key, std::optional<Action> action);
// "E" and "C", the star map's buttons, by the letter of the player's layout
// while the map is out.
void MapShortcutKeyDown(Game& game, uint16_t key);
// Esc hides the focused panel (never the top bar), End and Home change its
// opacity.
void FocusedWindowKeyDown(Game& game, uint16_t key);
// One tick of the right stick turning the star map and of the shoulders
// zooming it (RB in, LB out), while it is out.
void PadSteersStarMap(Game& game, PadPointer& turnCarry);

}  // namespace kv
