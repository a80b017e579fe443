#include "hud/MarketWindow.h"

#include <string>

#include "game/Game.h"
#include "hud/Hud.h"
#include "platform/Canvas.h"
#include "universe/Market.h"

namespace kv {

namespace {

// The twelve rows share the window's height down to its lower frame: each
// row's text 22 pixels below the last, in a band from 3 pixels above its text
// to 3 below, which the selection bar fills and a click picks.
constexpr int FirstRowTop = 45;
constexpr int RowPitch = 22;
constexpr int BandAbove = 3;
constexpr int FirstBandTop = FirstRowTop - BandAbove;

int RowTop(uint8_t row) { return FirstRowTop + (row - 1) * RowPitch; }

// The columns: the goods' names from the left, the numbers right-aligned
// under the right end of their headings.
constexpr int NameLeft = 20;
constexpr int BarLeft = 15, BarRight = 296;
struct NumberColumn {
    const char* Heading;
    int Right;
};
constexpr NumberColumn BuyColumn{"Buy", 168}, SellColumn{"Sell", 210}, StoreColumn{"Store", 254},
    HoldColumn{"Hold", 292};

void PlaceTradeButtons(Game& game)
{
    const int top = RowTop(game.ui.SelectedGoods);
    game.ui.hud.BuyButton.Top = top;
    game.ui.hud.SellButton.Top = top;
}

void RightAligned(Canvas& face, const NumberColumn& column, int y, const std::string& text)
{
    face.TextOut(column.Right - face.TextWidth(text), y, text);
}

void DrawColumns(Canvas& face, const PriceListItem& store, const PriceListItem& hold, int y)
{
    face.TextOut(NameLeft, y, hold.Goods.Name);
    RightAligned(face, BuyColumn, y, std::to_string(store.BuyPrice));
    RightAligned(face, SellColumn, y, std::to_string(store.SellPrice));
    RightAligned(face, StoreColumn, y, std::to_string(store.Quantity));
    RightAligned(face, HoldColumn, y, std::to_string(hold.Quantity));
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
    const int barTop = RowTop(game.ui.SelectedGoods) - BandAbove;
    market.Face.brush.SetColour(SelectionBar);
    market.Face.pen.Colour = SelectionBar;
    face.Rectangle(BarLeft, barTop, BarRight, barTop + RowPitch);
    market.Face.brush.Style = BrushStyle::Clear;

    face.TextOut(NameLeft, 18, "Goods");
    for (const NumberColumn& column : {BuyColumn, SellColumn, StoreColumn, HoldColumn})
        RightAligned(face, column, 18, column.Heading);
    const PriceTable& store = CurrentMarket(game.world);
    for (uint8_t i = 1; i <= GoodsCount; ++i) DrawColumns(face, store[i], game.world.Pilot.Cargo[i], RowTop(i));
    DrawVisibleItems(market);
}

void SelectMarketRow(Game& game, int16_t, int16_t y, uint8_t)
{
    if (y < FirstBandTop || y >= FirstBandTop + static_cast<int>(GoodsCount) * RowPitch) return;
    game.ui.SelectedGoods = static_cast<uint8_t>((y - FirstBandTop) / RowPitch + 1);
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
