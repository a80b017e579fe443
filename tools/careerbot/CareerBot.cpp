#include "CareerBot.h"

#include <algorithm>
#include <cmath>

#include "universe/Career.h"
#include "universe/CareerMarket.h"
#include "universe/CareerNumbers.h"
#include "universe/Jump.h"
#include "universe/Market.h"
#include "universe/Shipyard.h"

namespace kv::bot {

namespace {

// Range to keep in the tank: the longer hops of a galaxy.
constexpr double WantedRange = 150.0;
// Range worth buying fuel for before all else: a hop to a neighbour.
constexpr double LeastRange = 70.0;
constexpr double FighterWinChance = 0.75;
// Credits never spent on goods: the fuel of the next stars, so that a bad
// trade never strands the ship.
constexpr int32_t FuelMoney = 150;
constexpr uint8_t BigHull = 3;
constexpr int MostRouteTries = 50;
// A route worth repeating promises this much on its first trip.
constexpr double LeastRouteProfit = 2000;
// Hold room kept free of goods for the fuel of the next stars.
constexpr uint32_t FuelRoom = 20;
constexpr uint8_t EnemyHull = 2;
constexpr uint8_t EnemyWeapon = 2;

const CareerRow& MemoryOf(const World& world, uint8_t star, uint8_t goods)
{
    return (*world.Career.Markets)[world.Pilot.Galaxy][star].Rows[goods];
}

// How fast a row's price moves per unit traded there.
double Slope(int32_t price, const CareerRow& memory)
{
    return price * career::Elasticity / (memory.GenQuantity + career::StockCushion);
}

}  // namespace

int64_t Wealth(const World& world)
{
    double goods = 0;
    for (const double paid : world.Career.CostPaid) goods += paid;
    return world.Pilot.Cash + static_cast<int64_t>(goods);
}

CareerBot::CareerBot(Style style, uint32_t seed) : style_(style), own_(seed ^ 0x5eed)
{
    LoadCatalogues(world);
    world.random.Seed(seed);
    StartWorld(world);
    FitShip(world.Ship, world.Equipment, parts);
    StartCareer(world);
    home_ = world.Pilot.Star;
}

std::vector<CareerBot::Plan> CareerBot::PlanFor(uint8_t star) const
{
    const double arrival =
        world.Pilot.GameDate + JumpDays(StarDistance(CurrentGalaxy(world), world.Pilot.Star, star));
    std::vector<Plan> plans;
    for (uint8_t k = 1; k <= GoodsCount; ++k) {
        if (k == FuelGoods) continue;
        const PriceListItem& here = CurrentMarket(world)[k];
        const PriceListItem there = PeekRow(world, world.Pilot.Galaxy, star, k, arrival);
        const double margin = static_cast<double>(there.BuyPrice) - here.SellPrice;
        if (margin <= 0 || here.Quantity == 0) continue;
        const CareerRow& source = MemoryOf(world, world.Pilot.Star, k);
        const CareerRow& target = MemoryOf(world, star, k);
        const double slope = Slope(here.SellPrice, source) + Slope(there.BuyPrice, target);
        const double room = std::max(0, StoreCap(target) - there.Quantity);
        const double units = std::min({std::floor(margin / slope) + 1, static_cast<double>(here.Quantity), room});
        if (units < 1) continue;
        plans.push_back({k, static_cast<uint32_t>(units), units * margin - units * (units - 1) / 2 * slope});
    }
    std::sort(plans.begin(), plans.end(), [](const Plan& a, const Plan& b) { return a.Profit / a.Units > b.Profit / b.Units; });
    return plans;
}

// The plan's profit within the hold's room and the cash, less the fuel.
double CareerBot::PlanProfit(uint8_t star) const
{
    double room = std::max<double>(0, double(HoldRoom(world)) - FuelRoom);
    double cash = world.Pilot.Cash - Reserve();
    double profit = 0;
    for (const Plan& p : PlanFor(star)) {
        const double price = CurrentMarket(world)[p.Goods].SellPrice;
        const double units = std::min({double(p.Units), room, std::floor(cash / price)});
        if (units <= 0) break;
        profit += p.Profit * units / p.Units;
        room -= units;
        cash -= units * price;
    }
    const double distance = StarDistance(CurrentGalaxy(world), world.Pilot.Star, star);
    const double fuelUnits = distance * world.Ship.Engine.Consumption / FuelPerUnit;
    return profit + ContractRewards(star) - fuelUnits * CurrentMarket(world)[FuelGoods].SellPrice;
}

// A fighter risks only half its cash on cargo and deposits: a lost battle
// takes the cargo.
int32_t CareerBot::Reserve() const
{
    return style_ == Style::Fighter ? std::max(4 * FuelMoney, world.Pilot.Cash / 2) : FuelMoney;
}

bool CareerBot::Affordable(const Contract& offer) const
{
    return world.Pilot.Cash - offer.Deposit >= Reserve() && HoldRoom(world) >= offer.Units &&
           world.Career.Accepted.size() < career::MostContracts;
}

// The rewards of the contracts a jump to `star` delivers: those accepted and
// those on offer here that the bot can take.
double CareerBot::ContractRewards(uint8_t star) const
{
    double rewards = 0;
    for (const Contract& c : world.Career.Accepted)
        if (c.Galaxy == world.Pilot.Galaxy && c.Star == star) rewards += c.Reward;
    for (const Contract& c : world.Career.Offers)
        if (c.Star == star && Affordable(c)) rewards += c.Reward;
    return rewards;
}

void CareerBot::AcceptOffersTo(uint8_t star)
{
    for (std::size_t i = world.Career.Offers.size(); i >= 1; --i) {
        const Contract& c = world.Career.Offers[i - 1];
        if (c.Star == star && Affordable(c)) AcceptOffer(world, i);
    }
}

uint8_t CareerBot::BestDestination() const
{
    uint8_t best = 0;
    double bestProfit = 0;
    for (uint8_t j = 1; j <= CurrentGalaxy(world).StarCount; ++j) {
        if (!CanJump(world, j)) continue;
        const double profit = PlanProfit(j);
        if (profit > bestProfit) {
            best = j;
            bestProfit = profit;
        }
    }
    return best;
}

uint8_t CareerBot::NearestDestination() const
{
    uint8_t nearest = 0;
    const kvGalaxy& galaxy = CurrentGalaxy(world);
    for (uint8_t j = 1; j <= galaxy.StarCount; ++j) {
        if (!CanJump(world, j)) continue;
        if (nearest == 0 || StarDistance(galaxy, world.Pilot.Star, j) < StarDistance(galaxy, world.Pilot.Star, nearest))
            nearest = j;
    }
    return nearest;
}

void CareerBot::SellCargo()
{
    for (uint8_t k = 1; k <= GoodsCount; ++k)
        while (k != FuelGoods && world.Pilot.Cargo[k].Quantity > 0 && CanSell(world, k)) SellOne(world, k);
}

// Fuel for a hop first, then, while the cash stays above what a hop costs,
// for the longer jumps.
void CareerBot::Refuel()
{
    while (JumpRange(world.Ship) < LeastRange && CanBuy(world, FuelGoods)) BuyOne(world, FuelGoods);
    while (JumpRange(world.Ship) < WantedRange && CanBuy(world, FuelGoods) && world.Pilot.Cash > 2 * FuelMoney)
        BuyOne(world, FuelGoods);
}

void CareerBot::BuyFor(uint8_t star)
{
    for (const Plan& p : PlanFor(star))
        for (uint32_t n = 0; n < p.Units && CanBuy(world, p.Goods) && HoldRoom(world) > FuelRoom &&
                             world.Pilot.Cash - CurrentMarket(world)[p.Goods].SellPrice >= Reserve();
             ++n)
            BuyOne(world, p.Goods);
}

void CareerBot::MaybeBuyHull()
{
    if (parts.Hull >= BigHull || world.Equipment.HullCount < BigHull) return;
    if (CurrentGalaxy(world).Stars[world.Pilot.Star].TechLevel < PartTechLevel(BigHull)) return;
    if (world.Pilot.Cash < 3 * PartCost(world.Equipment, parts, PartKind::Hull, BigHull)) return;
    BuyPart(world, parts, PartKind::Hull, BigHull);
}

void CareerBot::Fight()
{
    if (own_.NextReal() < FighterWinChance)
        PayForKill(world, world.Equipment.HullCatalogue[EnemyHull], world.Equipment.WeaponCatalogue[EnemyWeapon]);
    else LoseShip(world);
}

bool CareerBot::JumpTo(uint8_t star)
{
    if (star == 0) return false;
    const JumpOutcome outcome = Hyperjump(world, star);
    if (outcome == JumpOutcome::Refused) return false;
    ++jumps;
    if (outcome == JumpOutcome::Ambushed && style_ == Style::Fighter) Fight();
    TakeNotices(world);
    return true;
}

bool CareerBot::Step()
{
    SellCargo();
    Refuel();
    if (style_ == Style::Trader) MaybeBuyHull();
    uint8_t star = 0;
    if (style_ == Style::Repeater) {
        star = world.Pilot.Star == home_ ? partner_ : home_;
        const double distance = StarDistance(CurrentGalaxy(world), world.Pilot.Star, star);
        while (JumpRange(world.Ship) < distance && CanBuy(world, FuelGoods)) BuyOne(world, FuelGoods);
    } else {
        star = BestDestination();
        if (star == 0) star = NearestDestination();
    }
    if (star == 0) return false;
    if (style_ != Style::Repeater) AcceptOffersTo(star);
    BuyFor(star);
    return JumpTo(star);
}

bool CareerBot::FindRoute()
{
    for (int tries = 0; tries < MostRouteTries; ++tries) {
        SellCargo();
        Refuel();
        partner_ = BestDestination();
        if (partner_ != 0 && PlanProfit(partner_) >= LeastRouteProfit) {
            home_ = world.Pilot.Star;
            return true;
        }
        if (!JumpTo(NearestDestination())) return false;
    }
    return false;
}

void CareerBot::Play(uint32_t count)
{
    for (uint32_t i = 0; i < count; ++i) {
        if (!Step()) break;
        curve.push_back({jumps, Wealth(world), world.Pilot.TradeRank, world.Pilot.CombatRank});
    }
}

}  // namespace kv::bot
