// The sliding HUD panels of the space scene: 5 pixels a tick (the save and
// options windows 22) toward their
// place on screen (SlideIn) or off it (SlideOut). Toggling a panel flips both
// flags, so a resting panel crosses to the other end and a moving one turns
// back where it is.
#pragma once

#include "game/Game.h"

namespace kv {

// One tick of every slide, in the order top bar, console, player, star
// information, ship, save window, options window; for each: the slide-in move,
// its end test, the slide-out move, its end test. Returns true when anything
// moved.
bool RunWindowSlides(Hud& hud);
// The options window's slide alone, for the title scene, where it is the
// only panel; once it is back up it is hidden.
bool SlideOptionsWindow(Hud& hud);

}  // namespace kv
