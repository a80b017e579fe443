// The scenario runner: plays a script of input through the same handlers the
// window's events reach, ticks the real game loop without sleeping, and
// writes chosen frames as PNG files. One command a line:
//
//   tick [N]                  N ticks of the game clock (default 1)
//   move X Y                  the pointer moves to (X, Y)
//   click X Y [BUTTON]        move, press and release (left, right, middle)
//   press X Y [BUTTON]        press only; release X Y [BUTTON] releases
//   wheel DELTA               the wheel turns (120 a notch)
//   key KEY [MOD...]          a key pressed and released (MOD: shift ctrl alt)
//   hold KEY / let KEY        a key held down / released
//   pad BUTTON                a gamepad button pressed and released
//   padhold BUTTON / padlet BUTTON   held down / released (A B X Y Start
//                             LB RB LT RT DpadUp ... StickLeft ... Joy1..16)
//   stick left|right X Y      a stick pushed to X, Y per cent (-100..100,
//                             down and right positive); 0 0 lets it go
//   plug in|out               a gamepad plugged in or pulled out
//   type TEXT                 text typed one character at a time (UTF-8), as
//                             the desktop's text input gives it
//   shot NAME                 the window's picture saved as NAME.png
//   scene N                   the scene switch to N (2 starts a battle)
//   seed N                    every later seeding takes N and the console's
//                             clock and the time of saving stop: the run
//                             replays byte for byte
//   focus on|off              the window gains or loses the keyboard focus
//   minimise on|off           the window is minimised or restored
//
// KEY is a virtual-key code, a letter or digit, or a name: Esc Enter Back
// Space Tab Up Down Left Right Home End Grave Shift Ctrl Alt Pause CapsLock
// Equals Minus F1..F12.
// Blank lines and lines starting with "#" are skipped.
#pragma once

#include <string>
#include <vector>

namespace kv {

class TfrmMain;

class ScenarioRunner {
public:
    // A game that has no saves folder yet saves into "saves" in the frame
    // folder, never into the player's own.
    ScenarioRunner(TfrmMain& form, std::string frameFolder);
    // Runs every line; a line the runner does not understand throws
    // std::invalid_argument naming the line.
    void Run(const std::vector<std::string>& script);
    void RunLine(const std::string& line);
    const std::vector<std::string>& FramesWritten() const { return frames_; }

private:
    TfrmMain& form_;
    std::string folder_;
    std::vector<std::string> frames_;
};

// The virtual-key code of a key name, or 0 when there is none.
uint16_t KeyCodeByName(const std::string& name);

}  // namespace kv
