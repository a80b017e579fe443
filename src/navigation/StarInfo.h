// Picking a destination and going there: a left click on the galaxy view
// selects a star, the star information window (200 x 375) describes it with a
// small wireframe of the star, and "Go!" jumps when the fuel reaches.
//
// Distances and the jump range are in map units. The range is the ship's
// fuel reserve over its engine's consumption; "Go!" is enabled at selection
// when the range reaches the distance, and a jump spends distance x
// consumption of the reserve, after which the hold's "Fuel" units are the
// reserve, rounded, in tens. Jumps take no game time. On arrival about three
// times in ten an ambush throws the ship into combat.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

struct Game;
struct kvGalaxy;
struct kvShip;

// The straight three-dimensional distance between stars a and b (1-based).
double StarDistance(const kvGalaxy& galaxy, uint8_t a, uint8_t b);
// How far the ship's fuel reaches.
double JumpRange(const kvShip& ship);
// "57.443 пк": three decimals and the parsec sign.
std::string DistanceText(double distance);

// Redraws the star information window for star s of the pilot's galaxy, or
// "Nothing is selected" for s = 0.
// Enables "Go!" when the selected star is another one within the jump range.
void OfferJump(Game& game);
void DrawStarInfo(Game& game, uint8_t s);

// The star map's click handler. At the galaxy level a left click within 10
// pixels of a star's centre picks the front-most such star; a click that
// hits none clears the selection. Other buttons and levels change nothing.
void SelectStarAt(Game& game, int16_t x, int16_t y, uint8_t button);

// "Go!": the jump to the selected star. Refused, silently, when nothing is
// selected, when the selection is the star the ship is at, or when the fuel
// no longer reaches.
void Hyperjump(Game& game);

}  // namespace kv
