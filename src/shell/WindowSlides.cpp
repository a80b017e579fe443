#include "shell/WindowSlides.h"

#include "hud/SaveWindow.h"

namespace kv {

namespace {

constexpr int Step = 5;

// Where a panel rests on screen and off it along its axis; `direction` is
// the sign of the slide-in move (+1 toward larger coordinates).
struct SlidePath {
    int32_t kvWindow::*Axis;
    int direction;
    int32_t onScreen;
    int32_t offScreen;
    bool slidesOut;
};

// Moves toward `stop` while short of it; true when it moved.
bool MoveToward(int32_t& pos, int direction, int32_t stop)
{
    if (direction * pos >= direction * stop) return false;
    pos += direction * Step;
    return true;
}

bool Reached(int32_t pos, int direction, int32_t stop) { return direction * pos >= direction * stop; }

bool Slide(kvWindow& w, const SlidePath& path)
{
    int32_t& pos = w.*path.Axis;
    bool moved = false;
    if (w.SlideIn) moved |= MoveToward(pos, path.direction, path.onScreen);
    if (w.SlideIn && Reached(pos, path.direction, path.onScreen)) w.SlideIn = 0;
    if (!path.slidesOut) return moved;
    if (w.SlideOut) moved |= MoveToward(pos, -path.direction, path.offScreen);
    if (w.SlideOut && Reached(pos, -path.direction, path.offScreen)) w.SlideOut = 0;
    return moved;
}

}  // namespace

bool RunWindowSlides(Hud& hud)
{
    // The console stops at 455, the first place not below 459 on its steps.
    const SlidePath topBar{&kvWindow::Top, +1, 0, -115, false};
    const SlidePath console{&kvWindow::Top, -1, 459, 575, true};
    const SlidePath left{&kvWindow::Left, +1, 0, -200, true};
    const SlidePath right{&kvWindow::Left, -1, 600, 800, true};
    const SlidePath down{&kvWindow::Top, +1, SaveWindowTop, SaveWindowHiddenTop, true};
    bool moved = false;
    moved |= Slide(hud.TopBar, topBar);
    moved |= Slide(hud.ConsoleWindow, console);
    moved |= Slide(hud.PlayerWindow, left);
    moved |= Slide(hud.StarInfo, right);
    moved |= Slide(hud.ShipWindow, right);
    moved |= Slide(hud.SaveWindow, down);
    return moved;
}

}  // namespace kv
