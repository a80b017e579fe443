// Building the in-game interface when the player leaves the launcher, and
// the top bar: its buttons open and close the panels, control the music and
// switch the windows' transparency.
#pragma once

#include <string>

#include "game/Game.h"
#include "hud/Layout.h"

namespace kv {

// Builds the console, every window, button and edit field with its image,
// caption, rectangle and handler, the window and sprite tables, the logo and
// the pointer, and composes the screens once. A missing picture, or one
// whose size differs from its window's, stops the build with a LoadError
// naming the file.
void BuildHud(Game& game);

// Loads a window's background, refusing a picture of another size.
Bitmap LoadFacePicture(const kvWindow& window, const std::string& path);
// The same, painted onto the window's face.
void LoadFace(kvWindow& window, const std::string& path);

// Puts the window at its layout's starting place: off the screen for a
// panel that slides in.
void PlaceAtStart(kvWindow& window, const WindowLayout& layout);

// A hidden window of the centre as its layout places it, on the centre
// panels' background, whose clicks go to `onClick`: the save, options and
// contracts windows.
void MakeCentreWindow(Game& game, kvWindow& window, const WindowLayout& layout, ClickHandler onClick);

// Portrait 1..7 as the HUD's build loaded it; an empty picture for any
// other number.
const Bitmap& Portrait(const Hud& hud, int avatar);

// Every visible window of the window table onto a frame, slot 1 first.
void DrawVisibleWindows(const Hud& hud, Bitmap& frame);

// Composes every marked panel and clears the marks; sets RepaintNeeded when
// any was marked. The star map comes before the panels that follow the
// ship's fit, the ship window before the player window that shows the jump
// limit its engine gives.
void ComposeMarkedPanels(Game& game);

void ComposeTopBar(Game& game);
void UpdateSoundButton(Game& game);

// The centre holds one panel: the star map or the market coming in leaves
// no new-game, save, options or contracts window standing over it.
void ClearCentre(Game& game);
// A centre window coming in: the centre cleared, the star map and the
// market sent away, the window shown with the keyboard focus.
void TakeCentre(Game& game, kvWindow& window);

// The top bar's handlers, also reached by the function keys.
void ToggleStarMap(Game& game);
void ToggleMarket(Game& game);
void TogglePlayerWindow(Game& game);
void ToggleStarInfo(Game& game);
void ToggleShipWindow(Game& game);
void ToggleConsole(Game& game);
void PauseOrResumeMusic(Game& game);
void PreviousTrack(Game& game);
void NextTrack(Game& game);
void CycleTransparency(Game& game);

}  // namespace kv
