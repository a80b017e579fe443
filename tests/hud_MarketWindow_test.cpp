// Trading at the current star: row selection, the buttons' rules and the
// trades themselves, on a freshly built HUD and world.
#include "hud/MarketWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <utility>

#include "game/Game.h"
#include "hud/Hud.h"
#include "platform/Window.h"
#include "shell/Scenario.h"
#include "shell/UnitMain.h"
#include "support/Roads.h"
#include "universe/Market.h"

namespace {

class Market : public ::testing::Test {
protected:
    void SetUp() override { kv::BuildHud(game); }

    kv::PriceListItem& Store(uint8_t k)
    {
        return (*game.world.galaxies)[game.world.Pilot.Galaxy].Stars[game.world.Pilot.Star].PriceList[k];
    }
    kv::PriceListItem& Hold(uint8_t k) { return game.world.Pilot.Cargo[k]; }
    void Select(uint8_t k)
    {
        kv::SelectMarketRow(game, 100, static_cast<int16_t>(23 + 22 * k), 0);
        kv::ComposeMarkedPanels(game);
    }
    // A click on "+" or "-" as the player makes it, through the window.
    void Click(const kv::kvButton& button)
    {
        kv::kvWindow* focus = nullptr;
        kv::ClickItemAt(game.ui.hud.Market, static_cast<int16_t>(button.Left + 2), static_cast<int16_t>(button.Top + 2),
                        0, focus, game.Sound);
        kv::ComposeMarkedPanels(game);
    }
    bool CanBuy() const { return game.ui.hud.BuyButton.Enabled == 1; }
    bool CanSell() const { return game.ui.hud.SellButton.Enabled == 1; }

