#include "shell/SpaceScene.h"

#include "console/Console.h"
#include "hud/ContractsWindow.h"
#include "hud/Hud.h"
#include "hud/OptionsWindow.h"
#include "hud/PilotWindows.h"
#include "navigation/StarInfo.h"
#include "navigation/StarMap.h"
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

// The star map's "E" and "C" buttons have their letters as keys too, by the
// letter the player's layout gives, while the map is out and nothing is
// being typed.
void MapShortcutKeyDown(Game& game, uint16_t key)
{
    if (!game.ui.hud.StarMap.Visible) return;
    if (key == 'E') ToggleEcliptic(game);
    if (key == 'C') ToggleAxes(game);
}

// Up adds fuel, F6 opens the options window and F7 the contracts; the
// panel keys and the console key are the player's bindings.
void SpaceKeyDown(Game& game, uint16_t key, std::optional<Action> action)
{
    Hud& h = game.ui.hud;
    if (key == vk::Up) {
        game.world.Ship.Fuel += 10;
        game.ui.Marked.PlayerWindow = true;
    }
    if (key == vk::F6) ToggleOptionsWindow(game);
    if (key == vk::F7) ToggleContractsWindow(game);
    if (!action) return;
    switch (*action) {
    case Action::StarMap:
        ClearCentre(game);
        h.StarMap.Visible = h.StarMap.Visible ? 0 : 1;
        ShowStar(game, h.StarMap.Visible ? game.ui.SelectedStar : 0);
        if (h.StarMap.Visible) h.Market.Visible = 0;
        break;
    case Action::PlayerPanel: TogglePlayerWindow(game); break;
    case Action::StarInfoPanel: ToggleStarInfo(game); break;
    case Action::ShipPanel: ToggleShipWindow(game); break;
    case Action::Market:
        ClearCentre(game);
        h.Market.Visible = h.Market.Visible ? 0 : 1;
        if (h.Market.Visible) h.StarMap.Visible = 0;
        break;
    case Action::Console:
        h.ConsoleEdit.Text.clear();
        h.ConsoleEdit.Visible = h.ConsoleEdit.Visible ? 0 : 1;
        h.FocusedItem = h.ConsoleEdit.Visible ? &h.ConsoleEdit : nullptr;
        ComposeConsole(h.ConsoleWindow, h.ConsoleEdit, game.ui.Console);
        break;
    default: break;
    }
}

// Esc, End and Home act on a focused panel itself, never on a focused item.
void FocusedWindowKeyDown(Game& game, uint16_t key)
{
    kvWindow* w = game.ui.hud.FocusedItem;
    if (w == nullptr || w->Kind != WidgetKind::Window) return;
    // The top bar holds the way back to the title and the buttons that bring
    // every panel back: Esc never hides it. The options window goes back up.
    if (key == vk::Escape && w == &game.ui.hud.OptionsWindow) CloseOptionsWindow(game);
    else if (key == vk::Escape && w != &game.ui.hud.TopBar) w->Visible = 0;
    if (key == vk::End && w->Alpha > 0) --w->Alpha;
    if (key == vk::Home && w->Alpha < 256) ++w->Alpha;
}

void PadSteersStarMap(Game& game, PadPointer& turnCarry)
{
    if (game.ui.hud.StarMap.Visible != 1) return;
    const Point turn = StepMapTurn(turnCarry, game.Pads.RightStick());
    if (turn.X != 0 || turn.Y != 0) {
        TurnStarMap(game, turn.X, turn.Y);
        game.ui.Marked.ShipWindow = true;
        game.RepaintNeeded = 1;
    }
    const int zoom = (game.Pads.IsDown(PadButton::RightShoulder) ? 1 : 0) - (game.Pads.IsDown(PadButton::LeftShoulder) ? 1 : 0);
    if (zoom != 0) {
        WheelZoom(game, zoom * ShoulderZoomPerTick);
        game.RepaintNeeded = 1;
    }
}

}  // namespace kv
