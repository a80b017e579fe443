// The options window: the music's and the effects' volumes, sound on or
// off, whether sound stops while another window has the keys, fullscreen,
// the scaling style and the window scale. It opens in the middle of the
// space scene (F6, or the console's "options") in place of the star map or
// the market, over the title scene (F6), and from the "Paused" mark (a
// click on it, or F6 while paused), and takes the keyboard focus; Esc or F6
// closes it. It drops in from above the screen and goes back up as the save
// window does (shell/WindowSlides.h), and is hidden once it is up there.
//
// A click on a row changes it: on a volume, the left half of its value
// takes 10 % away and the right half adds 10 % (a right click always takes
// away); on the window scale the same by one step; any other row flips.
// Changes are applied at once and remembered (PlayerOptions).
//
// "Controls >" turns to the battle's controls: each action with its two
// keys. A click on a key waits for the next key pressed, which takes its
// place; Delete unbinds it and Esc keeps it; a key that another action
// holds is refused with a line naming that action. "Defaults" gives every
// action its first keys and buttons back. "Gamepad >" turns to the same
// for the gamepad's buttons (the next button pressed takes the place), and
// the sticks' dead zone, stepped by 5 %; "Window and panel keys >" to the
// keys of pause, fullscreen, the panels F1-F5 and the console. The spawn
// keys, N and M, and F6 stay fixed and are not listed.
#pragma once

#include <cstdint>

#include "hud/Layout.h"
#include "platform/Input.h"

namespace kv {

struct Game;

constexpr int OptionsWindowTop = CentrePlace.Top;
constexpr int OptionsWindowHiddenTop = -360;

void BuildOptionsWindow(Game& game);
// Out, or on its way in; not while it goes back up.
bool OptionsWindowShown(const Game& game);
void OpenOptionsWindow(Game& game);
void CloseOptionsWindow(Game& game);
// F6: opens the window, or closes it when it is out.
void ToggleOptionsWindow(Game& game);
void ComposeOptionsWindow(Game& game);
void ClickOptionsWindow(Game& game, int16_t x, int16_t y, uint8_t button);
// A key (by its place) while a binding waits for one; false, doing
// nothing, otherwise.
bool OptionsKeyDown(Game& game, uint16_t key);
// Whether a binding waits for a key: the window's own keys (Pause, F11)
// are then taken as the binding.
bool OptionsWaitForKey(const Game& game);
// A gamepad's button while a binding on the gamepad's page waits for one;
// false, doing nothing, otherwise.
bool OptionsPadDown(Game& game, PadButton button);

}  // namespace kv
