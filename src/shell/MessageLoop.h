// The game's one loop: events as they come, and between them a tick of the
// fixed 64-a-second clock that every speed of the game is counted in.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Input.h"

namespace kv {

class TfrmMain;

constexpr int TicksPerSecond = 64;
// Events read after a tick before the next one may run.
constexpr int MostEventsAfterATick = 64;

// What the loop drives: the game's end, its tick, the window's events
// (waiting up to the given milliseconds) and their handler, and the clock.
struct LoopParts {
    std::function<bool()> Ended;
    std::function<void()> Tick;
    std::function<std::optional<InputEvent>(int timeoutMs)> NextEvent;
    std::function<void(const InputEvent&)> Dispatch;
    std::function<std::chrono::steady_clock::time_point()> Now;
};

// Runs until the game is told to end.
void RunLoop(const LoopParts& parts);
void RunMessageLoop(TfrmMain& form);
// Reads the command line, finds the data folder, creates the window and the
// main form, runs the loop and restores the display; returns the process
// exit code: 0, 1 when the game cannot run, 2 for a wrong command line.
int RunGame(const std::vector<std::string>& arguments);

}  // namespace kv
