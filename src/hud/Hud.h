// Building the in-game interface when the player leaves the launcher.
#pragma once

#include "game/Game.h"

namespace kv {

// Builds the frame, the logo, the pointer sprite and the windows the title
// and outro scenes draw, fills the window and sprite tables and blanks the
// frame. A missing picture stops the build with a LoadError naming it.
void BuildHud(Game& game);

}  // namespace kv
