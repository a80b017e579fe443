#include "universe/Market.h"

#include <algorithm>
#include <limits>

#include "universe/CareerMarket.h"

namespace kv {

namespace {

constexpr uint16_t MostUnits = std::numeric_limits<uint16_t>::max();

}  // namespace

PriceTable& CurrentMarket(World& world)
{
    return (*world.galaxies)[world.Pilot.Galaxy].Stars[world.Pilot.Star].PriceList;
}

const PriceTable& CurrentMarket(const World& world)
{
    return (*world.galaxies)[world.Pilot.Galaxy].Stars[world.Pilot.Star].PriceList;
}

bool CanBuy(const World& world, uint8_t goods)
{
    if (IsCareer(world)) return CareerCanBuy(world, goods);
    const PriceListItem& store = CurrentMarket(world)[goods];
    const PriceListItem& hold = world.Pilot.Cargo[goods];
    return store.Quantity != 0 && store.SellPrice <= world.Pilot.Cash && hold.Quantity < MostUnits;
}

bool CanSell(const World& world, uint8_t goods)
{
    if (IsCareer(world)) return CareerCanSell(world, goods);
    const PriceListItem& store = CurrentMarket(world)[goods];
    const PriceListItem& hold = world.Pilot.Cargo[goods];
    return hold.Quantity != 0 && store.Quantity < MostUnits &&
           int64_t{world.Pilot.Cash} + store.BuyPrice <= std::numeric_limits<int32_t>::max();
}

void BuyOne(World& world, uint8_t goods)
{
    if (IsCareer(world)) return CareerBuyOne(world, goods);
    PriceListItem& store = CurrentMarket(world)[goods];
    const int32_t price = store.SellPrice;
    world.Pilot.TradePoints += price / 10.0L;
    world.Pilot.Cash -= price;
    --store.Quantity;
    ++world.Pilot.Cargo[goods].Quantity;
    if (goods == FuelGoods) world.Ship.Fuel += FuelPerUnit;
    UpdateRanks(world.Pilot);
}

void SellOne(World& world, uint8_t goods)
{
    if (IsCareer(world)) return CareerSellOne(world, goods);
    PriceListItem& store = CurrentMarket(world)[goods];
    world.Pilot.TradePoints += store.SellPrice;
    world.Pilot.Cash += store.BuyPrice;
    ++store.Quantity;
    --world.Pilot.Cargo[goods].Quantity;
    if (goods == FuelGoods) world.Ship.Fuel = std::max(0.0, world.Ship.Fuel - FuelPerUnit);
    UpdateRanks(world.Pilot);
}

}  // namespace kv
