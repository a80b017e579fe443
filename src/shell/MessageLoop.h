// The game's one loop: events as they come, and between them a tick of the
// fixed 64-a-second clock that every speed of the game is counted in.
#pragma once

#include <string>
#include <vector>

namespace kv {

class TfrmMain;

constexpr int TicksPerSecond = 64;

// Runs until the game is told to end.
void RunMessageLoop(TfrmMain& form);
// Reads the command line, finds the data folder, creates the window and the
// main form, runs the loop and restores the display; returns the process
// exit code: 0, 1 when the game cannot run, 2 for a wrong command line.
int RunGame(const std::vector<std::string>& arguments);

}  // namespace kv
