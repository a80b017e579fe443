// The contracts window of a career game: the delivery contracts offered at
// the current star and those the pilot has accepted, each with its goods,
// destination, date, reward and deposit. A click on an offer accepts it, as
// the console's "accept N" does. It opens in the middle of the space scene
// (F7) in place of the star map, the market and the options, and takes the
// keyboard focus; Esc or F7 closes it. A classic game has no contracts: F7
// says so in the console.
#pragma once

#include <cstdint>

namespace kv {

struct Game;

void BuildContractsWindow(Game& game);
bool ContractsWindowShown(const Game& game);
void CloseContractsWindow(Game& game);
// F7: opens the window, or closes it when it is out.
void ToggleContractsWindow(Game& game);
void ComposeContractsWindow(Game& game);
void ClickContractsWindow(Game& game, int16_t x, int16_t y, uint8_t button);

}  // namespace kv
