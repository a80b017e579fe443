// A headless career player over the rules alone, no window: the tool the
// balance tests and the career benchmark play seeded careers with.
//
//   Trader    sells what it carries, refuels, picks the reachable star whose
//             prices and contracts promise the most profit for one jump (the
//             nearest when none promises any), accepts the contracts for it,
//             buys for it, and buys the big Hauler hull once it can afford
//             it three times.
//   Repeater  shuttles between one star and its best partner (FindRoute),
//             trading each way, whatever the prices say, and takes no
//             contracts.
//   Fighter   trades as the trader does, risking half its cash and keeping
//             the small hull, and fights every ambush, winning three battles
//             in four.
//
// Battles are not flown: a fighter's battle is one enemy (the set-up's
// Viper with its Pulser) destroyed, or the ship lost; a trader flees.
#pragma once

#include <cstdint>
#include <vector>

#include "base/Random.h"
#include "universe/Contracts.h"
#include "universe/SpaceCraft.h"
#include "universe/World.h"

namespace kv::bot {

enum class Style : uint8_t { Trader, Repeater, Fighter };

// One point of a career's curve, taken after each jump.
struct Sample {
    uint32_t Jump = 0;
    int64_t Wealth = 0;
    uint8_t TradeRank = 0;
    uint8_t CombatRank = 0;
};

// Cash plus what the goods in the hold cost.
int64_t Wealth(const World& world);

class CareerBot {
public:
    // A new career game from `seed` (the catalogues are read from the data
    // folder, so the working directory is the game's).
    CareerBot(Style style, uint32_t seed);

    // One decision and one jump; false when no star is in reach and nothing
    // can be done about it.
    bool Step();
    // A repeater's route: from the star it is at, or from the first star on
    // the way to its nearest neighbours that has a profitable partner. False
    // when none is found.
    bool FindRoute();
    // Steps `jumps` times, sampling after each.
    void Play(uint32_t jumps);

    World world;
    PartChoices parts;
    std::vector<Sample> curve;
    uint32_t jumps = 0;

private:
    struct Plan {
        uint8_t Goods = 0;
        uint32_t Units = 0;
        double Profit = 0;
    };
    std::vector<Plan> PlanFor(uint8_t star) const;
    double PlanProfit(uint8_t star) const;
    uint8_t BestDestination() const;
    uint8_t NearestDestination() const;
    int32_t Reserve() const;
    bool Affordable(const Contract& offer) const;
    double ContractRewards(uint8_t star) const;
    void AcceptOffersTo(uint8_t star);
    void SellCargo();
    void Refuel();
    void BuyFor(uint8_t star);
    void MaybeBuyHull();
    void Fight();
    bool JumpTo(uint8_t star);

    Style style_;
    Random own_;
    uint8_t home_ = 1;
    uint8_t partner_ = 0;
};

}  // namespace kv::bot
