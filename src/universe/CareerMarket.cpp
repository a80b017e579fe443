#include "universe/CareerMarket.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/Numbers.h"
#include "universe/CareerNumbers.h"
#include "universe/Jump.h"
#include "universe/Market.h"

namespace kv {

namespace {

using namespace career;

constexpr uint16_t MostUnits = std::numeric_limits<uint16_t>::max();
// Pressure beyond what reaches the band's ends moves no price; it is held
// there so that relaxing from it starts to show at once.
constexpr double LeastPressure = (LowestPriceShare - 1.0) / Elasticity;
constexpr double MostPressure = (HighestPriceShare - 1.0) / Elasticity;

uint16_t Place(const World& world) { return static_cast<uint16_t>(world.Pilot.Galaxy * 256 + world.Pilot.Star); }

double UnitPressure(const CareerRow& memory) { return 1.0 / (memory.GenQuantity + StockCushion); }

double Factor(const CareerRow& memory, double pressure, double now)
{
    const double news = now < memory.NewsUntil ? memory.NewsFactor : 1.0;
    return (1.0 + Elasticity * pressure) * news;
}

int32_t InBand(double price, int32_t generated)
{
    const auto low = static_cast<int32_t>(std::ceil(generated * LowestPriceShare));
    const auto high = static_cast<int32_t>(std::floor(generated * HighestPriceShare));
    return static_cast<int32_t>(std::clamp<int64_t>(Nearest(price), low, std::max(low, high)));
}

double Decay(double days) { return std::exp2(-std::max(0.0, days) / RelaxHalfLifeDays); }

CareerRow& Memory(World& world, uint8_t galaxy, uint8_t star, uint8_t goods)
{
    return (*world.Career.Markets)[galaxy][star].Rows[goods];
}

const CareerRow& Memory(const World& world, uint8_t galaxy, uint8_t star, uint8_t goods)
{
    return (*world.Career.Markets)[galaxy][star].Rows[goods];
}

// The row relaxed over `days`: pressure and stock halve their distance to
// the generated values every half-life.
void Relax(PriceListItem& row, CareerRow& memory, double days)
{
    const double keep = Decay(days);
    memory.Pressure *= keep;
    const double stock = memory.GenQuantity + (row.Quantity - static_cast<double>(memory.GenQuantity)) * keep;
    row.Quantity = static_cast<uint16_t>(std::clamp<int64_t>(Nearest(stock), 0, MostUnits));
}

void Push(CareerRow& memory, double units)
{
    memory.Pressure = std::clamp(memory.Pressure + units * UnitPressure(memory), LeastPressure, MostPressure);
}

}  // namespace

void RepriceRow(PriceListItem& row, const CareerRow& memory, double now)
{
    const double step = UnitPressure(memory);
    row.SellPrice = InBand(memory.GenSell * Factor(memory, memory.Pressure + step, now), memory.GenSell);
    row.BuyPrice = InBand(memory.GenBuy * Factor(memory, memory.Pressure - step, now), memory.GenBuy);
    if (row.BuyPrice >= row.SellPrice) row.BuyPrice = row.SellPrice - 1;
}

void SettleStar(World& world, uint8_t galaxy, uint8_t star, double now)
{
    CareerStar& memory = (*world.Career.Markets)[galaxy][star];
    kvStar& s = (*world.galaxies)[galaxy].Stars[star];
    const double days = now - memory.Settled;
    for (std::size_t k = 1; k <= GoodsCount; ++k) {
        Relax(s.PriceList[k], memory.Rows[k], days);
        RepriceRow(s.PriceList[k], memory.Rows[k], now);
    }
    memory.Settled = std::max(memory.Settled, now);
}

PriceListItem PeekRow(const World& world, uint8_t galaxy, uint8_t star, uint8_t goods, double at)
{
    PriceListItem row = (*world.galaxies)[galaxy].Stars[star].PriceList[goods];
    CareerRow memory = Memory(world, galaxy, star, goods);
    Relax(row, memory, at - (*world.Career.Markets)[galaxy][star].Settled);
    RepriceRow(row, memory, at);
    return row;
}

bool AskInBand(int32_t ask, const CareerRow& memory)
{
    return ask >= std::ceil(memory.GenSell * LowestPriceShare) && ask <= std::floor(memory.GenSell * HighestPriceShare);
}

bool PayInBand(int32_t pay, const CareerRow& memory)
{
    return pay >= std::ceil(memory.GenBuy * LowestPriceShare) - 1 && pay <= std::floor(memory.GenBuy * HighestPriceShare);
}

uint16_t StoreCap(const CareerRow& memory)
{
    return static_cast<uint16_t>(std::min<double>(MostUnits, std::floor(memory.GenQuantity * StoreCapShare)));
}

bool CareerCanBuy(const World& world, uint8_t goods)
{
    const PriceListItem& store = CurrentMarket(world)[goods];
    return store.Quantity != 0 && store.SellPrice <= world.Pilot.Cash && HoldRoom(world) > 0 &&
           world.Pilot.Cargo[goods].Quantity < MostUnits;
}

bool CareerCanSell(const World& world, uint8_t goods)
{
    const PriceListItem& store = CurrentMarket(world)[goods];
    const CareerRow& memory = Memory(world, world.Pilot.Galaxy, world.Pilot.Star, goods);
    return world.Pilot.Cargo[goods].Quantity != 0 && store.Quantity < StoreCap(memory) &&
           int64_t{world.Pilot.Cash} + store.BuyPrice <= std::numeric_limits<int32_t>::max();
}

void CareerBuyOne(World& world, uint8_t goods)
{
    PriceListItem& store = CurrentMarket(world)[goods];
    CareerRow& memory = Memory(world, world.Pilot.Galaxy, world.Pilot.Star, goods);
    const int32_t price = store.SellPrice;
    world.Pilot.Cash -= price;
    world.Career.CostPaid[goods] += price;
    world.Career.BoughtAt[goods] = Place(world);
    --store.Quantity;
    ++world.Pilot.Cargo[goods].Quantity;
    if (goods == FuelGoods) world.Ship.Fuel += FuelPerUnit;
    Push(memory, 1.0);
    RepriceRow(store, memory, world.Pilot.GameDate);
}

void CareerSellOne(World& world, uint8_t goods)
{
    PriceListItem& store = CurrentMarket(world)[goods];
    CareerRow& memory = Memory(world, world.Pilot.Galaxy, world.Pilot.Star, goods);
    PriceListItem& hold = world.Pilot.Cargo[goods];
    const double cost = world.Career.CostPaid[goods] / hold.Quantity;
    const int32_t price = store.BuyPrice;
    world.Pilot.Cash += price;
    if (world.Career.BoughtAt[goods] != Place(world)) world.Pilot.TradePoints += std::max(0.0, price - cost);
    world.Career.CostPaid[goods] = std::max(0.0, world.Career.CostPaid[goods] - cost);
    ++store.Quantity;
    --hold.Quantity;
    if (hold.Quantity == 0) world.Career.BoughtAt[goods] = 0;
    if (goods == FuelGoods) world.Ship.Fuel = std::max(0.0, world.Ship.Fuel - FuelPerUnit);
    Push(memory, -1.0);
    RepriceRow(store, memory, world.Pilot.GameDate);
    UpdateRanks(world.Pilot);
}

}  // namespace kv
