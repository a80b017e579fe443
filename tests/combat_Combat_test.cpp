// The combat object model, ships, weapons, bullets and the enemy pilot.
#include "combat/Combat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "game/Game.h"
#include "support/Battles.h"
#include "support/Pictures.h"

namespace {

using kv::testing::AddShip;
using kv::testing::Blank;

constexpr kv::Rgb Hull{200, 100, 50};

class CombatModel : public ::testing::Test {
protected:
    void SetUp() override { kv::testing::ReadyForBattle(game); }

    kv::kvBullet& AddBullet(int32_t side, double x, double y, int16_t damage = 40)
    {
        kv::kvCombatShip shooter(2, 2);
        shooter.Side = side;
        shooter.X = x - 1;
        shooter.Y = y - 1;
        kv::kvWeapon weapon;
        weapon.Damage = damage;
        return game.battle.Append(std::make_unique<kv::kvBullet>(shooter, weapon, Blank(2, 2)));
    }

    kv::Game game;
};

TEST(CombatAngles, NormalizeAngleKeepsMultiplesOfTheStepInZeroTo360)
{
    EXPECT_DOUBLE_EQ(kv::NormalizeAngle(0), 360);
    EXPECT_DOUBLE_EQ(kv::NormalizeAngle(360), 360);
    EXPECT_DOUBLE_EQ(kv::NormalizeAngle(-2), 357.1875);
    EXPECT_DOUBLE_EQ(kv::NormalizeAngle(362), 2.8125);
    EXPECT_DOUBLE_EQ(kv::NormalizeAngle(1.40625), 360) << "half a step rounds to the even multiple 0";
    EXPECT_DOUBLE_EQ(kv::NormalizeAngle(4.21875), 5.625) << "one and a half steps round to two";
    EXPECT_DOUBLE_EQ(kv::NormalizeAngle(-725), 354.375);
    EXPECT_DOUBLE_EQ(kv::NormalizeAngle(std::ldexp(360.0, 40) + 2.8125), 2.8125) << "far out, and still ends";
    EXPECT_DOUBLE_EQ(kv::NormalizeAngle(std::nan("")), 360) << "the bearing of a zero vector";
    EXPECT_DOUBLE_EQ(kv::NormalizeAngle(-INFINITY), 360);
}

TEST(CombatAngles, HeadingPicksItsStripFrame)
{
    EXPECT_EQ(kv::FrameForHeading(360), 128) << "the unturned picture";
    EXPECT_EQ(kv::FrameForHeading(2.8125), 1);
    EXPECT_EQ(kv::FrameForHeading(90), 32);
    EXPECT_EQ(kv::FrameForHeading(357.1875), 127);
    EXPECT_EQ(kv::FrameForHeading(0), 128) << "a heading not yet normalised still names a frame";
}

TEST(CombatMotion, ThrustAcceleratesAlongTheHeadingOnceAndVelocityLasts)
{
    kv::kvAttractor body;
    body.Angle = 90;
    body.Thrust = 0.5;
    kv::MotionStep(body);
    EXPECT_NEAR(body.VX, 0, 1e-12);
    EXPECT_DOUBLE_EQ(body.VY, 0.5);
    EXPECT_DOUBLE_EQ(body.Y, 0.5);
    EXPECT_EQ(body.Thrust, 0);
    for (int i = 0; i < 1000; ++i) kv::MotionStep(body);
    EXPECT_DOUBLE_EQ(body.VY, 0.5) << "no friction";
    EXPECT_DOUBLE_EQ(body.Y, 500.5);
}

// With no thrust the step adds the heading's share times zero: a zero that
// turns a velocity of -0 into +0 (the replays' checksums see the sign), and
// a heading that is no number turns the velocity into no number either.
TEST(CombatMotion, WithoutThrustTheStepKeepsWhatTheFullSumGives)
{
    kv::kvAttractor body;
    body.Angle = 90;
    body.VX = -0.0;
    body.VY = -1.5;
    kv::MotionStep(body);
    EXPECT_FALSE(std::signbit(body.VX)) << "-0 plus the cosine's +0 is +0";
    EXPECT_EQ(body.VY, -1.5);
    EXPECT_EQ(body.Y, -1.5);
    body.Angle = 180;
    body.VX = -0.0;
    kv::MotionStep(body);
    EXPECT_TRUE(std::signbit(body.VX)) << "-0 plus the cosine's -0 stays -0";
    body.Angle = std::numeric_limits<double>::quiet_NaN();
    kv::MotionStep(body);
    EXPECT_TRUE(std::isnan(body.VX));
    EXPECT_TRUE(std::isnan(body.X));
}

TEST_F(CombatModel, DrawObjectCopiesBlendsSkipsTheKeyAndNeverTheLastColumnOrRow)
{
    kv::Bitmap frame = Blank(800, 600, kv::Rgb{0, 0, 100});
    kv::kvCombatShip& ship = AddShip(game, 2, 795, 10);
    kv::Bitmap picture = Blank(10, 10, Hull);
    picture.SetPixel(0, 0, kv::ColourKey);
    kv::LoadImage(ship, picture);
    ship.Frames = std::make_shared<const kv::Bitmap>(kv::MakeRotationStrip(ship.Image, kv::StripFrames));
    kv::DrawObject(ship, frame, 0, 0);
    EXPECT_EQ(frame.Pixel(795, 10), (kv::Rgb{0, 0, 100})) << "the key pixel is skipped";
    EXPECT_EQ(frame.Pixel(798, 11), Hull);
    EXPECT_EQ(frame.Pixel(799, 11), (kv::Rgb{0, 0, 100})) << "the last column is never drawn";
    EXPECT_EQ(frame.Pixel(798, 20), (kv::Rgb{0, 0, 100}));

    ship.Alpha = 128;
    ship.X = 100;
    kv::DrawObject(ship, frame, 0, 0);
    EXPECT_EQ(frame.Pixel(105, 15), (kv::Rgb{100, 50, 75})) << "half of each";
    ship.Alpha = 0;
    ship.X = 300;
    kv::DrawObject(ship, frame, 0, 0);
    EXPECT_EQ(frame.Pixel(305, 15), (kv::Rgb{0, 0, 100}));

    const kv::Bitmap before = frame;
    ship.Alpha = 256;
    kv::DrawObject(ship, frame, -5000, 0);
    kv::DrawObject(ship, frame, 0, 700);
    EXPECT_EQ(0, std::memcmp(before.Data(), frame.Data(), 800 * 600 * 3)) << "wholly outside the view";
}

TEST_F(CombatModel, DrawingByTheStripsRunsMatchesTheKeyedCopy)
{
    kv::kvCombatShip& ship = AddShip(game, 2, 0, 0, 92, 92);
    kv::LoadImage(ship, *game.battle.Picture("res\\gfx\\models\\Viper.bmp"));
    game.battle.GiveStrip("res\\gfx\\models\\Viper.bmp", ship);
    ASSERT_TRUE(ship.FrameRuns);
    for (const uint16_t alpha : {uint16_t{256}, uint16_t{100}}) {
        ship.Alpha = alpha;
        ship.Angle = 123.75;
        ship.X = 760;
        ship.Y = -20;
        kv::Bitmap byRuns = Blank(800, 600, kv::Rgb{10, 60, 90});
        kv::Bitmap byPixels = byRuns;
        kv::DrawObject(ship, byRuns, 0, 0);
        kv::DrawImage(ship.Image, 760, -20, alpha, kv::ColourKey, byPixels);
        EXPECT_EQ(0, std::memcmp(byRuns.Data(), byPixels.Data(), 800 * 600 * 3)) << alpha;
        EXPECT_LT(kv::testing::Count(byRuns, kv::Rgb{10, 60, 90}), 800 * 600);
    }
}

TEST_F(CombatModel, BulletIsDrawnInAHundredAndOneTicks)
{
    kv::kvBullet& bullet = AddBullet(1, 50, 50);
    int drawn = 0;
    while (bullet.Dead == 0) {
        ++drawn;
        kv::AgeBullet(bullet);
    }
    EXPECT_EQ(drawn, 101);
}

TEST_F(CombatModel, HitsNeedTheInsideOfTheBoxAndADrawnPixel)
{
    kv::kvCombatShip& ship = AddShip(game, 2, 100, 100);
    ship.Image.SetPixel(5, 5, kv::ColourKey);
    kv::kvBullet& onLeftEdge = AddBullet(1, 100, 104);
    kv::kvBullet& onTopEdge = AddBullet(1, 104, 100);
    kv::kvBullet& overKey = AddBullet(1, 105.2, 104.9);
    kv::kvBullet& inside = AddBullet(1, 102, 103);
    kv::kvBullet& pastThePicture = AddBullet(1, 100 + ship.Width - 0.3, 150);
    kv::kvBullet& sameSide = AddBullet(2, 103, 103);
    kv::CheckCollisions(kv::BattleContextOf(game), ship);
    EXPECT_EQ(onLeftEdge.Dead, 0);
    EXPECT_EQ(onTopEdge.Dead, 0);
    EXPECT_EQ(overKey.Dead, 0) << "a transparent pixel inside the box";
    EXPECT_EQ(inside.Dead, 1);
    EXPECT_EQ(pastThePicture.Dead, 0) << "inside the box, but its nearest pixel is past the picture";
    EXPECT_EQ(sameSide.Dead, 0) << "enemy bullets pass through enemies";
    EXPECT_EQ(ship.ShipRecord->Hull.HP, 960);
    ASSERT_EQ(game.battle.CombatObjects.size(), 8u) << "one explosion appended";
    EXPECT_EQ(game.battle.CombatObjects.back()->Class, kv::ObjectClass::Explosion);
}

TEST_F(CombatModel, AsteroidRamsWithinSixTenthsOfTheShipsWidthAndAHullOf300Dies)
{
    auto& b = game.battle;
    kv::kvCombatShip& ship = AddShip(game, 2, 0, 0, 100, 100);
    ship.ShipRecord->Hull.HP = 300;
    b.HostilesLeft = 1;
    const kv::Bitmap rockPicture = Blank(40, 40, Hull);
    // Ship centre (50, 50); a rock's centre is its corner + 20.
    auto& near = b.Append(std::make_unique<kv::kvObstacle>(50 + 60 - 20, 30, 0, 0, 0, rockPicture));
    auto& far = b.Append(std::make_unique<kv::kvObstacle>(30, 50 + 60.5 - 20, 0, 0, 0, rockPicture));
    kv::CheckCollisions(kv::BattleContextOf(game), ship);
    EXPECT_EQ(near.Dead, 1) << "0.6 x 100 = 60 apart still touches";
    EXPECT_EQ(far.Dead, 0);
    EXPECT_EQ(ship.ShipRecord->Hull.HP, 0);
    EXPECT_EQ(ship.Dead, 1);
    EXPECT_EQ(b.HostilesLeft, 0);
    EXPECT_EQ(game.Sound.EffectRequests(), 0u) << "sound is off in tests";
}

TEST_F(CombatModel, ReloadCountsTicksBetweenShots)
{
    kv::kvCombatShip& ship = AddShip(game, 1, 0, 0);
    ship.ShipRecord->Weapons[1].Reload = 0;
    for (int tick = 0; tick < 3; ++tick) {
        kv::FireWeapon(kv::BattleContextOf(game), ship, 1);
        kv::CountDownReload(ship);
    }
    EXPECT_EQ(game.battle.CombatObjects.size(), 4u) << "reload 0 fires every tick";

    ship.ShipRecord->Weapons[1].Reload = 3;
    for (int tick = 0; tick < 7; ++tick) {
        kv::FireWeapon(kv::BattleContextOf(game), ship, 1);
        kv::CountDownReload(ship);
    }
    EXPECT_EQ(game.battle.CombatObjects.size(), 7u) << "ticks 0, 3 and 6";
}

TEST_F(CombatModel, PilotOneStepBelowItsGoalTurnsOntoItThrustsAndFiresWithoutTurningNextTick)
{
    auto& b = game.battle;
    kv::kvCombatShip& enemy = AddShip(game, 2, 0, 0);
    kv::kvCombatShip& player = AddShip(game, 1, 100, 100);  // bearing 45 degrees
    b.PlayerCombatShip = &player;
    enemy.Target = kv::ShipTarget::PlayerShip;
    enemy.Angle = 45 - kv::HeadingStep;
    enemy.VX = 5;  // above the cruising speed: only a turn thrusts
    kv::ChaseTarget(kv::BattleContextOf(game), enemy);
    EXPECT_DOUBLE_EQ(enemy.DesiredAngle, 45);
    EXPECT_DOUBLE_EQ(enemy.Angle, 45);
    EXPECT_DOUBLE_EQ(enemy.Thrust, 0.001);
    EXPECT_EQ(b.CombatObjects.size(), 3u) << "on target after the turn: fired";
    b.CombatObjects.pop_back();
    kv::ChaseTarget(kv::BattleContextOf(game), enemy);
    EXPECT_DOUBLE_EQ(enemy.Angle, 45);
    EXPECT_EQ(enemy.Thrust, 0) << "fast and not turning";
    EXPECT_EQ(b.CombatObjects.size(), 3u) << "reload 0: fires again";
}

TEST_F(CombatModel, PilotTurnsTheLongWayRoundAcrossZero)
{
    auto& b = game.battle;
    kv::kvCombatShip& enemy = AddShip(game, 2, 0, 0);
    kv::kvAttractor& goal = b.Append(std::make_unique<kv::kvAttractor>());
    b.TheAttractor = &goal;
    goal.X = 1000;
    goal.Y = 49.1;  // a bearing of 2.8125 degrees
    enemy.Target = kv::ShipTarget::Attractor;
    enemy.Angle = 357.1875;
    kv::ChaseTarget(kv::BattleContextOf(game), enemy);
    EXPECT_DOUBLE_EQ(enemy.DesiredAngle, 2.8125);
    EXPECT_DOUBLE_EQ(enemy.Angle, 354.375);
    EXPECT_DOUBLE_EQ(enemy.Thrust, 0.001);
}

}  // namespace
