#include "hud/MarketWindow.h"

#include <string>

#include "game/Game.h"
#include "hud/Hud.h"
#include "platform/Canvas.h"
#include "universe/Market.h"

namespace kv {

namespace {

constexpr int FirstRowY = 45;
constexpr int RowHeight = 15;

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

// The panels a trade changes.
void ShowTrade(Game& game)
{
    game.ui.Marked.Market = true;
    game.ui.Marked.PlayerWindow = true;
}

}  // namespace

void DrawMarket(Game& game)
{
    kvWindow& market = game.ui.hud.Market;
    UpdateTradeButtons(game);
    PaintFace(market.Face, game.ui.hud.CentreFace);
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
    const PriceTable& store = CurrentMarket(game.world);
    for (uint8_t i = 1; i <= GoodsCount; ++i) DrawColumns(face, store[i], game.world.Pilot.Cargo[i], RowTop(i));
    DrawVisibleItems(market);
}

void SelectMarketRow(Game& game, int16_t, int16_t y, uint8_t)
{
    if (y < FirstRowY || y >= FirstRowY + static_cast<int>(GoodsCount) * RowHeight) return;
    game.ui.SelectedGoods = static_cast<uint8_t>((y - FirstRowY) / RowHeight + 1);
    PlaceTradeButtons(game);
    game.ui.Marked.Market = true;
}

void UpdateTradeButtons(Game& game)
{
    game.ui.hud.BuyButton.Enabled = CanBuy(game.world, game.ui.SelectedGoods) ? 1 : 0;
    game.ui.hud.SellButton.Enabled = CanSell(game.world, game.ui.SelectedGoods) ? 1 : 0;
}

void BuyButtonClick(Game& game)
{
    BuyOne(game.world, game.ui.SelectedGoods);
    ShowTrade(game);
}

void SellButtonClick(Game& game)
{
    SellOne(game.world, game.ui.SelectedGoods);
    ShowTrade(game);
}

}  // namespace kv
