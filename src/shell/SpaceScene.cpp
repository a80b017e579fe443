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
    h.ConsoleWindow.Left = 0;
    h.ConsoleWindow.Top = 600;
    h.TopBar.Left = 0;
    h.TopBar.Top = -115;
    h.PlayerWindow.Left = -200;
    h.PlayerWindow.Top = 80;
    h.StarInfo.Left = 800;
    h.StarInfo.Top = 80;
    for (kvWindow* w : {&h.TopBar, &h.ConsoleWindow, &h.PlayerWindow, &h.StarInfo}) w->SlideIn = 1;
    h.Scanner.Visible = 0;
}

void ComposeSpace(Game& game)
{
    Canvas(game.BackBuffer).Draw(0, 0, game.scene.SpaceBackground);
    DrawVisibleWindows(game.ui.hud, game.BackBuffer);
}

}  // namespace kv
