// A long seeded battle replayed against the checksums recorded when it was
// first fought: every frame and every object's state, tick by tick. Any
// change to what the battle computes (which bullet hits which ship and in
// what order, every explosion appended, every random draw) changes the
// checksums from that tick on.
//
// The battle is fought with pictures and a catalogue made here, in a folder
// of its own, so new art for the game does not change what it replays.
// When the battle's rules change on purpose, run this test with
// KV_RECORD_REPLAY set: it prints the new checksums for
// support/BattleReplay.inc instead of comparing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "shell/CombatScene.h"
#include "game/Game.h"
#include "platform/BmpFile.h"

namespace {

namespace fs = std::filesystem;

constexpr int ReplayTicks = 5000;
constexpr int TicksPerCheck = 100;
constexpr kv::Rgb Grey{128, 128, 128};

// The chained checksum after every 100th tick of the replay.
constexpr std::array<uint64_t, ReplayTicks / TicksPerCheck> Recorded{{
#include "support/BattleReplay.inc"
}};

uint64_t Mix(uint64_t h, uint64_t v)
{
    h = (h ^ v) * 0x9E3779B97F4A7C15ull;
    return h ^ (h >> 31);
}

uint64_t Bits(double v)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

uint64_t FrameChecksum(const kv::Bitmap& frame)
{
    const std::size_t bytes = static_cast<std::size_t>(frame.Height()) * frame.Stride();
    uint64_t h = 0;
    for (std::size_t i = 0; i + 8 <= bytes; i += 8) {
        uint64_t word = 0;
        std::memcpy(&word, frame.Data() + i, 8);
        h = (h + word) * 0x100000001B3ull;
    }
    return h;
}

uint64_t StateChecksum(const kv::Game& game)
{
    const kv::Battle& b = game.battle;
    uint64_t h = Mix(game.world.random.CurrentSeed(), b.HostilesLeft);
    h = Mix(h, static_cast<uint64_t>(game.world.Ship.Hull.HP));
    for (const auto& o : b.CombatObjects) {
        h = Mix(h, static_cast<uint64_t>(o->Class));
        for (double v : {o->X, o->Y, o->VX, o->VY, o->Angle}) h = Mix(h, Bits(v));
        h = Mix(h, o->Alpha);
        if (o->Class == kv::ObjectClass::Ship) {
            h = Mix(h, static_cast<uint64_t>(static_cast<const kv::kvCombatShip&>(*o).ShipRecord->Hull.HP));
        }
    }
    return h;
}

// Each shape is drawn facing right on the transparent colour, so that the
// hit test's pixel rule matters.
kv::Bitmap ShipPicture(int hull)
{
    kv::Bitmap picture(92, 92);
    picture.Fill(kv::ColourKey);
    const kv::Rgb colour{static_cast<uint8_t>(40 * hull), 200, static_cast<uint8_t>(250 - 40 * hull)};
    for (int y = 0; y < 92; ++y)
        for (int x = 10 + 4 * hull; x < 84; ++x)
            if (2 * std::abs(y - 46) < x - 4 * hull) picture.SetPixel(x, y, colour);
    return picture;
}

kv::Bitmap RockPicture()
{
    kv::Bitmap picture(40, 36);
    picture.Fill(kv::ColourKey);
    for (int y = 0; y < 36; ++y)
        for (int x = 0; x < 40; ++x)
            if ((x - 20) * (x - 20) + (y - 18) * (y - 18) < 17 * 17) picture.SetPixel(x, y, Grey);
    return picture;
}

// Eight square frames of a ring that grows, on black.
kv::Bitmap ExplosionStrip()
{
    kv::Bitmap strip(24, 24 * 8);
    strip.Fill(kv::Black);
    for (int f = 0; f < 8; ++f)
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x) {
                const int d = (x - 12) * (x - 12) + (y - 12) * (y - 12);
                if (d >= f * f && d < (f + 3) * (f + 3)) strip.SetPixel(x, 24 * f + y, kv::Rgb{255, 160, 20});
            }
    return strip;
}

class BattleReplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::path(::testing::TempDir()) / ("kvspace_replay_" + std::to_string(getpid()));
        fs::create_directories(folder / "res/gfx/models");
        fs::create_directories(folder / "res/gfx/backgrounds");
        const std::string models = (folder / "res/gfx/models/").string();
        for (int hull = 1; hull <= 5; ++hull) kv::SaveBmpFile(models + "hull" + std::to_string(hull) + ".bmp", ShipPicture(hull));
        kv::SaveBmpFile(models + "aster1.bmp", RockPicture());
        kv::SaveBmpFile(models + "aster2.bmp", RockPicture());
        kv::Bitmap bullet(2, 2);
        bullet.Fill(kv::White);
        kv::SaveBmpFile(models + "bullet.bmp", bullet);
        kv::SaveBmpFile(models + "explosion1.bmp", ExplosionStrip());
        kv::SaveBmpFile((folder / "res/gfx/backgrounds/combat_tiles1.bmp").string(), bullet);
        previous = fs::current_path();
        fs::current_path(folder);
        FitOut();
    }
    void TearDown() override
    {
        fs::current_path(previous);
        fs::remove_all(folder);
    }

    void FitOut()
    {
        game.BackBuffer.SetSize(800, 600);
        game.SwitchScene = [this](uint8_t scene) { game.CurrentScene = scene; };
        game.ui.hud.Scanner.Create(101, 101);
        kv::ShipCatalogue& c = game.world.Equipment;
        c.HullCount = 5;
        c.WeaponCount = 4;
        for (int h = 1; h <= 5; ++h) {
            c.HullCatalogue[h].Name = "hull" + std::to_string(h);
            c.HullCatalogue[h].HP = 60 + 40 * h;
        }
        const std::array<std::array<int, 5>, 4> weapons{{
            // type, damage, reload, speed, length
            {0, 40, 12, 8, 2},
            {1, 25, 16, 6, 1},
            {2, 90, 30, 4, 1},
            {0, 120, 45, 14, 3},
        }};
        for (std::size_t w = 0; w < weapons.size(); ++w) {
            kv::kvWeapon& weapon = c.WeaponCatalogue[w + 1];
            weapon.Name = "gun" + std::to_string(w + 1);
            weapon.WeaponType = static_cast<uint8_t>(weapons[w][0]);
            weapon.Damage = static_cast<int16_t>(weapons[w][1]);
            weapon.Reload = static_cast<int16_t>(weapons[w][2]);
            weapon.Speed = weapons[w][3];
            weapon.Length = weapons[w][4];
        }
        game.world.Ship.Hull = c.HullCatalogue[1];
        game.world.Ship.WeaponSlot = 1;
        game.world.Ship.Weapons[1] = c.WeaponCatalogue[2];
    }

    // The set-up reseeds from the clock; what it placed at random is put
    // back in fixed places, and the draws from here on follow a fixed seed.
    void StartBattle(uint32_t seed)
    {
        game.world.random.Seed(seed);
        kv::SetUpBattle(game);
        ASSERT_EQ(game.CurrentScene, kv::SceneCombat);
        game.world.random.Seed(seed * 7 + 1);
        auto& list = game.battle.CombatObjects;
        list[2]->X = 650;
        list[2]->Y = 120;
        for (std::size_t i = 3; i < 6; ++i) {
            auto& rock = static_cast<kv::kvObstacle&>(*list[i]);
            rock.X = 130.0 * static_cast<double>(i);
            rock.Y = 90.0 * static_cast<double>(i);
            rock.VX = 0.25 * static_cast<double>(i) - 1;
            rock.VY = 1 - 0.3 * static_cast<double>(i);
            rock.Spin = static_cast<double>(i) - 4;
        }
    }

    // The player spins and fires, now and then thrusts one way or the
    // other; an enemy comes every 6 ticks through the spawn keys in turn,
    // an asteroid every 250; the hull is repaired when it runs low.
    void HoldKeys(int tick)
    {
        kv::KeyState& keys = game.Keys;
        keys.Clear();
        keys.Set(kv::vk::Space, true);
        keys.Set(kv::vk::Right, tick % 400 < 300);
        keys.Set(kv::vk::Left, tick % 400 >= 350);
        keys.Set(kv::vk::Up, tick % 700 < 90);
        keys.Set(kv::vk::Down, tick % 700 >= 350 && tick % 700 < 400);
        if (tick % 6 == 0) {
            const int n = tick / 6;
            keys.Set(kv::SpawnKeys[n % 5][(n / 5) % 4], true);
        }
        keys.Set('N', tick % 250 == 0);
        keys.Set('M', game.world.Ship.Hull.HP < 400);
    }

    fs::path folder;
    fs::path previous;
    kv::Game game;
};

TEST_F(BattleReplay, FramesAndObjectsMatchTheRecordedBattle)
{
    const bool recording = std::getenv("KV_RECORD_REPLAY") != nullptr;
    StartBattle(20261209);
    uint64_t chain = 0;
    std::size_t mostObjects = 0;
    int battles = 1;
    for (int tick = 1; tick <= ReplayTicks; ++tick) {
        if (game.CurrentScene != kv::SceneCombat) {
            StartBattle(static_cast<uint32_t>(tick));
            ++battles;
        }
        HoldKeys(tick);
        kv::CombatInput(game);
        if (game.CurrentScene == kv::SceneCombat) kv::ComposeCombatFrame(game);
        chain = Mix(Mix(chain, FrameChecksum(game.BackBuffer)), StateChecksum(game));
        mostObjects = std::max(mostObjects, game.battle.CombatObjects.size());
        if (tick % TicksPerCheck == 0 && recording) std::printf("0x%016llxull,\n", static_cast<unsigned long long>(chain));
        if (tick % TicksPerCheck == 0 && !recording) {
            ASSERT_EQ(chain, Recorded[tick / TicksPerCheck - 1]) << "the battle first differs within the 100 ticks before " << tick;
        }
    }
    EXPECT_GT(mostObjects, 1000u) << "a crowded battle";
    RecordProperty("battles", battles);
}

}  // namespace
