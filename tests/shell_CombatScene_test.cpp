// The battle scene: set-up, the polled keys, the combat frame and its ends,
// and whole battles played through the main window.
#include "shell/CombatScene.h"

#include <gtest/gtest.h>

#include "base/Numbers.h"
#include "combat/Effects.h"
#include "game/Game.h"
#include "hud/Hud.h"
#include "platform/BmpFile.h"
#include "platform/Window.h"
#include "shell/Scenario.h"
#include "shell/UnitMain.h"
#include "support/Battles.h"
#include "support/Pictures.h"

namespace {

using kv::testing::AddShip;

constexpr kv::Rgb EnemyBlip{255, 70, 50};
constexpr kv::Rgb PlayerBlip{80, 220, 255};
constexpr kv::Rgb PlayerMark{80, 220, 255};
constexpr kv::Rgb HullGood{0, 220, 60};
constexpr kv::Rgb HullLow{240, 200, 0};
constexpr kv::Rgb WonColour{252, 210, 69};
constexpr kv::Rgb LostColour{255, 80, 60};

class CombatScene : public ::testing::Test {
protected:
    // Seeded, so that asteroids and spawned enemies stand in the same places
    // every run: unseeded, about one run in thirty lost a fresh enemy within
    // the few ticks of a test that counts the ships.
    void SetUp() override
    {
        kv::testing::ReadyForBattle(game);
        game.world.random.FixSeed(20261210);
        kv::SetUpBattle(game);
    }
    // One tick of the battle as the main window runs it: keys, then frame.
    void Tick(int n = 1)
    {
        for (int i = 0; i < n && game.CurrentScene == kv::SceneCombat; ++i) {
            kv::CombatInput(game);
            if (game.CurrentScene == kv::SceneCombat) kv::ComposeCombatFrame(game);
        }
    }
    std::size_t Ships() const
    {
        std::size_t n = 0;
        for (const auto& o : game.battle.CombatObjects) n += o->Class == kv::ObjectClass::Ship ? 1 : 0;
        return n;
    }
    kv::kvCombatShip& Enemy() { return static_cast<kv::kvCombatShip&>(*game.battle.CombatObjects[2]); }

