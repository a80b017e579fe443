#include "shell/WindowSlides.h"

#include "hud/Layout.h"
#include "hud/OptionsWindow.h"
#include "hud/SaveWindow.h"

namespace kv {

namespace {

constexpr int Step = 5;
// The save window drops from its hidden place in 20 ticks: a window that is
// needed now, not a panel gliding in.
constexpr int SaveWindowStep = (SaveWindowTop - SaveWindowHiddenTop) / 20;
static_assert((SaveWindowTop - SaveWindowHiddenTop) % 20 == 0, "the save window lands exactly in place");
// The options window drops in the same way.
constexpr int OptionsWindowStep = (OptionsWindowTop - OptionsWindowHiddenTop) / 20;
static_assert((OptionsWindowTop - OptionsWindowHiddenTop) % 20 == 0, "the options window lands exactly in place");

// Where a panel rests on screen and off it along its axis; `direction` is
// the sign of the slide-in move (+1 toward larger coordinates).
struct SlidePath {
    int32_t kvWindow::*Axis;
    int direction;
    int32_t onScreen;
    int32_t offScreen;
    bool slidesOut;
    int step = Step;
};

// Moves toward `stop` while short of it; true when it moved.
bool MoveToward(int32_t& pos, int direction, int32_t stop, int step)
{
    if (direction * pos >= direction * stop) return false;
    pos += direction * step;
    return true;
}

bool Reached(int32_t pos, int direction, int32_t stop) { return direction * pos >= direction * stop; }

bool Slide(kvWindow& w, const SlidePath& path)
{
    int32_t& pos = w.*path.Axis;
    bool moved = false;
    if (w.SlideIn) moved |= MoveToward(pos, path.direction, path.onScreen, path.step);
    if (w.SlideIn && Reached(pos, path.direction, path.onScreen)) w.SlideIn = 0;
    if (!path.slidesOut) return moved;
    if (w.SlideOut) moved |= MoveToward(pos, -path.direction, path.offScreen, path.step);
    if (w.SlideOut && Reached(pos, -path.direction, path.offScreen)) w.SlideOut = 0;
    return moved;
}

}  // namespace

bool SlideOptionsWindow(Hud& hud)
{
    kvWindow& w = hud.OptionsWindow;
    // Hidden some other way (a battle hides every panel), it drops in afresh
    // next time.
    if (w.Visible == 0) {
        w.Top = OptionsWindowHiddenTop;
        w.SlideIn = w.SlideOut = 0;
        return false;
    }
    const SlidePath down{&kvWindow::Top, +1, OptionsWindowTop, OptionsWindowHiddenTop, true, OptionsWindowStep};
    const bool moved = Slide(w, down);
    if (w.SlideIn == 0 && w.SlideOut == 0 && w.Top <= OptionsWindowHiddenTop) w.Visible = 0;
    return moved;
}

bool RunWindowSlides(Hud& hud)
{
    // The console stops at 455, the first place not below 459 on its steps.
    const SlidePath topBar{&kvWindow::Top, +1, TopBarLayout.Shown.Top, TopBarLayout.Start.Top, false};
    const SlidePath console{&kvWindow::Top, -1, 459, ConsoleTuckedTop, true};
    const SlidePath left{&kvWindow::Left, +1, PlayerWindowLayout.Shown.Left, PlayerWindowLayout.Start.Left, true};
    // The ship window stands where the star information does.
    const SlidePath right{&kvWindow::Left, -1, StarInfoLayout.Shown.Left, StarInfoLayout.Start.Left, true};
    const SlidePath down{&kvWindow::Top, +1, SaveWindowTop, SaveWindowHiddenTop, true, SaveWindowStep};
    bool moved = false;
    moved |= Slide(hud.TopBar, topBar);
    moved |= Slide(hud.ConsoleWindow, console);
    moved |= Slide(hud.PlayerWindow, left);
    moved |= Slide(hud.StarInfo, right);
    moved |= Slide(hud.ShipWindow, right);
    moved |= Slide(hud.SaveWindow, down);
    moved |= SlideOptionsWindow(hud);
    return moved;
}

}  // namespace kv
