// Exhaust, explosions, the attractor and the asteroids.
#include "combat/Effects.h"

#include <gtest/gtest.h>

#include <cstring>
#include <numbers>
#include <utility>
#include <vector>

#include "game/Game.h"
#include "platform/Canvas.h"
#include "support/Battles.h"
#include "support/Pictures.h"

namespace {

using kv::testing::AddShip;
using kv::testing::Blank;
using kv::testing::Count;

class CombatEffects : public ::testing::Test {
protected:
    void SetUp() override { kv::testing::ReadyForBattle(game); }
    kv::Game game;
};

TEST_F(CombatEffects, ExhaustStartsAsACyanDiscOfRadiusFiveAndEndsInvisible)
{
    kv::kvCombatShip ship(92, 92);
    ship.Angle = 360;
    kv::kvExhaust exhaust(ship);
    EXPECT_DOUBLE_EQ(exhaust.X, (0.4 * -1 + 0.5) * 92) << "behind a ship heading right";
    EXPECT_NEAR(exhaust.Y, 46, 1e-9);
    EXPECT_EQ(exhaust.Alpha, 150);

    exhaust.X = 100;
    exhaust.Y = 100;
    kv::UpdateExhaust(exhaust);
    EXPECT_EQ(exhaust.Age, 1);
    EXPECT_DOUBLE_EQ(exhaust.X, 99);
    kv::Bitmap frame = Blank(200, 200, kv::Black);
    kv::DrawExhaust(game.battle, exhaust, frame);
    const kv::Rgb cyan{0, 230, 250};
    EXPECT_EQ(frame.Pixel(99, 100), cyan);
    EXPECT_EQ(frame.Pixel(94, 100), cyan) << "the box reaches 5 to the left";
    EXPECT_EQ(frame.Pixel(93, 100), kv::Black);
    EXPECT_EQ(frame.Pixel(104, 100), kv::Black) << "the right edge of the box is outside";
    EXPECT_EQ(frame.brush.Style, kv::BrushStyle::Clear);

    kv::Bitmap late = Blank(200, 200, kv::Black);
    exhaust.Age = 10;
    kv::DrawExhaust(game.battle, exhaust, late);
    EXPECT_EQ(Count(late, kv::Black), 200 * 200);
    kv::UpdateExhaust(exhaust);
    EXPECT_EQ(exhaust.Dead, 1) << "dead past its lifetime of 10";
}

// The discs are drawn once and copied: they must match the canvas's own
// ellipse in every size, age, pen width and place, edges of the frame included.
TEST_F(CombatEffects, ExhaustDiscsMatchTheCanvasEllipse)
{
    kv::kvCombatShip ship(92, 92);
    kv::kvExhaust exhaust(ship);
    for (const int lifetime : {10, 3, -8, 40})
        for (int age = 0; age <= 12; ++age)
            for (const int pen : {1, 2, 3, 6})
                for (const auto& [x, y] : std::vector<std::pair<int, int>>{{50, 40}, {1, 2}, {118, 78}, {-3, 79}}) {
                    exhaust.Lifetime = lifetime;
                    exhaust.Age = age;
                    exhaust.X = x;
                    exhaust.Y = y;
                    kv::Bitmap copied = Blank(120, 80, kv::Black);
                    copied.pen.Width = pen;
                    kv::Bitmap drawn = copied;
                    kv::DrawExhaust(game.battle, exhaust, copied);
                    drawn.pen.Colour = copied.pen.Colour;
                    drawn.brush.SetColour(copied.pen.Colour);
                    const auto r = static_cast<int>((lifetime - age + 1) / 2);
                    kv::Canvas(drawn).Ellipse(x - r, y - r, x + r, y + r);
                    ASSERT_EQ(0, std::memcmp(copied.Data(), drawn.Data(), 120 * 80 * 3))
                        << "lifetime " << lifetime << " age " << age << " pen " << pen << " at " << x << "," << y;
                }
}

// The fade rule, on a strip of eight frames of its own.
TEST_F(CombatEffects, EightFrameExplosionLivesFortyTicksWithASawToothFade)
{
    auto& b = game.battle;
    auto strip = std::make_shared<const kv::Bitmap>(Blank(64, 8 * 64, kv::White));
    kv::kvExplosion& boom = b.Append(std::make_unique<kv::kvExplosion>(2, strip));
    boom.X = 400;
    boom.Y = 300;
    EXPECT_EQ(boom.FrameCount, 8);
    EXPECT_EQ(boom.Width, 64);
    kv::Bitmap frame = Blank(800, 600, kv::Black);
    std::vector<uint16_t> alphas;
    while (boom.Dead == 0) {
        kv::UpdateAndDrawExplosion(b, boom, frame);
        if (boom.Dead == 0) alphas.push_back(boom.Alpha);
    }
    ASSERT_EQ(alphas.size(), 40u);
    EXPECT_EQ(alphas[0], 249);
    EXPECT_EQ(alphas[35], 4);
    EXPECT_EQ(alphas[36], 256) << "the subtraction passed below 0: opaque again";
    EXPECT_EQ(alphas[37], 249);
    EXPECT_EQ(boom.ShownFrame, 8);
    EXPECT_GT(Count(frame, kv::Black), 0);
    EXPECT_LT(Count(frame, kv::Black), 800 * 600) << "drawn about its centre";
}

// The game's own strip has frames enough that its smoke fades out to the
// end instead of turning opaque again for its last frames.
TEST_F(CombatEffects, TheGamesExplosionFadesOutSteadily)
{
    auto& b = game.battle;
    kv::kvExplosion& boom = b.Append(kv::MakeExplosion(b, 2, 400, 300));
    EXPECT_GE(boom.FrameCount, 12);
    kv::Bitmap frame = Blank(800, 600, kv::Black);
    uint16_t previous = 256;
    int ticks = 0;
    while (boom.Dead == 0) {
        kv::UpdateAndDrawExplosion(b, boom, frame);
        if (boom.Dead != 0) break;
        EXPECT_LT(boom.Alpha, previous) << "tick " << ticks;
        previous = boom.Alpha;
        ++ticks;
    }
    EXPECT_EQ(ticks, 5 * boom.FrameCount);
}

TEST_F(CombatEffects, ExplosionOnTheSecondEnemyFollowsTheFirst)
{
    auto& b = game.battle;
    kv::kvCombatShip& first = AddShip(game, 2, 0, 0);
    kv::kvCombatShip& second = AddShip(game, 2, 500, 500);
    kv::kvExplosion& boom = b.Append(kv::MakeExplosion(b, 2, 505, 505));
    EXPECT_EQ(kv::FindShipBySide(b, 2), &first);
    EXPECT_EQ(boom.OffsetX, -505);
    kv::Bitmap frame = Blank(800, 600, kv::Black);
    kv::UpdateAndDrawExplosion(b, boom, frame);
    EXPECT_DOUBLE_EQ(boom.X, 505);
    first.X = 100;
    first.Y = 7.6;
    second.X = 0;
    kv::UpdateAndDrawExplosion(b, boom, frame);
    EXPECT_DOUBLE_EQ(boom.X, 605);
    EXPECT_DOUBLE_EQ(boom.Y, 513) << "whole pixels";
    first.Dead = 1;
    b.CombatObjects.erase(b.CombatObjects.begin());
    second.X = 0;
    kv::UpdateAndDrawExplosion(b, boom, frame);
    EXPECT_DOUBLE_EQ(boom.X, 505) << "now anchored on the next enemy";
}

TEST_F(CombatEffects, AttractorCirclesThePlayerAndWrapsItsPhase)
{
    auto& b = game.battle;
    kv::CreateAttractor(kv::BattleContextOf(game));
    kv::kvCombatShip& player = AddShip(game, 1, 400, 300);
    b.PlayerCombatShip = &player;
    player.VX = 3;
    kv::kvAttractor& a = *b.TheAttractor;
    a.Phase = 2 * std::numbers::pi - 0.01;
    kv::UpdateAttractor(b, a);
    EXPECT_EQ(a.Phase, 0) << "past 2 pi restarts at 0";
    EXPECT_DOUBLE_EQ(a.X, 500);
    EXPECT_DOUBLE_EQ(a.Y, 300);
    EXPECT_DOUBLE_EQ(a.VX, 3);
    EXPECT_DOUBLE_EQ(a.CurrentSpeed, 3);
    a.AngularSpeed = -0.5;
    kv::UpdateAttractor(b, a);
    EXPECT_DOUBLE_EQ(a.Phase, 2 * std::numbers::pi);

    b.PlayerCombatShip = nullptr;
    kv::UpdateAttractor(b, a);
    EXPECT_DOUBLE_EQ(a.X, 500) << "stays put once the player is gone";
}

TEST_F(CombatEffects, AsteroidSpinsDriftsTwiceAndWrapsToTheView)
{
    auto& b = game.battle;
    b.CameraX = 1000;
    b.CameraY = -50;
    kv::kvObstacle& rock = b.Append(kv::MakeObstacle(kv::BattleContextOf(game), 1799, 100, -2, 2, 0));
    EXPECT_EQ(rock.Angle, 0);
    ASSERT_TRUE(rock.Frames);
    EXPECT_EQ(rock.Frames->Height(), rock.Height * 128);
    kv::UpdateObstacle(b, rock);
    EXPECT_DOUBLE_EQ(rock.Angle, 357.1875);
    EXPECT_DOUBLE_EQ(rock.X, 1000) << "left the view on the right: at the left edge in the same tick";
    kv::MotionStep(rock);
    EXPECT_DOUBLE_EQ(rock.X, 1002);
    rock.Y = -51;
    rock.VY = 0;
    kv::UpdateObstacle(b, rock);
    EXPECT_DOUBLE_EQ(rock.Y, 550);
}

}  // namespace
