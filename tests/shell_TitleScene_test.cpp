#include "shell/TitleScene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

TEST(TitleCrosshair, EasesWithoutOvershoot)
{
    int c = 100;
    std::vector<int> path;
    while (c != 200) {
        c = kv::EaseToward(c, 200);
        path.push_back(c);
        ASSERT_LE(c, 200);
    }
    EXPECT_EQ(path.front(), 107);
    EXPECT_LT(path.size(), 60u);
    EXPECT_EQ(kv::EaseToward(50, 50), 50);
    EXPECT_EQ(kv::EaseToward(300, 200), 293);
    EXPECT_EQ(kv::EaseToward(201, 200), 200);
}

TEST(TitleMenu, BandsAndDividingLines)
{
    EXPECT_EQ(kv::TitleItemAt(150, 400), kv::title::Intro);
    EXPECT_EQ(kv::TitleItemAt(150, 450), kv::title::StartGame);
    EXPECT_EQ(kv::TitleItemAt(150, 500), kv::title::Exit);
    EXPECT_EQ(kv::TitleItemAt(150, 417), kv::title::None);
    EXPECT_EQ(kv::TitleItemAt(150, 484), kv::title::None);
    EXPECT_EQ(kv::TitleItemAt(150, 550), kv::title::Exit);  // on the rim
    EXPECT_EQ(kv::TitleItemAt(150, 551), kv::title::None);
    EXPECT_EQ(kv::TitleItemAt(40, 450), kv::title::None);
}

TEST(TitleLogoPhase, WrapsAtTheLogoWidth)
{
    kv::Game game;
    game.ui.hud.Logo.SetSize(200, 30);
    game.scene.LogoPhase = 198;
    kv::TitleTick(game);
    EXPECT_EQ(game.scene.LogoPhase, 199);
    kv::TitleTick(game);
    EXPECT_EQ(game.scene.LogoPhase, 0);
    EXPECT_EQ(game.RepaintNeeded, 1);
}

// The ring's mapping worked out directly for one pixel.
kv::LogoRing::Source Expected(int x, int y, int w, int h, int phase)
{
    const double d = std::sqrt(double((x - 150) * (x - 150) + (y - 450) * (y - 450)));
    const int row = static_cast<int>(std::nearbyint(h + 100 - d));
    const double a = std::asin((x - 150) / d);
    const double u = (w / 2) * a / std::numbers::pi;
    const double column = y > 450 ? std::nearbyint(u - phase)
                                  : std::nearbyint(((3 * w) / 2 - phase) - (w / 2) * (a + std::numbers::pi) / std::numbers::pi);
    const int wrapped = ((static_cast<int>(column) % w) + w) % w;
    return {wrapped, row};
}

TEST(TitleLogoRing, MapsFramePixelsToLogoPixels)
{
    constexpr int W = 628;
    constexpr int H = 40;
    kv::LogoRing ring;
    ring.Build(W, H);
    for (int phase : {0, 1, 313, 627}) {
        for (auto [x, y] : std::vector<std::pair<int, int>>{{150, 345}, {150, 560}, {30, 450}, {260, 440}, {70, 370}, {220, 530}}) {
            const auto got = ring.SourceOf(x, y, static_cast<uint16_t>(phase));
            const auto want = Expected(x, y, W, H, phase);
            EXPECT_EQ(got.Row, want.Row) << x << "," << y;
            EXPECT_EQ(got.Column, want.Column) << x << "," << y << " phase " << phase;
        }
    }
    // The bottom logo row lies next to the circle, the top row outermost;
    // the row H - 1 and anything inside the circle are never drawn.
    EXPECT_EQ(ring.SourceOf(150, 450 + 102, 0).Row, H - 2);
    EXPECT_EQ(ring.SourceOf(150, 450 + 101, 0).Row, -1);
    EXPECT_EQ(ring.SourceOf(150, 450 + 100 + H, 0).Row, 0);
    EXPECT_EQ(ring.SourceOf(150, 450 + 100, 0).Row, -1);
    EXPECT_EQ(ring.SourceOf(150, 450, 0).Row, -1);
}

TEST(TitleLogoRing, DrawsLogoPixelsUnkeyed)
{
    kv::LogoRing ring;
    ring.Build(64, 20);
    kv::Bitmap logo(64, 20);
    logo.Fill(kv::ColourKey);
    kv::Bitmap frame(800, 600);
    frame.Fill(kv::Black);
    ring.Draw(logo, 5, frame);
    EXPECT_EQ(frame.Pixel(150, 560), kv::ColourKey);
    EXPECT_EQ(frame.Pixel(150, 450), kv::Black);
    EXPECT_EQ(frame.Pixel(150, 545), kv::Black);
}

}  // namespace
