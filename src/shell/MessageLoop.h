// The game's one loop: events as they come, and between them a tick of the
// fixed 64-a-second clock that every speed of the game is counted in.
#pragma once

namespace kv {

class TfrmMain;

constexpr int TicksPerSecond = 64;

// Runs until the game is told to end.
void RunMessageLoop(TfrmMain& form);
// Creates the window and the main form, runs the loop and restores the
// display; returns the process exit code.
int RunGame();

}  // namespace kv
