#include "universe/Market.h"

#include <algorithm>
#include <limits>
#include <string>

#include "game/Game.h"
#include "hud/Hud.h"
#include "hud/PilotWindows.h"
#include "platform/Canvas.h"

namespace kv {

namespace {

constexpr Rgb SelectionBar{0, 0x66, 0};
constexpr int FirstRowY = 45;
constexpr int RowHeight = 15;
constexpr int BuyButtonX = 300;
constexpr int SellButtonX = 320;
constexpr uint16_t MostUnits = std::numeric_limits<uint16_t>::max();

PriceTable& CurrentMarket(Game& game)
{
    return (*game.world.galaxies)[game.world.Pilot.Galaxy].Stars[game.world.Pilot.Star].PriceList;
}

int RowTop(uint8_t row) { return row * RowHeight + 30; }

void PlaceTradeButtons(Game& game)
{
    const int top = RowTop(game.ui.SelectedGoods);
    game.ui.hud.BuyButton.Top = top;
    game.ui.hud.SellButton.Top = top;
}

void DrawColumns(Canvas& face, const PriceListItem& store, const PriceListItem& hold, int y)
{
    face.TextOut(20, y, hold.Goods.Name);
    face.TextOut(140, y, std::to_string(store.BuyPrice));
    face.TextOut(180, y, std::to_string(store.SellPrice));
    face.TextOut(220, y, std::to_string(store.Quantity));
    face.TextOut(270, y, std::to_string(hold.Quantity));
}

// The screens a trade changes.
void ShowTrade(Game& game)
{
    UpdateTradeButtons(game);
    UpdateRanks(game.world.Pilot);
    DrawMarket(game);
    ComposePlayerWindow(game);
    game.RepaintNeeded = 1;
}

}  // namespace

void DrawMarket(Game& game)
{
    kvWindow& market = game.ui.hud.Market;
    LoadFace(market, "Res\\gfx\\hud\\center.bmp");
    Canvas face(market.Face);
    const int barTop = RowTop(game.ui.SelectedGoods);
    market.Face.brush.SetColour(SelectionBar);
    face.Rectangle(15, barTop, 290, barTop + RowHeight);
    market.Face.brush.Style = BrushStyle::Clear;

    face.TextOut(20, 18, "Goods");
    face.TextOut(140, 18, "Buy");
    face.TextOut(180, 18, "Sell");
    face.TextOut(220, 18, "Store");
    face.TextOut(270, 18, "Hold");
    const PriceTable& store = CurrentMarket(game);
    for (uint8_t i = 1; i <= GoodsCount; ++i) DrawColumns(face, store[i], game.world.Pilot.Cargo[i], RowTop(i));
    DrawVisibleItems(market);
}

void SelectMarketRow(Game& game, int16_t, int16_t y, uint8_t)
{
    if (y < FirstRowY || y >= FirstRowY + static_cast<int>(GoodsCount) * RowHeight) return;
    game.ui.SelectedGoods = static_cast<uint8_t>((y - FirstRowY) / RowHeight + 1);
    PlaceTradeButtons(game);
    UpdateTradeButtons(game);
    DrawMarket(game);
    game.RepaintNeeded = 1;
}

void UpdateTradeButtons(Game& game)
{
    const PriceListItem& store = CurrentMarket(game)[game.ui.SelectedGoods];
    const PriceListItem& hold = game.world.Pilot.Cargo[game.ui.SelectedGoods];
    const bool canBuy = store.Quantity != 0 && store.SellPrice <= game.world.Pilot.Cash && hold.Quantity < MostUnits;
    const bool canSell = hold.Quantity != 0 && store.Quantity < MostUnits &&
                         int64_t{game.world.Pilot.Cash} + store.BuyPrice <= std::numeric_limits<int32_t>::max();
    game.ui.hud.BuyButton.Enabled = canBuy ? 1 : 0;
    game.ui.hud.SellButton.Enabled = canSell ? 1 : 0;
}

void BuyOne(Game& game)
{
    const uint8_t k = game.ui.SelectedGoods;
    PriceListItem& store = CurrentMarket(game)[k];
    const int32_t price = store.SellPrice;
    game.world.Pilot.TradePoints += price / 10.0L;
    game.world.Pilot.Cash -= price;
    --store.Quantity;
    ++game.world.Pilot.Cargo[k].Quantity;
    if (k == FuelGoods) game.world.Ship.Fuel += FuelPerUnit;
    ShowTrade(game);
}

void SellOne(Game& game)
{
    const uint8_t k = game.ui.SelectedGoods;
    PriceListItem& store = CurrentMarket(game)[k];
    game.world.Pilot.TradePoints += store.SellPrice;
    game.world.Pilot.Cash += store.BuyPrice;
    ++store.Quantity;
    --game.world.Pilot.Cargo[k].Quantity;
    // A reserve that the hold's units overstate never goes below empty.
    if (k == FuelGoods) game.world.Ship.Fuel = std::max(0.0, game.world.Ship.Fuel - FuelPerUnit);
    ShowTrade(game);
}

}  // namespace kv
