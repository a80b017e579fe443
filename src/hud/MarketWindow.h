// The market window: the twelve goods with the current star's prices, its
// store and the hold, a selection bar, and "+" and "-" to trade one unit of
// the selected goods (the trades themselves are universe/Market's rules).
#pragma once

#include <cstdint>

namespace kv {

struct Game;

// Redraws the market window's bitmap from the current state.
void DrawMarket(Game& game);
// The window's click handler: y 42..305 selects row (y - 42) div 22 + 1, the
// row whose band (its text's 16 pixels and 3 either side) holds the click.
void SelectMarketRow(Game& game, int16_t x, int16_t y, uint8_t button);
// "+" and "-": one unit of the selected goods.
void BuyButtonClick(Game& game);
void SellButtonClick(Game& game);
// Sets "+" and "-" enabled exactly when the trade is possible. Composing the
// market runs it, so whatever changes the current star, the cash or the hold
// marks the market.
void UpdateTradeButtons(Game& game);

}  // namespace kv
