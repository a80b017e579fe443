// The space scene: the backdrop with the HUD panels over it.
#pragma once

#include "game/Game.h"

namespace kv {

// Shows the panels of the scene, puts the four sliding ones off screen and
// starts them sliding in.
void PlaceSpaceWindows(Hud& hud);
// The frame: the backdrop, then every visible window of the table in slot
// order, so a higher slot lies on top.
void ComposeSpace(Game& game);

}  // namespace kv