    kv::Game game;
};

// The rows fill the window: 22 pixels apart, each picked in its band from
// 3 pixels above its text to 3 below, row 1's from y 42, row 12's to y 305.
TEST_F(Market, RowsAreSelectedFromY42ToY305)
{
    Select(5);
    for (int16_t y : {int16_t{41}, int16_t{306}, int16_t{0}, int16_t{400}}) {
        kv::SelectMarketRow(game, 10, y, 1);
        EXPECT_EQ(game.ui.SelectedGoods, 5) << y;
    }
    kv::SelectMarketRow(game, 0, 42, 2);
    EXPECT_EQ(game.ui.SelectedGoods, 1);
    EXPECT_EQ(game.ui.hud.BuyButton.Top, 45);
    kv::SelectMarketRow(game, 0, 63, 0);
    EXPECT_EQ(game.ui.SelectedGoods, 1);
    kv::SelectMarketRow(game, 0, 64, 0);
    EXPECT_EQ(game.ui.SelectedGoods, 2);
    kv::SelectMarketRow(game, 0, 305, 0);
    EXPECT_EQ(game.ui.SelectedGoods, 12);
    EXPECT_EQ(game.ui.hud.SellButton.Top, 287);
    EXPECT_EQ(game.ui.hud.BuyButton.Top, 287);
}

TEST_F(Market, BuyingTakesExactlyThePriceAndTheLastUnitInStore)
{
    Select(1);
    Store(1).Quantity = 2;
    game.world.Pilot.Cash = Store(1).SellPrice * 2;
    kv::UpdateTradeButtons(game);
    ASSERT_TRUE(CanBuy());
    EXPECT_FALSE(CanSell());
    Click(game.ui.hud.BuyButton);
    Click(game.ui.hud.BuyButton);
    EXPECT_EQ(game.world.Pilot.Cash, 0);
    EXPECT_EQ(Store(1).Quantity, 0);
    EXPECT_EQ(Hold(1).Quantity, 2);
    EXPECT_FALSE(CanBuy());
    EXPECT_TRUE(CanSell());
    Click(game.ui.hud.BuyButton);  // disabled: nothing happens
    EXPECT_EQ(Hold(1).Quantity, 2);
    EXPECT_EQ(game.world.Pilot.Cash, 0);
}

TEST_F(Market, OneCreditShortOfThePriceCannotBuy)
{
    Select(2);
    game.world.Pilot.Cash = Store(2).SellPrice - 1;
    kv::UpdateTradeButtons(game);
    EXPECT_FALSE(CanBuy());
}

TEST_F(Market, SellingTheLastCarriedUnitDisablesSelling)
{
    Select(4);
    Hold(4).Quantity = 1;
    kv::UpdateTradeButtons(game);
    const int32_t cash = game.world.Pilot.Cash;
    const uint16_t store = Store(4).Quantity;
    Click(game.ui.hud.SellButton);
    EXPECT_EQ(game.world.Pilot.Cash, cash + Store(4).BuyPrice);
    EXPECT_EQ(Store(4).Quantity, store + 1);
    EXPECT_EQ(Hold(4).Quantity, 0);
    EXPECT_FALSE(CanSell());
}

TEST_F(Market, FuelInTheHoldIsTiedToTheReserve)
{
    Select(kv::FuelGoods);
    ASSERT_EQ(Hold(kv::FuelGoods).Quantity, 16);
    ASSERT_EQ(game.world.Ship.Fuel, 160.0);
    kv::BuyOne(game.world, game.ui.SelectedGoods);
    EXPECT_EQ(game.world.Ship.Fuel, 170.0);
    kv::SellOne(game.world, game.ui.SelectedGoods);
    kv::SellOne(game.world, game.ui.SelectedGoods);
    EXPECT_EQ(game.world.Ship.Fuel, 150.0);
    EXPECT_EQ(Hold(kv::FuelGoods).Quantity, 15);
    // A unit the reserve no longer fully holds empties it, no further.
    game.world.Ship.Fuel = 4.0;
    kv::SellOne(game.world, game.ui.SelectedGoods);
    EXPECT_EQ(game.world.Ship.Fuel, 0.0);
}

TEST_F(Market, PricesNeverMoveAndPointsRaiseTheTradeRank)
{
    Select(7);
    const kv::PriceListItem before = Store(7);
    game.world.Pilot.Cash = 100000000;
    for (int i = 0; i < 50; ++i) kv::BuyOne(game.world, game.ui.SelectedGoods);
    for (int i = 0; i < 80; ++i) {
        Hold(7).Quantity = 1;
        kv::SellOne(game.world, game.ui.SelectedGoods);
    }
    EXPECT_EQ(Store(7).SellPrice, before.SellPrice);
    EXPECT_EQ(Store(7).BuyPrice, before.BuyPrice);
    EXPECT_EQ(Store(7).Quantity, before.Quantity + 30);
    const long double expected = 50 * (before.SellPrice / 10.0L) + 80.0L * before.SellPrice;
    EXPECT_NEAR(static_cast<double>(game.world.Pilot.TradePoints), static_cast<double>(expected), 1e-6);
    EXPECT_GE(game.world.Pilot.TradeRank, 1);
    EXPECT_EQ(game.world.Pilot.CombatRank, 0);
}

TEST_F(Market, FullRowsAndFullPursesRefuseMore)
{
    Select(6);
    Store(6).Quantity = 10;
    Hold(6).Quantity = std::numeric_limits<uint16_t>::max();
    kv::UpdateTradeButtons(game);
    EXPECT_FALSE(CanBuy());
    EXPECT_TRUE(CanSell());
    Store(6).Quantity = std::numeric_limits<uint16_t>::max();
    kv::UpdateTradeButtons(game);
    EXPECT_FALSE(CanSell());
    Store(6).Quantity = 10;
    game.world.Pilot.Cash = std::numeric_limits<int32_t>::max();
    kv::UpdateTradeButtons(game);
    EXPECT_FALSE(CanSell());
    game.world.Pilot.Cash = -1;  // debts set at the console still let the pilot sell
    kv::UpdateTradeButtons(game);
    EXPECT_TRUE(CanSell());
}

TEST_F(Market, TheWindowListsTheGoodsOfTheCurrentStar)
{
    game.ui.hud.Market.Visible = 1;
    kv::DrawMarket(game);
    const kv::Bitmap& face = game.ui.hud.Market.Face;
    // The selection bar fills row 1's band, 3 pixels round its text.
    EXPECT_EQ(face.Pixel(15, 42), kv::SelectionBar);
    EXPECT_EQ(face.Pixel(295, 63), kv::SelectionBar);
    EXPECT_NE(face.Pixel(15, 64), kv::SelectionBar);
    Select(3);
    EXPECT_EQ(face.Pixel(17, 87), kv::SelectionBar);
    EXPECT_NE(face.Pixel(17, 47), kv::SelectionBar);
}

// Numbers end where their headings end, whatever their length: the
// rightmost lit pixel of every row's price, store and hold columns, within
// the blank a glyph leaves at the right of its 8-pixel cell.
TEST_F(Market, NumbersAreRightAlignedUnderTheirHeadings)
{
    kv::DrawMarket(game);
    const kv::Bitmap& face = game.ui.hud.Market.Face;
    const auto rightmostText = [&face](int left, int right, int top) {
        int last = -1;
        for (int y = top; y < top + 16; ++y)
            for (int x = left; x < right; ++x)
                if (face.Pixel(x, y) == kv::HudTextColour) last = std::max(last, x);
        return last;
    };
    for (const auto& [left, right] : {std::pair{130, 172}, std::pair{172, 214}, std::pair{214, 258}, std::pair{258, 296}}) {
        const int heading = rightmostText(left, right, 18);
        ASSERT_GT(heading, 0);
        for (int row = 2; row <= 12; ++row) EXPECT_NEAR(rightmostText(left, right, 45 + 22 * (row - 1)), heading, 3) << row;
    }
}

// The market as the player meets it: opened with F5 in the space scene,
// rows picked by clicks on the screen, one unit bought and sold.
TEST(MarketScenario, ClicksSelectRowsAndTradeOneUnit)
{
    kv::Window window;
    kv::TfrmMain form{window};
    kv::ScenarioRunner runner{form, ::testing::TempDir() + "kvspace_market"};
    form.FormCreate();
    runner.Run(kv::testing::ToSpace);
    runner.Run({"key F5", "tick"});
    kv::Game& game = form.game;
    ASSERT_EQ(game.ui.hud.Market.Visible, 1);
    // The window sits at (225, 80): its rows run from y 42 to 305 inside it.
    runner.Run({"click 400 125", "tick", "shot market_row1"});
    EXPECT_EQ(game.ui.SelectedGoods, 1);
    runner.Run({"click 400 380", "tick", "shot market_row12"});
    EXPECT_EQ(game.ui.SelectedGoods, 12);
    runner.Run({"click 400 386", "tick", "click 400 121", "tick"});
    EXPECT_EQ(game.ui.SelectedGoods, 12);

    kv::PriceListItem& store = (*game.world.galaxies)[1].Stars[1].PriceList[12];
    const uint16_t inStore = store.Quantity;
    const int32_t cash = game.world.Pilot.Cash;
    runner.Run({"click 527 372", "tick", "shot market_bought"});
    EXPECT_EQ(game.world.Pilot.Cargo[12].Quantity, 1);
    EXPECT_EQ(store.Quantity, inStore - 1);
    EXPECT_EQ(game.world.Pilot.Cash, cash - store.SellPrice);
    runner.Run({"click 547 372", "tick", "shot market_sold"});
    EXPECT_EQ(game.world.Pilot.Cargo[12].Quantity, 0);
    EXPECT_EQ(game.ui.hud.SellButton.Enabled, 0);
    EXPECT_EQ(runner.FramesWritten().size(), 4u);
    // The player window, at rest on the left, shows the cash after the trades.
    EXPECT_EQ(game.world.Pilot.Cash, cash - store.SellPrice + store.BuyPrice);
}

}  // namespace
