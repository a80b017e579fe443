// A saved game as a career leaves it: fresh galaxies, then trades that
// moved market stock and the hold, jumps, a named pilot with odd points and
// a refitted ship; and two worlds compared field by field. Shared by the
// save tests.
#pragma once

#include <gtest/gtest.h>

#include "game/SaveFile.h"

namespace kvtest {

inline void ExpectSameStar(const kv::kvStar& a, const kv::kvStar& b)
{
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_EQ(a.Government, b.Government);
    EXPECT_EQ(a.TechLevel, b.TechLevel);
    EXPECT_EQ(a.SpectralClass, b.SpectralClass);
    EXPECT_EQ(a.X, b.X);
    EXPECT_EQ(a.Y, b.Y);
    EXPECT_EQ(a.Z, b.Z);
    EXPECT_EQ(a.Number, b.Number);
    EXPECT_EQ(a.Marker, b.Marker);
    EXPECT_EQ(a.Size, b.Size);
    for (std::size_t k = 1; k <= kv::GoodsCount; ++k) {
        EXPECT_EQ(a.PriceList[k].Quantity, b.PriceList[k].Quantity);
        EXPECT_EQ(a.PriceList[k].SellPrice, b.PriceList[k].SellPrice);
        EXPECT_EQ(a.PriceList[k].BuyPrice, b.PriceList[k].BuyPrice);
    }
    ASSERT_EQ(a.PlanetCount, b.PlanetCount);
    for (std::size_t p = 1; p <= a.PlanetCount; ++p) {
        EXPECT_EQ(a.Planets[p].Name, b.Planets[p].Name);
        EXPECT_EQ(a.Planets[p].Radius, b.Planets[p].Radius);
        EXPECT_EQ(a.Planets[p].OrbitRadius, b.Planets[p].OrbitRadius);
        EXPECT_EQ(a.Planets[p].OrbitSpeed, b.Planets[p].OrbitSpeed);
        EXPECT_EQ(a.Planets[p].OrbitTilt, b.Planets[p].OrbitTilt);
    }
}

// A copy of a world, its galaxies and all.
inline kv::World CopyOf(const kv::World& w)
{
    kv::World copy;
    *copy.galaxies = *w.galaxies;
    copy.Pilot = w.Pilot;
    copy.Ship = w.Ship;
    copy.Goods = w.Goods;
    copy.Equipment = w.Equipment;
    copy.Difficulty = w.Difficulty;
    copy.random = w.random;
    return copy;
}

// Every field a game reads: the galaxies up to their star counts (entries
// beyond are stale and never saved), the pilot with the hold, the ship, the
// catalogues, the difficulty and the generator.
inline void ExpectSameWorld(const kv::World& a, const kv::World& b)
{
    for (std::size_t g = 1; g <= kv::GalaxyCount; ++g) {
        const kv::kvGalaxy& ga = (*a.galaxies)[g];
        const kv::kvGalaxy& gb = (*b.galaxies)[g];
        EXPECT_EQ(ga.Name, gb.Name);
        EXPECT_EQ(ga.Extras, gb.Extras);
        ASSERT_EQ(ga.StarCount, gb.StarCount) << "galaxy " << g;
        for (std::size_t j = 1; j <= ga.StarCount; ++j) ExpectSameStar(ga.Stars[j], gb.Stars[j]);
    }
    EXPECT_EQ(a.Pilot.TradePoints, b.Pilot.TradePoints) << "extended points survive exactly";
    EXPECT_TRUE(a.Pilot == b.Pilot) << "the pilot and the hold";
    EXPECT_TRUE(a.Ship == b.Ship) << "the ship";
    EXPECT_TRUE(a.Goods == b.Goods) << "the goods catalogue";
    EXPECT_TRUE(a.Equipment == b.Equipment) << "the equipment catalogues";
    EXPECT_EQ(a.Difficulty, b.Difficulty);
    EXPECT_TRUE(a.random == b.random) << "the generator";
}

inline kv::SavedGame PlayedSave(uint32_t seed)
{
    kv::SavedGame save;
    kv::Random random(seed);
    const kv::GoodsTable goods = kv::GoodsCatalogue();
    kv::GenerateGalaxies(*save.world.galaxies, goods, random);
    kv::Galaxies& galaxies = *save.world.galaxies;
    galaxies[1].Stars[2].PriceList[5].Quantity = 0;
    galaxies[1].Stars[3].PriceList[12].Quantity = 65535;
    kv::kvPlayer& p = save.world.Pilot;
    p.Name = "Ann Bonny 2";
    p.Avatar = 6;
    p.Cash = -12345;
    p.TradePoints = 20000.1L / 3;
    p.CombatPoints = 0.1L;
    kv::UpdateRanks(p);
    p.GameDate = kv::StartDate + 0.75;
    p.Galaxy = 1;
    p.Star = 3;
    p.Reserved = 9;
    p.Score = 77;
    p.Class = 4;
    for (std::size_t k = 1; k <= kv::GoodsCount; ++k) p.Cargo[k].Quantity = static_cast<uint16_t>(k * 11);
    save.world.Difficulty = 3;
    save.world.Ship.Fuel = 102.557;
    save.HullChoice = 2;
    save.EngineChoice = 3;
    save.WeaponChoice = 4;
    save.SelectedStar = 5;
    save.MapLevel = 0;
    save.SavedAt = 1796846400;
    return save;
}

}  // namespace kvtest