    kv::Game game;
};

TEST_F(CombatScene, SetUpPlacesEverythingInItsOrder)
{
    const auto& list = game.battle.CombatObjects;
    ASSERT_EQ(list.size(), 6u);
    EXPECT_EQ(list[0].get(), game.battle.TheAttractor);
    EXPECT_EQ(list[1].get(), game.battle.PlayerCombatShip);
    EXPECT_EQ(list[2]->Class, kv::ObjectClass::Ship);
    for (std::size_t i = 3; i < 6; ++i) EXPECT_EQ(list[i]->Class, kv::ObjectClass::Obstacle);
    EXPECT_EQ(game.CurrentScene, kv::SceneCombat);
    EXPECT_EQ(game.battle.HostilesLeft, 1);
    EXPECT_EQ(game.world.Ship.Hull.HP, game.world.Equipment.HullCatalogue[1].HP);
    EXPECT_DOUBLE_EQ(game.battle.PlayerCombatShip->X, 400);
    kv::kvCombatShip& enemy = Enemy();
    EXPECT_EQ(enemy.Target, kv::ShipTarget::Attractor);
    EXPECT_EQ(enemy.ShipRecord->Name, game.world.Equipment.HullCatalogue[2].Name);
    EXPECT_EQ(enemy.ShipRecord->Weapons[1].Name, game.world.Equipment.WeaponCatalogue[2].Name);
    EXPECT_EQ(enemy.Side, kv::EnemySide);
    EXPECT_EQ(list[3]->X, 0);
    EXPECT_EQ(list[3]->VX, 1);
    EXPECT_EQ(game.ui.hud.Scanner.Visible, 1);
    EXPECT_EQ(game.battle.CombatTiles.Width(), 256);
}

TEST_F(CombatScene, UpWinsOverDownAndLeftWithRightKeepsTheHeading)
{
    game.Keys.Set(kv::vk::Up, true);
    game.Keys.Set(kv::vk::Down, true);
    game.Keys.Set(kv::vk::Left, true);
    game.Keys.Set(kv::vk::Right, true);
    kv::CombatInput(game);
    EXPECT_DOUBLE_EQ(game.battle.PlayerCombatShip->Thrust, 0.01);
    EXPECT_DOUBLE_EQ(game.battle.PlayerCombatShip->Angle, 360);
    game.Keys.Clear();
    game.Keys.Set(kv::vk::Right, true);
    kv::CombatInput(game);
    EXPECT_DOUBLE_EQ(game.battle.PlayerCombatShip->Angle, 2.8125) << "one step per tick";
}

// Controls rebound: the battle polls the keys the bindings name, a second
// key of an action works beside the first, and a key taken away does
// nothing.
TEST_F(CombatScene, TheBattleFollowsTheBindings)
{
    kv::Bindings& controls = game.ui.Controls;
    ASSERT_FALSE(controls.Bind(kv::Action::Thrust, 1, 'K').has_value());
    controls.Unbind(kv::Action::TurnRight, 0);
    ASSERT_FALSE(controls.Bind(kv::Action::TurnRight, 0, 'L').has_value());
    game.Keys.Set('K', true);
    game.Keys.Set(kv::vk::Right, true);
    kv::CombatInput(game);
    EXPECT_DOUBLE_EQ(game.battle.PlayerCombatShip->Thrust, 0.01);
    EXPECT_DOUBLE_EQ(game.battle.PlayerCombatShip->Angle, 360) << "Right turns no more";
    game.Keys.Clear();
    game.Keys.Set('L', true);
    kv::CombatInput(game);
    EXPECT_DOUBLE_EQ(game.battle.PlayerCombatShip->Angle, 2.8125);
}

TEST_F(CombatScene, SpawnKeyHeldThreeTicksAddsThreeEnemiesChasingThePlayer)
{
    game.Keys.Set('T', true);  // hull 5, weapon 2
    Tick(3);
    EXPECT_EQ(Ships(), 5u);
    EXPECT_EQ(game.battle.HostilesLeft, 4);
    EXPECT_EQ(kv::FindShipBySide(game.battle, kv::EnemySide), &Enemy()) << "the set-up enemy stays the first";
    std::shared_ptr<const kv::Bitmap> strip;
    for (const auto& o : game.battle.CombatObjects) {
        if (o->Class != kv::ObjectClass::Ship || o.get() == &Enemy() || o.get() == game.battle.PlayerCombatShip) continue;
        const auto& ship = static_cast<const kv::kvCombatShip&>(*o);
        EXPECT_EQ(ship.Target, kv::ShipTarget::PlayerShip);
        EXPECT_TRUE(ship.ShipRecord->Name.empty());
        EXPECT_EQ(ship.ShipRecord->Hull.Name, game.world.Equipment.HullCatalogue[5].Name);
        if (strip) {
            EXPECT_EQ(ship.Frames, strip) << "one strip per picture, shared";
        }
        strip = ship.Frames;
    }
}

TEST_F(CombatScene, EscWithASpawnKeyLeavesWithoutAddingAndFreesTheBattle)
{
    game.Keys.Set(kv::vk::Escape, true);
    game.Keys.Set('A', true);
    kv::CombatInput(game);
    EXPECT_EQ(game.CurrentScene, kv::SceneSpace);
    EXPECT_TRUE(game.battle.CombatObjects.empty());
    EXPECT_EQ(game.battle.CombatObjects.capacity(), 0u);
    EXPECT_EQ(game.battle.PlayerCombatShip, nullptr);
    EXPECT_EQ(game.battle.TheAttractor, nullptr);
    EXPECT_TRUE(game.battle.Pictures.empty());
    EXPECT_TRUE(game.battle.Strips.empty());
    EXPECT_TRUE(game.battle.CombatTiles.Empty());
    EXPECT_EQ(game.ui.hud.Scanner.Visible, 0);
}

TEST_F(CombatScene, NAddsAnAsteroidAndMAThousandHullPoints)
{
    game.Keys.Set('N', true);
    game.Keys.Set('M', true);
    kv::CombatInput(game);
    EXPECT_EQ(game.battle.CombatObjects.size(), 7u);
    EXPECT_EQ(game.battle.CombatObjects.back()->Class, kv::ObjectClass::Obstacle);
    EXPECT_EQ(game.world.Ship.Hull.HP, game.world.Equipment.HullCatalogue[1].HP + 1000);
}

TEST_F(CombatScene, WalkHandlesObjectsAppendedDuringItInTheSameTick)
{
    Tick();
    int exhausts = 0;
    for (const auto& o : game.battle.CombatObjects) {
        if (o->Class != kv::ObjectClass::Exhaust) continue;
        ++exhausts;
        EXPECT_EQ(static_cast<const kv::kvExhaust&>(*o).Age, 1) << "updated in the tick that made it";
    }
    EXPECT_EQ(exhausts, 2);
    EXPECT_EQ(game.battle.CameraX, static_cast<int32_t>(kv::Nearest(game.battle.PlayerCombatShip->X - 400)));
}

// The battle is over at the start of the frame after the last kill; its
// "Victory" banner shows over the last frames, in which the keys but Esc
// do nothing, and then the game returns to space.
TEST_F(CombatScene, BattleEndsAtTheStartOfTheFrameAfterTheLastKill)
{
    Enemy().ShipRecord->Hull.HP = 0;
    Tick();
    EXPECT_EQ(game.CurrentScene, kv::SceneCombat) << "the frame of the kill is drawn";
    EXPECT_EQ(game.battle.HostilesLeft, 0);
    EXPECT_EQ(Ships(), 1u) << "swept in the same tick";
    EXPECT_EQ(game.battle.Ending, kv::BattleEnding::None);
    kv::ComposeCombatFrame(game);
    EXPECT_EQ(game.battle.Ending, kv::BattleEnding::Won);
    kv::SavePngFile(::testing::TempDir() + "battle_victory.png", game.BackBuffer);
    EXPECT_EQ(game.BackBuffer.Pixel(250, 262), WonColour) << "the banner's frame";
    game.Keys.Set('A', true);
    Tick(kv::EndingBannerFrames - 1);
    EXPECT_EQ(game.CurrentScene, kv::SceneCombat);
    EXPECT_EQ(Ships(), 1u) << "no enemy spawned once the battle is over";
    Tick();
    EXPECT_EQ(game.CurrentScene, kv::SceneSpace);
    EXPECT_TRUE(game.battle.CombatObjects.empty());
}

// Top right, the hull points as a number and a bar, and the weapon's reload;
// brackets round the player's ship; and the radar's blips by side.
TEST_F(CombatScene, TheReadoutFollowsTheHullAndTheWeapon)
{
    const int32_t full = game.world.Equipment.HullCatalogue[1].HP;
    const auto barLit = [this](int y) {
        int lit = 0;
        for (int x = 602; x < 788; ++x) lit += game.BackBuffer.Pixel(x, y) == HullGood ? 1 : 0;
        return lit;
    };
    Tick();
    EXPECT_EQ(barLit(7 + 18 + 2), 186) << "a whole hull fills the bar";
    game.world.Ship.Hull.HP = full / 2;
    Tick();
    EXPECT_EQ(barLit(7 + 18 + 2), 0) << "half a hull turns the bar amber";
    EXPECT_GT(kv::testing::Count(game.BackBuffer, HullLow), 80);
    EXPECT_EQ(barLit(39 + 18 + 2), 186) << "the weapon is ready";
    game.Keys.Set(kv::vk::Space, true);
    Tick();
    EXPECT_LT(barLit(39 + 18 + 2), 30) << "just fired: the reload bar starts again";

    const kv::kvCombatShip& player = *game.battle.PlayerCombatShip;
    const int x = kv::NearestInt(player.X) - game.battle.CameraX + 14;
    const int y = kv::NearestInt(player.Y) - game.battle.CameraY + 14;
    EXPECT_EQ(game.BackBuffer.Pixel(x, y), PlayerMark);
    EXPECT_EQ(game.BackBuffer.Pixel(x + 9, y), PlayerMark);
}

TEST_F(CombatScene, DestroyedPlayerEndsTheBattleWithOneAlertAndIsNeverUsedAgain)
{
    AddShip(game, kv::EnemySide, 5000, 5000);  // a second enemy left alive
    ++game.battle.HostilesLeft;
    game.world.Ship.Hull.HP = 0;
    game.Keys.Set(kv::vk::Space, true);
    game.Keys.Set(kv::vk::Left, true);
    Tick();
    EXPECT_EQ(game.battle.PlayerCombatShip, nullptr);
    EXPECT_EQ(game.battle.HostilesLeft, 2) << "the player is not an enemy";
    kv::CombatInput(game);
    EXPECT_EQ(game.CurrentScene, kv::SceneCombat);
    kv::ComposeCombatFrame(game);
    EXPECT_EQ(game.battle.Ending, kv::BattleEnding::Lost);
    EXPECT_EQ(game.BackBuffer.Pixel(250, 262), LostColour) << "the banner's frame";
    Tick(kv::EndingBannerFrames);
    EXPECT_EQ(game.CurrentScene, kv::SceneSpace);
    const auto& log = game.ui.Console;
    ASSERT_GE(log.Count, 1);
    EXPECT_NE(log.Entries[log.Count].Text.find(kv::PlayerLostText), std::string::npos);
    EXPECT_EQ(log.Entries[log.Count].Kind, kv::MessageKind::Alert);

    kv::SetUpBattle(game);
    EXPECT_EQ(game.world.Ship.Hull.HP, game.world.Equipment.HullCatalogue[1].HP) << "the next battle restores the hull";
    EXPECT_FALSE(game.battle.PlayerLost);
}

TEST_F(CombatScene, SpawnKeyWithoutACatalogueEntryAddsNothingAndSaysSoOnce)
{
    game.world.Equipment.HullCount = 4;
    game.world.Equipment.WeaponCount = 3;
    const int before = game.ui.Console.Count;
    game.Keys.Set('G', true);  // hull 5
    game.Keys.Set('I', true);  // weapon 4
    game.Keys.Set('A', true);  // hull 2, weapon 1: fine
    Tick(5);
    EXPECT_EQ(Ships(), 2u + 5u);
    EXPECT_EQ(game.ui.Console.Count, before + 2) << "one message per key, not per tick";

    game.world.Equipment.HullCount = 5;
    game.world.Equipment.HullCatalogue[5].Name = "NoSuchHull";
    game.Keys.Clear();
    game.Keys.Set('G', true);
    Tick(2);
    EXPECT_EQ(Ships(), 7u);
    EXPECT_EQ(game.ui.Console.Count, before + 2) << "already reported in this battle";
}

TEST_F(CombatScene, ABattleWithoutItsShipsIsCalledOffAndTheGameStaysInSpace)
{
    kv::LeaveCombat(game);
    game.CurrentScene = kv::SceneSpace;
    game.ui.hud.TopBar.Visible = 1;
    game.world.Ship.Hull.Name = "";  // as with an empty hull catalogue
    kv::SetUpBattle(game);
    EXPECT_EQ(game.CurrentScene, kv::SceneSpace);
    EXPECT_EQ(game.ui.hud.TopBar.Visible, 1);
    EXPECT_TRUE(game.battle.CombatObjects.empty());
    EXPECT_EQ(game.ui.Console.Entries[game.ui.Console.Count].Kind, kv::MessageKind::Alert);
}

TEST_F(CombatScene, FarShipsBlipOnTheRadarsRadius40)
{
    kv::kvCombatShip& enemy = Enemy();
    enemy.X = game.battle.PlayerCombatShip->X + 10000;
    enemy.Y = game.battle.PlayerCombatShip->Y;
    enemy.Autopilot = nullptr;
    Tick();
    // u = 40, t = Nearest(2 * 40 / 52.04) = 2: the box (89, 51)-(91, 53),
    // small enough to be all rim, in the enemies' red.
    EXPECT_EQ(game.BackBuffer.Pixel(89, 51), EnemyBlip);
    EXPECT_EQ(game.BackBuffer.Pixel(90, 52), EnemyBlip);
    EXPECT_NE(game.BackBuffer.Pixel(91, 52), EnemyBlip);
    EXPECT_EQ(game.BackBuffer.Pixel(52, 52), PlayerBlip) << "the player's own blip";
}

class CombatRoads : public ::testing::Test {
protected:
    void Play(const std::vector<std::string>& script) { runner.Run(script); }
    void StartBattle()
    {
        form.FormCreate();
        Play({"click 234 56", "tick", "move 150 450", "tick", "click 150 450", "tick"});
        kv::testing::FitPlayerShip(form.game);
        Play({"scene 2", "tick", "shot battle_start"});
        ASSERT_EQ(form.game.CurrentScene, kv::SceneCombat);
    }
    kv::Battle& battle() { return form.game.battle; }

