// A saved game as a career leaves it: fresh galaxies, then trades that
// moved market stock and the hold, jumps, a named pilot with odd points and
// a refitted ship. Shared by the save tests.
#pragma once

#include "game/SaveFile.h"

namespace kvtest {

inline kv::SavedGame PlayedSave(uint32_t seed)
{
    kv::SavedGame save;
    kv::Random random(seed);
    const kv::GoodsTable goods = kv::GoodsCatalogue();
    kv::GenerateGalaxies(*save.galaxies, goods, random);
    kv::Galaxies& galaxies = *save.galaxies;
    galaxies[1].Stars[2].PriceList[5].Quantity = 0;
    galaxies[1].Stars[3].PriceList[12].Quantity = 65535;
    kv::kvPlayer& p = save.Pilot;
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
    save.Difficulty = 3;
    save.Fuel = 102.557;
    save.HullChoice = 2;
    save.EngineChoice = 3;
    save.WeaponChoice = 4;
    save.SelectedStar = 5;
    save.MapLevel = 0;
    save.SavedAt = 1796846400;
    return save;
}

}  // namespace kvtest
