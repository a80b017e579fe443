// The career rules: the second rule set beside the classic one, chosen per
// new game. In a career game time passes with each jump, the markets
// remember what was traded and forget it over days, the news moves prices,
// battles pay, the shipyard sells parts, the galactic jump reaches galaxies
// 2..10 and the markets offer delivery contracts. A classic game never runs
// a career function: the callers of the shared rules (Market, Jump) ask
// World::Rules first.
//
// This unit holds the career's records, the start of a career, the arrival
// at a star, the rewards of battle and the galactic jump. The market is in
// CareerMarket, the parts in Shipyard, the contracts in Contracts; the
// numbers in CareerNumbers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/OneBased.h"
#include "universe/SpaceCraft.h"
#include "universe/Wares.h"

namespace kv {

struct World;

// One galaxy of markets per galaxy of the world, one market per star.
constexpr std::size_t CareerGalaxyCount = 10;
constexpr std::size_t CareerStarCount = 49;

// What a career game remembers of one market row beside the row itself:
// what generation made of it, how much has been traded there lately, and the
// news that moves it.
struct CareerRow {
    int32_t GenBuy = 0;       // the generated paying price
    int32_t GenSell = 0;      // the generated asking price
    uint16_t GenQuantity = 0; // the generated stock
    double Pressure = 0.0;    // units bought less units sold, in generated stores (cushioned)
    double NewsFactor = 1.0;  // the news' multiplier of both prices
    double NewsUntil = 0.0;   // the game date the news stops holding
    bool operator==(const CareerRow&) const = default;
};

struct CareerStar {
    double Settled = 0.0;  // the game date the rows were last relaxed to
    OneBased<CareerRow, GoodsCount> Rows;
    bool operator==(const CareerStar&) const = default;
};

using CareerGalaxy = OneBased<CareerStar, CareerStarCount>;
using CareerMarkets = OneBased<CareerGalaxy, CareerGalaxyCount>;

// Carry Units of Goods to Star of Galaxy by the date Due: the deposit is
// paid on accepting, the reward and the deposit back on delivery.
struct Contract {
    uint8_t Goods = 1;
    uint16_t Units = 0;
    uint8_t Galaxy = 1;
    uint8_t Star = 1;
    double Due = 0.0;
    int32_t Reward = 0;
    int32_t Deposit = 0;
    bool operator==(const Contract&) const = default;
};

// A line the rules have for the player, with the console's message kind
// (0 alert, 1 information, 3 mail).
struct Notice {
    std::string Text;
    uint8_t Kind = 1;
};
constexpr uint8_t NoticeAlert = 0;
constexpr uint8_t NoticeInformation = 1;
constexpr uint8_t NoticeMail = 3;

struct CareerState {
    // The markets' memory; made by StartCareer (empty in a classic game).
    std::unique_ptr<CareerMarkets> Markets;
    // What the units in each hold row cost, in all, and where the last of
    // them was bought (galaxy x 256 + star, 0 nowhere): a sale's trade points
    // are its profit over their average, earned only at another star.
    OneBased<double, GoodsCount> CostPaid;
    OneBased<uint16_t, GoodsCount> BoughtAt;
    std::vector<Contract> Offers;    // at the current star, at most MostOffers
    std::vector<Contract> Accepted;  // at most MostContracts
    uint32_t Kills = 0;
    uint32_t Deliveries = 0;
    uint32_t ShipsLost = 0;
    uint16_t GalaxiesReached = 1;  // bit g - 1 for galaxy g
    // What the rules told the player since the screens last took it.
    std::vector<Notice> Notices;
};

bool IsCareer(const World& world);

// Turns the freshly generated world into a career: the markets remember
// their generated rows, the hold's fuel is counted as bought at the home
// star's price, and the arrival rules run once at the home star.
void StartCareer(World& world);

// The game days a jump over `distance` map units takes.
double JumpDays(double distance);

// The units the hold carries: every cargo row (fuel included) and the
// accepted contracts' goods. At most the hull's Volume in a career game.
uint32_t HoldUsed(const World& world);
uint32_t HoldRoom(const World& world);

// The ship is at a star after `days` of travel: the date moves on, the
// star's market relaxes, contracts are delivered or forfeited, the news may
// speak and new contract offers are made; a pilot stranded there (no star
// in reach, nothing to sell, no money for the fuel) is given the fuel for
// the nearest star.
void CareerArrival(World& world, double days);
// A hyperjump over `distance` has just moved the ship, with `fuelUnitsBefore`
// fuel units in the hold when it left: the fuel's cost follows the units
// burnt, then the arrival rules run.
void CareerJumped(World& world, double distance, uint16_t fuelUnitsBefore);

// An enemy destroyed: the bounty, the combat points, the rank and the score.
// Returns the bounty.
int32_t PayForKill(World& world, const kvFormFactor& hull, const kvWeapon& weapon);
// The ship lost in battle: the cargo but the fuel is gone, the tank holds at
// least the starting 16 units, and the repairs are paid; a pilot stranded
// by it is given fuel as on arrival.
void LoseShip(World& world);

// The star of the pilot's galaxy the galactic jump leaves from: its first
// star of the highest tech level.
uint8_t GatewayStar(const World& world, uint8_t galaxy);
// To the next galaxy's gateway (galaxy 10 leads back to 1), for the fee.
// Refused, with a notice, unless the ship is at the gateway and can pay.
bool GalacticJump(World& world);

// Leaves a notice for the player.
void AddNotice(World& world, std::string text, uint8_t kind);
// Takes the notices the rules left.
std::vector<Notice> TakeNotices(World& world);

}  // namespace kv
