#include "universe/Career.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "base/Numbers.h"
#include "universe/CareerMarket.h"
#include "universe/CareerNumbers.h"
#include "universe/Contracts.h"
#include "universe/Jump.h"
#include "universe/Market.h"
#include "universe/World.h"

namespace kv {

namespace {

using namespace career;

int32_t AddCash(int32_t cash, int64_t amount)
{
    return ClampToInt32(int64_t{cash} + amount);
}

void RememberGeneratedMarkets(World& world)
{
    world.Career.Markets = std::make_unique<CareerMarkets>();
    for (std::size_t g = 1; g <= CareerGalaxyCount; ++g) {
        kvGalaxy& galaxy = (*world.galaxies)[g];
        for (std::size_t j = 1; j <= galaxy.StarCount; ++j) {
            CareerStar& memory = (*world.Career.Markets)[g][j];
            memory.Settled = world.Pilot.GameDate;
            for (std::size_t k = 1; k <= GoodsCount; ++k) {
                PriceListItem& row = galaxy.Stars[j].PriceList[k];
                memory.Rows[k] = CareerRow{row.BuyPrice, row.SellPrice, row.Quantity, 0.0, 1.0, 0.0};
                RepriceRow(row, memory.Rows[k], memory.Settled);
            }
        }
    }
}

// A jump burns fuel units; what is left of them keeps its share of the cost.
void KeepFuelCostInStep(World& world, uint16_t unitsBefore)
{
    const uint16_t units = world.Pilot.Cargo[FuelGoods].Quantity;
    double& paid = world.Career.CostPaid[FuelGoods];
    paid = unitsBefore == 0 ? 0.0 : paid * units / unitsBefore;
}

const char* NewsWord(bool shortage) { return shortage ? "shortage" : "glut"; }

// The stars of the pilot's galaxy within the news' reach, the current one
// left out.
std::vector<uint8_t> StarsNear(const World& world)
{
    std::vector<uint8_t> near;
    const kvGalaxy& galaxy = CurrentGalaxy(world);
    for (uint8_t j = 1; j <= galaxy.StarCount; ++j)
        if (j != world.Pilot.Star && StarDistance(galaxy, world.Pilot.Star, j) <= NewsReach) near.push_back(j);
    return near;
}

void MaybeNews(World& world)
{
    if (world.random.NextReal() >= NewsChance) return;
    const std::vector<uint8_t> near = StarsNear(world);
    if (near.empty()) return;
    const uint8_t star = near[world.random.Next(static_cast<uint32_t>(near.size()))];
    // Any goods but fuel: news never strands a ship.
    uint8_t goods = static_cast<uint8_t>(world.random.Next(GoodsCount - 1) + 1);
    if (goods >= FuelGoods) ++goods;
    const bool shortage = world.random.Next(2) == 0;
    const double days = NewsLeastDays + world.random.Next(NewsMoreDays);
    CareerRow& row = (*world.Career.Markets)[world.Pilot.Galaxy][star].Rows[goods];
    row.NewsFactor = shortage ? ShortageFactor : GlutFactor;
    row.NewsUntil = world.Pilot.GameDate + days;
    const kvStar& s = CurrentGalaxy(world).Stars[star];
    AddNotice(world, "News: a " + std::string(NewsWord(shortage)) + " of " + world.Goods[goods].Name + " at " + s.Name +
                    " for " + std::to_string(static_cast<int>(days)) + " days",
         NoticeMail);
}

void AddScore(World& world, int32_t points) { world.Pilot.Score = AddCash(world.Pilot.Score, points); }

uint16_t GalaxyBit(uint8_t galaxy) { return static_cast<uint16_t>(1u << (galaxy - 1)); }

// The nearest other star of the pilot's galaxy; 0 when it has no other.
uint8_t NearestStar(const World& world)
{
    const kvGalaxy& galaxy = CurrentGalaxy(world);
    uint8_t nearest = 0;
    for (uint8_t j = 1; j <= galaxy.StarCount; ++j) {
        if (j == world.Pilot.Star) continue;
        if (nearest == 0 ||
            StarDistance(galaxy, world.Pilot.Star, j) < StarDistance(galaxy, world.Pilot.Star, nearest))
            nearest = j;
    }
    return nearest;
}

bool HoldsGoodsToSell(const World& world)
{
    for (std::size_t k = 1; k <= GoodsCount; ++k)
        if (k != FuelGoods && world.Pilot.Cargo[k].Quantity != 0) return true;
    return false;
}

// A pilot who can reach no star, has nothing to sell and could not buy the
// fuel for the nearest star here, even with its price doubled as buying
// raises it, is given that fuel: a career never ends stranded at a star.
void RescueIfStranded(World& world)
{
    const uint8_t nearest = NearestStar(world);
    if (nearest == 0 || HoldsGoodsToSell(world)) return;
    const double distance = StarDistance(CurrentGalaxy(world), world.Pilot.Star, nearest);
    const double missing = distance * world.Ship.Engine.Consumption - world.Ship.Fuel;
    if (missing <= 0.0) return;
    auto units = static_cast<uint16_t>(std::ceil(missing / FuelPerUnit));
    const PriceListItem& store = CurrentMarket(world)[FuelGoods];
    if (store.Quantity >= units && units * static_cast<double>(store.SellPrice) * HighestPriceShare <= world.Pilot.Cash)
        return;
    world.Pilot.Cargo[FuelGoods].Quantity = static_cast<uint16_t>(world.Pilot.Cargo[FuelGoods].Quantity + units);
    world.Ship.Fuel += units * FuelPerUnit;
    // Rounding can leave the tank a hair short of the star.
    if (JumpRange(world.Ship) < distance) {
        ++world.Pilot.Cargo[FuelGoods].Quantity;
        world.Ship.Fuel += FuelPerUnit;
    }
    AddNotice(world,
              "Space Navigation Center: emergency fuel for the jump to " + CurrentGalaxy(world).Stars[nearest].Name,
              NoticeMail);
}

}  // namespace

bool IsCareer(const World& world) { return world.Rules == RuleSet::Career; }

void StartCareer(World& world)
{
    world.Rules = RuleSet::Career;
    CareerState& c = world.Career;
    c.Offers.clear();
    c.Accepted.clear();
    c.Notices.clear();
    c.Kills = c.Deliveries = c.ShipsLost = 0;
    c.GalaxiesReached = GalaxyBit(1);
    RememberGeneratedMarkets(world);
    for (double& paid : c.CostPaid) paid = 0.0;
    for (uint16_t& place : c.BoughtAt) place = 0;
    c.CostPaid[FuelGoods] = static_cast<double>(CurrentMarket(world)[FuelGoods].SellPrice) * world.Pilot.Cargo[FuelGoods].Quantity;
    CareerArrival(world, 0.0);
}

double JumpDays(double distance) { return distance * DaysPerMapUnit; }

uint32_t HoldUsed(const World& world)
{
    uint32_t used = 0;
    for (const PriceListItem& row : world.Pilot.Cargo) used += row.Quantity;
    for (const Contract& c : world.Career.Accepted) used += c.Units;
    return used;
}

uint32_t HoldRoom(const World& world)
{
    const auto volume = static_cast<uint32_t>(std::max(0, world.Ship.Hull.Volume));
    const uint32_t used = HoldUsed(world);
    return used >= volume ? 0 : volume - used;
}

void CareerArrival(World& world, double days)
{
    world.Pilot.GameDate += days;
    SettleStar(world, world.Pilot.Galaxy, world.Pilot.Star, world.Pilot.GameDate);
    SettleContracts(world);
    MaybeNews(world);
    MakeOffers(world);
    RescueIfStranded(world);
}

void CareerJumped(World& world, double distance, uint16_t fuelUnitsBefore)
{
    KeepFuelCostInStep(world, fuelUnitsBefore);
    CareerArrival(world, JumpDays(distance));
}

int32_t PayForKill(World& world, const kvFormFactor& hull, const kvWeapon& weapon)
{
    const auto bounty = static_cast<int32_t>(Nearest((static_cast<double>(hull.Price) + weapon.Price) * BountyShare));
    world.Pilot.Cash = AddCash(world.Pilot.Cash, bounty);
    world.Pilot.CombatPoints += std::max(0, bounty) * CombatPointsPerCredit;
    ++world.Career.Kills;
    AddScore(world, ScorePerKill);
    UpdateRanks(world.Pilot);
    AddNotice(world, "Bounty for the " + hull.Name + ": " + std::to_string(bounty) + " credits", NoticeMail);
    return bounty;
}

void LoseShip(World& world)
{
    for (std::size_t k = 1; k <= GoodsCount; ++k) {
        if (k == FuelGoods) continue;
        world.Pilot.Cargo[k].Quantity = 0;
        world.Career.CostPaid[k] = 0.0;
        world.Career.BoughtAt[k] = 0;
    }
    if (world.Pilot.Cargo[FuelGoods].Quantity < StartFuelUnits) {
        world.Career.CostPaid[FuelGoods] = 0.0;
        world.Pilot.Cargo[FuelGoods].Quantity = StartFuelUnits;
        world.Ship.Fuel = StartFuelUnits * FuelPerUnit;
    }
    const auto fee = static_cast<int32_t>(Nearest(world.Ship.Hull.Price * RepairShare));
    const int32_t paid = std::clamp(fee, 0, std::max(0, world.Pilot.Cash - RepairSpareCash));
    world.Pilot.Cash -= paid;
    ++world.Career.ShipsLost;
    AddNotice(world, "Your ship was wrecked: the cargo is lost and the repairs cost " + std::to_string(paid) + " credits",
         NoticeAlert);
    RescueIfStranded(world);
}

uint8_t GatewayStar(const World& world, uint8_t galaxy)
{
    const kvGalaxy& g = (*world.galaxies)[galaxy];
    uint8_t best = 1;
    for (uint8_t j = 2; j <= g.StarCount; ++j)
        if (g.Stars[j].TechLevel > g.Stars[best].TechLevel) best = j;
    return best;
}

bool GalacticJump(World& world)
{
    if (!IsCareer(world)) return false;
    const uint8_t gateway = GatewayStar(world, world.Pilot.Galaxy);
    if (world.Pilot.Star != gateway) {
        AddNotice(world, "The galactic jump leaves from " + CurrentGalaxy(world).Stars[gateway].Name, NoticeAlert);
        return false;
    }
    if (world.Pilot.Cash < GalacticJumpFee) {
        AddNotice(world, "The galactic jump costs " + std::to_string(GalacticJumpFee) + " credits", NoticeAlert);
        return false;
    }
    world.Pilot.Cash -= GalacticJumpFee;
    world.Pilot.Galaxy = static_cast<uint8_t>(world.Pilot.Galaxy % CareerGalaxyCount + 1);
    world.Pilot.Star = GatewayStar(world, world.Pilot.Galaxy);
    if ((world.Career.GalaxiesReached & GalaxyBit(world.Pilot.Galaxy)) == 0) {
        world.Career.GalaxiesReached |= GalaxyBit(world.Pilot.Galaxy);
        AddScore(world, ScorePerGalaxy);
    }
    AddNotice(world, "Arriving in galaxy " + std::to_string(world.Pilot.Galaxy) + ", system " +
                    CurrentGalaxy(world).Stars[world.Pilot.Star].Name,
         NoticeInformation);
    CareerArrival(world, GalacticJumpDays);
    return true;
}

void AddNotice(World& world, std::string text, uint8_t kind)
{
    world.Career.Notices.push_back(Notice{std::move(text), kind});
}

std::vector<Notice> TakeNotices(World& world) { return std::exchange(world.Career.Notices, {}); }

}  // namespace kv