    kv::Window window;
    kv::TfrmMain form{window};
    kv::ScenarioRunner runner{form, ::testing::TempDir() + "kvspace_battles"};
};

TEST_F(CombatRoads, BattleFoughtToItsEnd)
{
    StartBattle();
    kv::kvCombatShip& player = *battle().PlayerCombatShip;
    auto& enemy = static_cast<kv::kvCombatShip&>(*battle().CombatObjects[2]);
    enemy.Autopilot = nullptr;
    enemy.X = player.X + 200;
    enemy.Y = player.Y;
    enemy.VX = enemy.VY = 0;
    enemy.ShipRecord->Hull.HP = 80;
    Play({"hold Space", "tick 25", "shot battle_hit"});
    ASSERT_EQ(form.game.CurrentScene, kv::SceneCombat);
    EXPECT_EQ(enemy.ShipRecord->Hull.HP, 40) << "one beam hit";
    Play({"tick 60", "let Space", "shot battle_victory", "tick 97"});
    EXPECT_EQ(form.game.CurrentScene, kv::SceneSpace);
    EXPECT_TRUE(battle().CombatObjects.empty());
    EXPECT_EQ(form.game.ui.hud.Scanner.Visible, 0);
    EXPECT_EQ(form.game.Sound.RequestedMusic(), form.game.Sound.SoundEnabled ? "res\\sfx\\sndtr\\track1.mod" : "");
    Play({"tick 40", "shot battle_won"});
    EXPECT_EQ(form.game.ui.hud.TopBar.Visible, 1) << "the space HUD slides in again";
}

TEST_F(CombatRoads, KeysReachNoHandlerInBattleAndThePlayersLossReturnsToSpace)
{
    StartBattle();
    Play({"key Grave", "tick"});
    EXPECT_EQ(form.game.ui.hud.ConsoleEdit.Visible, 0) << "the key handler is detached";
    form.game.world.Ship.Hull.HP = 300;
    kv::kvCombatShip& player = *battle().PlayerCombatShip;
    kv::kvCombatObject& rock = *battle().CombatObjects[3];
    rock.X = player.X + 46 - rock.Width / 2;
    rock.Y = player.Y + 46 - rock.Height / 2;
    Play({"tick", "shot battle_lost"});
    EXPECT_EQ(battle().PlayerCombatShip, nullptr);
    Play({"tick", "shot battle_ship_lost", "tick 96"});
    EXPECT_EQ(form.game.CurrentScene, kv::SceneSpace);
    Play({"tick 40", "shot battle_lost_space"});
}

}  // namespace
