#include "shell/SpaceScene.h"

#include "hud/Hud.h"
#include "platform/Canvas.h"

namespace kv {

void PlaceSpaceWindows(Hud& h)
{
    h.NewGame.Visible = 0;
    h.Market.Visible = 0;
    h.SaveWindow.Visible = 0;
    for (kvWindow* w : {&h.ConsoleWindow, &h.TopBar, &h.PlayerWindow, &h.StarInfo, &h.StarMap}) w->Visible = 1;
    PlaceAtStart(h.ConsoleWindow, ConsoleLayout);
    PlaceAtStart(h.TopBar, TopBarLayout);
    PlaceAtStart(h.PlayerWindow, PlayerWindowLayout);
    PlaceAtStart(h.StarInfo, StarInfoLayout);
    for (kvWindow* w : {&h.TopBar, &h.ConsoleWindow, &h.PlayerWindow, &h.StarInfo}) w->SlideIn = 1;
    h.Scanner.Visible = 0;
}

void ComposeSpace(Game& game)
{
    Canvas(game.BackBuffer).Draw(0, 0, game.scene.SpaceBackground);
    DrawVisibleWindows(game.ui.hud, game.BackBuffer);
}

}  // namespace kv
