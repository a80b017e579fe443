// The pilot: name and portrait, class, money, ranks, the game date, where the
// ship is, and the cargo hold; the rank ladders. There is one pilot, the
// world's Pilot, overwritten by each new game.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "universe/Wares.h"

namespace kv {

struct World;

struct kvPlayer {
    std::string Name;
    uint8_t Avatar = 1;          // portrait 1..7
    int32_t Cash = 0;
    uint8_t TradeRank = 0;       // index into TradeRankNames
    uint8_t CombatRank = 0;      // index into CombatRankNames
    double GameDate = 0.0;       // days from 30 December 1899
    uint8_t Galaxy = 1;
    uint8_t Star = 1;
    uint8_t Reserved = 1;        // carried with the record; no rule reads it
    int32_t Score = 0;
    uint8_t Class = 1;           // 1..4, index into ClassNames
    long double TradePoints = 0;
    long double CombatPoints = 0;
    PriceTable Cargo;            // the hold: Goods and Quantity of row k are goods k
    bool operator==(const kvPlayer&) const = default;
};

constexpr std::array<std::string_view, 7> TradeRankNames{
    "Newbie", "Seller", "Businessman", "Merchant", "Diller", "Retailer", "Tycoon"};
constexpr std::array<std::string_view, 11> CombatRankNames{
    "Recruit", "Jr.Sergeant", "Sergeant", "Sr.Sergeant", "Jr.Lieutenant", "Lieutenant",
    "Sr. Lieutenant", "Captain", "Major", "Colonel", "Veteran"};
// Index 1..4 of the pilot's class; index 0 is never shown.
constexpr std::array<std::string_view, 5> ClassNames{"", "Trader", "Fighter", "Pilot", "Technician"};
// The name of class 1..4; empty for any other number.
constexpr std::string_view ClassName(int choice)
{
    return choice >= 1 && choice < static_cast<int>(ClassNames.size()) ? ClassNames[static_cast<std::size_t>(choice)]
                                                                       : std::string_view{};
}

// The points at which rank i is reached, for both ladders.
constexpr std::array<long double, 7> RankThresholds{0, 100, 20000, 400000, 8000000, 16000000, 320000000};

// 22 April 2005, the day every new game starts on.
constexpr double StartDate = 38464.0;
constexpr int32_t StartCash = 1000;
constexpr uint16_t StartFuelUnits = 16;

// Recomputes both ranks from the points: the highest threshold reached.
void UpdateRanks(kvPlayer& pilot);

// Resets the pilot (cash, ranks, date, home star, a hold empty but for 16
// units of fuel) and refits the ship with the first engine and weapon; the
// name, portrait and class are left to the caller.
void InitPlayer(World& world);

}  // namespace kv
