// The sliding HUD panels of the space scene: 5 pixels a tick (the save window
// 22) toward their
// place on screen (SlideIn) or off it (SlideOut). Toggling a panel flips both
// flags, so a resting panel crosses to the other end and a moving one turns
// back where it is.
#pragma once

#include "game/Game.h"

namespace kv {

// One tick of every slide, in the order top bar, console, player, star
// information, ship, save window; for each: the slide-in move, its end test, the
// slide-out move, its end test. Returns true when anything moved.
bool RunWindowSlides(Hud& hud);

}  // namespace kv
