#include "universe/Player.h"

#include "game/Game.h"
#include "hud/PilotWindows.h"
#include "navigation/StarInfo.h"
#include "navigation/StarMap.h"
#include "platform/BmpFile.h"
#include "universe/Market.h"

namespace kv {

namespace {

uint8_t RankFor(long double points)
{
    for (std::size_t i = RankThresholds.size(); i-- > 0;)
        if (points >= RankThresholds[i]) return static_cast<uint8_t>(i);
    return 0;
}

void ResetMapView(MapView& map)
{
    map.MapTilt = 0;
    map.MapSpin = 0;
    map.MapZoom = 1.0;
    map.ShowAxes = true;
}

void ResetPilot(kvPlayer& pilot, const GoodsTable& goods)
{
    pilot.TradeRank = 0;
    pilot.CombatRank = 0;
    pilot.TradePoints = 0;
    pilot.CombatPoints = 0;
    pilot.Cash = StartCash;
    pilot.Score = 0;
    pilot.Galaxy = 1;
    pilot.Star = 1;
    pilot.Reserved = 1;
    pilot.GameDate = StartDate;
    for (std::size_t k = 1; k <= GoodsCount; ++k) {
        pilot.Cargo[k].Goods = goods[k];
        pilot.Cargo[k].Quantity = 0;
    }
    pilot.Cargo[FuelGoods].Quantity = StartFuelUnits;
}

void RefitShip(kvShip& ship, const ShipCatalogue& equipment)
{
    ship.Engine = equipment.EngineCatalogue[1];
    ship.WeaponSlot = 1;
    ship.Weapons[1] = equipment.WeaponCatalogue[1];
    ship.Fuel = StartFuelUnits * FuelPerUnit;
}

}  // namespace

void UpdateRanks(kvPlayer& pilot)
{
    pilot.TradeRank = RankFor(pilot.TradePoints);
    pilot.CombatRank = RankFor(pilot.CombatPoints);
}

void InitPlayer(Game& game)
{
    ResetMapView(game.ui.map);
    ResetPilot(game.world.Pilot, game.world.Goods);
    game.ui.SelectedStar = game.world.Pilot.Star;
    RefitShip(game.world.Ship, game.world.Equipment);
    if (game.world.Pilot.Cargo[game.ui.SelectedGoods].Quantity == 0) game.ui.hud.SellButton.Enabled = 0;
}

void StartWorld(Game& game)
{
    InitPlayer(game);
    GenerateGalaxies(*game.world.galaxies, game.world.Goods, game.world.random);
    game.ui.map.AxisVectors = MapView{}.AxisVectors;
    UpdateTradeButtons(game);
    game.ui.Console.Add("World initialised", MessageKind::Information);
}

void LoadPortrait(uint8_t avatar, Bitmap& portrait)
{
    LoadBmp("Res\\gfx\\avatar\\avatar" + std::to_string(avatar) + ".bmp", portrait);
}

void StartNewGame(Game& game)
{
    StartWorld(game);
    kvPlayer& pilot = game.world.Pilot;
    pilot.Avatar = static_cast<uint8_t>(game.ui.newGameChoices.AvatarChoice);
    pilot.Name = game.ui.hud.NameEdit.Text;
    pilot.Class = static_cast<uint8_t>(game.ui.newGameChoices.SpecialisationChoice);
    game.world.Difficulty = static_cast<uint8_t>(game.ui.newGameChoices.DifficultyChoice);
    LoadPortrait(pilot.Avatar, game.ui.hud.PlayerAvatar);

    ComposePlayerWindow(game);
    DrawStarMap(game);
    DrawMarket(game);
    // The old world's star may still be described, and "Go!" still offered
    // for it: show the new home, where there is nowhere to go yet.
    game.ui.hud.GoButton.Enabled = 0;
    DrawStarInfo(game, game.ui.SelectedStar);
    game.ui.hud.NewGame.Visible = 0;
    game.ui.Console.Add("Space Navigation Center on Planet Earth: Welcome, " + pilot.Name, MessageKind::Mail);
    game.ui.hud.PlayerWindow.SlideIn = 1;
    game.ui.hud.PlayerWindow.SlideOut = 0;
    game.ui.hud.StarMap.Visible = 1;
    game.RepaintNeeded = 1;
}

}  // namespace kv
