// Picking a destination and going there: a left click on the galaxy view
// selects a star, the star information window (200 x 375) describes it with a
// small wireframe of the star, and "Go!" jumps when the fuel reaches (the
// jump itself is universe/Jump's rule). "Go!" is enabled at selection when
// the range reaches the distance; an ambush on arrival throws the ship into
// combat.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

struct Game;

// "57.443 пк": three decimals and the parsec sign.
std::string DistanceText(double distance);

// Redraws the star information window for star s of the pilot's galaxy, or
// "Nothing is selected" for s = 0; "Go!" is lit when s is the selected star,
// another one within the jump range.
void DrawStarInfo(Game& game, uint8_t s);
// Marks the window to describe star s, or nothing for s = 0 (and then "Go!"
// goes dark).
void ShowStar(Game& game, uint8_t s);

// The star map's click handler. At the galaxy level a left click within 10
// pixels of a star's centre picks the front-most such star; a click that
// hits none clears the selection. Other buttons and levels change nothing.
void SelectStarAt(Game& game, int16_t x, int16_t y, uint8_t button);

// "Go!": the jump to the selected star. Refused, silently, when nothing is
// selected, when the selection is the star the ship is at, or when the fuel
// no longer reaches.
void JumpToSelectedStar(Game& game);

// A career's galactic jump has put the ship in another galaxy: the new star
// is selected and described, the panels follow and the game is autosaved.
void OnGalacticArrival(Game& game);

}  // namespace kv
