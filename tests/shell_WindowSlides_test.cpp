#include "shell/WindowSlides.h"

#include <gtest/gtest.h>

#include "hud/Hud.h"
#include "hud/SaveWindow.h"

namespace {

int TicksUntilRest(kv::Hud& hud, kv::kvWindow& w)
{
    int ticks = 0;
    while ((w.SlideIn || w.SlideOut) && ticks < 1000) {
        kv::RunWindowSlides(hud);
        ++ticks;
    }
    return ticks;
}

TEST(WindowSlides, StopsWhereEachPanelRests)
{
    kv::Game game;
    kv::Hud& h = game.ui.hud;
    h.TopBar.Top = -115;
    h.TopBar.SlideIn = 1;
    EXPECT_EQ(TicksUntilRest(h, h.TopBar), 23);
    EXPECT_EQ(h.TopBar.Top, 0);

    h.PlayerWindow.Left = -200;
    h.PlayerWindow.SlideIn = 1;
    EXPECT_EQ(TicksUntilRest(h, h.PlayerWindow), 40);
    EXPECT_EQ(h.PlayerWindow.Left, 0);

    h.ConsoleWindow.Top = 600;
    h.ConsoleWindow.SlideIn = 1;
    TicksUntilRest(h, h.ConsoleWindow);
    EXPECT_EQ(h.ConsoleWindow.Top, 455);
    h.ConsoleWindow.SlideIn = 0;
    h.ConsoleWindow.SlideOut = 1;
    TicksUntilRest(h, h.ConsoleWindow);
    EXPECT_EQ(h.ConsoleWindow.Top, 575);
    h.ConsoleWindow.SlideIn = 1;
    TicksUntilRest(h, h.ConsoleWindow);
    EXPECT_EQ(h.ConsoleWindow.Top, 455);

    h.StarInfo.Left = 800;
    h.StarInfo.SlideIn = 1;
    TicksUntilRest(h, h.StarInfo);
    EXPECT_EQ(h.StarInfo.Left, 600);
}

TEST(WindowSlides, ToggleReversesAndCrosses)
{
    kv::Game game;
    kv::Hud& h = game.ui.hud;
    h.PlayerWindow.Left = 0;
    h.PlayerWindow.Visible = 1;
    kv::TogglePlayerWindow(game);  // at rest on screen: both flags set, it leaves
    TicksUntilRest(h, h.PlayerWindow);
    EXPECT_EQ(h.PlayerWindow.Left, -200);

    kv::TogglePlayerWindow(game);
    for (int i = 0; i < 20; ++i) kv::RunWindowSlides(h);
    EXPECT_EQ(h.PlayerWindow.Left, -105);  // the first tick only clears the flag of the end it rests at
    kv::TogglePlayerWindow(game);  // halfway in: turns back
    TicksUntilRest(h, h.PlayerWindow);
    EXPECT_EQ(h.PlayerWindow.Left, -200);
}

TEST(WindowSlides, HiddenPanelOpensFromOffScreen)
{
    kv::Game game;
    kv::Hud& h = game.ui.hud;
    h.StarInfo.Visible = 0;  // nothing else on the right to send out
    h.ShipWindow.Visible = 0;
    h.ShipWindow.Left = 123;
    kv::ToggleShipWindow(game);
    EXPECT_EQ(h.ShipWindow.Visible, 1);
    EXPECT_EQ(h.ShipWindow.Left, 800);
    TicksUntilRest(h, h.ShipWindow);
    EXPECT_EQ(h.ShipWindow.Left, 600);
    EXPECT_FALSE(kv::RunWindowSlides(h));
}

// The right-hand place holds one panel: the ship window sliding in sends
// the star information out, and the star information coming back sends the
// ship window out again. A panel leaving on its own sends nothing.
TEST(WindowSlides, OnePanelStandsOnTheRight)
{
    kv::Game game;
    kv::Hud& h = game.ui.hud;
    h.StarInfo.Left = 600;
    h.ShipWindow.Visible = 0;
    kv::ToggleShipWindow(game);
    EXPECT_EQ(h.StarInfo.SlideOut, 1);
    EXPECT_EQ(h.StarInfo.SlideIn, 0);
    TicksUntilRest(h, h.ShipWindow);
    EXPECT_EQ(h.ShipWindow.Left, 600);
    EXPECT_EQ(h.StarInfo.Left, 800);

    kv::ToggleStarInfo(game);
    EXPECT_EQ(h.ShipWindow.SlideOut, 1);
    TicksUntilRest(h, h.StarInfo);
    EXPECT_EQ(h.StarInfo.Left, 600);
    EXPECT_EQ(h.ShipWindow.Left, 800);

    kv::ToggleStarInfo(game);  // leaves: the ship window stays out
    TicksUntilRest(h, h.StarInfo);
    EXPECT_EQ(h.ShipWindow.Left, 800);
    EXPECT_EQ(h.ShipWindow.SlideIn, 0);
}

TEST(WindowSlides, TheSaveWindowDropsInTwentyTicks)
{
    kv::Game game;
    kv::Hud& h = game.ui.hud;
    h.SaveWindow.Top = kv::SaveWindowHiddenTop;
    h.SaveWindow.SlideIn = 1;
    EXPECT_EQ(TicksUntilRest(h, h.SaveWindow), 20);
    EXPECT_EQ(h.SaveWindow.Top, kv::SaveWindowTop);
    h.SaveWindow.SlideOut = 1;
    EXPECT_EQ(TicksUntilRest(h, h.SaveWindow), 20);
    EXPECT_EQ(h.SaveWindow.Top, kv::SaveWindowHiddenTop);
}

}  // namespace
