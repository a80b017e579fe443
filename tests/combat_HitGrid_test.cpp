// The hit grid: a bullet or asteroid is found wherever it is filed, only
// where it is now, once, and never when it is no finite place.
#include "combat/HitGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "combat/Combat.h"
#include "game/Game.h"
#include "support/Battles.h"
#include "support/Pictures.h"

namespace {

using kv::testing::AddShip;
using kv::testing::Blank;

class HitGridTest : public ::testing::Test {
protected:
    void SetUp() override { kv::testing::ReadyForBattle(game); }

    kv::kvBullet& AddBullet(double x, double y, int32_t side = kv::PlayerSide)
    {
        kv::kvCombatShip shooter(2, 2);
        shooter.Side = side;
        shooter.X = x - 1;
        shooter.Y = y - 1;
        kv::kvWeapon weapon;
        weapon.Damage = 10;
        return game.battle.Append(std::make_unique<kv::kvBullet>(shooter, weapon, Blank(2, 2)));
    }
    std::vector<uint32_t> In(double left, double top, double right, double bottom, std::size_t limit = 1000)
    {
        std::vector<uint32_t> found;
        game.battle.Hits.ForEachIn(left, top, right, bottom, limit, [&](uint32_t p) { found.push_back(p); });
        return found;
    }

    kv::Game game;
};

TEST_F(HitGridTest, FindsWhatMovedOnlyWhereItIsNowAndOnce)
{
    kv::kvBullet& bullet = AddBullet(10, 10);
    AddBullet(300, 10);
    game.battle.Hits.FileAll(game.battle.CombatObjects);
    EXPECT_EQ(In(0, 0, 20, 20), std::vector<uint32_t>{0});
    bullet.X = 200;
    game.battle.Hits.File(0, bullet);
    EXPECT_TRUE(In(0, 0, 20, 20).empty()) << "the old square's entry is stale";
    EXPECT_EQ(In(150, 0, 320, 20), (std::vector<uint32_t>{0, 1}));
    bullet.X = 10;
    game.battle.Hits.File(0, bullet);
    EXPECT_EQ(In(0, 0, 20, 20), std::vector<uint32_t>{0}) << "back in its first square, found once";
    EXPECT_EQ(In(150, 0, 320, 20, 1), std::vector<uint32_t>{}) << "positions from the limit on are left out";
    AddBullet(12, 12);
    EXPECT_EQ(In(0, 0, 20, 20), (std::vector<uint32_t>{0, 2})) << "appended while filed";
}

// A ship's hit test leaves out its own side's bullets, never an asteroid.
TEST_F(HitGridTest, LeavesOutTheBulletsOfOneSide)
{
    AddBullet(10, 10, kv::PlayerSide);
    AddBullet(12, 12, kv::EnemySide);
    game.battle.Append(std::make_unique<kv::kvObstacle>(0, 0, 0, 0, 0, Blank(20, 20)));
    game.battle.Hits.FileAll(game.battle.CombatObjects);
    std::vector<uint32_t> found;
    game.battle.Hits.ForEachIn(0, 0, 20, 20, 1000, [&](uint32_t p) { found.push_back(p); }, kv::EnemySide);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<uint32_t>{0, 2}));
    EXPECT_EQ(In(0, 0, 20, 20).size(), 3u) << "every group without a side to leave out";
}

// The squares outlive a filing: filing again must forget every earlier
// place, also when the battle drifts across far more squares than it has
// objects and the squares it left are let go.
TEST_F(HitGridTest, FilingAgainForgetsEarlierPlaces)
{
    kv::kvBullet& bullet = AddBullet(10, 10);
    for (int step = 0; step <= 1000; ++step) {
        bullet.X = 10 + 100.0 * step;
        game.battle.Hits.FileAll(game.battle.CombatObjects);
        game.battle.Hits.Clear();
    }
    game.battle.Hits.FileAll(game.battle.CombatObjects);
    EXPECT_TRUE(In(0, 0, 20, 20).empty());
    EXPECT_TRUE(In(bullet.X - 150, 0, bullet.X - 50, 20).empty());
    EXPECT_EQ(In(bullet.X - 1, 0, bullet.X + 1, 20), std::vector<uint32_t>{0});
}

TEST_F(HitGridTest, PlacesFarOutOrNoPlaceAtAll)
{
    const double far = std::ldexp(1.0, 40);  // beyond the outermost squares
    kv::kvCombatShip& farShip = AddShip(game, kv::EnemySide, far, far, 100, 100);
    kv::kvBullet& farBullet = AddBullet(far + 50, far + 50);
    kv::kvCombatShip& lostShip = AddShip(game, kv::EnemySide, NAN, 0, 100, 100);
    kv::kvBullet& lostBullet = AddBullet(INFINITY, 5);
    kv::CheckCollisions(kv::BattleContextOf(game), farShip);
    EXPECT_EQ(farBullet.Dead, 1) << "beyond every square, still hit";
    kv::CheckCollisions(kv::BattleContextOf(game), lostShip);
    EXPECT_EQ(lostShip.ShipRecord->Hull.HP, 1000);
    EXPECT_EQ(lostBullet.Dead, 0);
    game.battle.Hits.FileAll(game.battle.CombatObjects);
    EXPECT_TRUE(In(-INFINITY, 0, INFINITY, 10).empty()) << "a box that is no finite place";
    EXPECT_EQ(In(far, far, far + 100, far + 100).size(), 1u);
}

}  // namespace
