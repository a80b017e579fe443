// The save window: the autosave slot and slots 1..8, each with its pilot,
// rank, cash, star and galaxy, game date and time of saving, or "Empty",
// "Damaged" or "Newer version". It drops into the centre from the top bar's
// "Save" or "Load" in 20 ticks, opaque over what lies beneath, and takes the
// keyboard focus. Saving into an
// occupied slot asks once, in the window; loading replaces the whole world
// in one step after the file has been read and checked whole, then redraws
// every panel.
#pragma once

#include <cstdint>

#include "hud/Layout.h"

namespace kv {

struct Game;

constexpr int SaveWindowTop = CentrePlace.Top;
constexpr int SaveWindowHiddenTop = -360;

// Makes the window (350 x 350, hidden) and its picture's checks.
void BuildSaveWindow(Game& game);

// True while the window is out or sliding in: then Esc closes it, whatever
// was clicked last.
bool SaveWindowShown(const Game& game);
// True once it has landed: only then do its slots take clicks and keys.
bool SaveWindowInPlace(const Game& game);

// "Save" and "Load": reads the slots and slides the window in for saving or
// loading, in place of the star map or the market; pressed again for the
// same, closes it.
void OpenSaveWindow(Game& game, bool saving);
// Slides the window away and shows again the centre panel it replaced.
void CloseSaveWindow(Game& game);
void ComposeSaveWindow(Game& game);
// The window's click handler: the slot under y is saved into or loaded.
void ClickSaveWindow(Game& game, int16_t x, int16_t y, uint8_t button);
// The window holds the keyboard while it is out: a slot's number (0 the
// autosave) acts as a click on its row, Enter answers the question about
// saving over a slot, and Esc closes the window. Other keys do nothing.
void SaveWindowKeyDown(Game& game, uint16_t key);

// Loads slot 0..8 (its backup where the window offers it) and tells the
// console "Game loaded" with the slot, or why it cannot be loaded; a slot
// that cannot be loaded changes nothing. True when it was loaded.
bool LoadFromSlot(Game& game, int slot);

}  // namespace kv
