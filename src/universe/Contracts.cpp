#include "universe/Contracts.h"

#include <algorithm>
#include <cmath>

#include "base/Numbers.h"
#include "platform/Clock.h"
#include "universe/CareerNumbers.h"
#include "universe/Jump.h"
#include "universe/World.h"

namespace kv {

namespace {

using namespace career;

uint8_t OtherStar(World& world)
{
    const uint8_t count = CurrentGalaxy(world).StarCount;
    auto star = static_cast<uint8_t>(world.random.Next(count - 1u) + 1);
    return star >= world.Pilot.Star ? static_cast<uint8_t>(star + 1) : star;
}

Contract MakeOffer(World& world)
{
    Contract c;
    c.Galaxy = world.Pilot.Galaxy;
    c.Star = OtherStar(world);
    c.Goods = static_cast<uint8_t>(world.random.Next(GoodsCount - 1) + 1);
    if (c.Goods >= FuelGoods) ++c.Goods;
    c.Units = static_cast<uint16_t>(ContractLeastUnits + world.random.Next(ContractMoreUnits));
    const double distance = StarDistance(CurrentGalaxy(world), world.Pilot.Star, c.Star);
    const double value = c.Units * world.Goods[c.Goods].BasePrice;
    c.Due = world.Pilot.GameDate + JumpDays(distance) * DeadlineSlack + DeadlineSpareDays;
    c.Reward = static_cast<int32_t>(Nearest(value * RewardShare + distance * RewardPerMapUnit));
    c.Deposit = static_cast<int32_t>(Nearest(value * DepositShare));
    return c;
}

bool DueHere(const World& world, const Contract& c)
{
    return c.Galaxy == world.Pilot.Galaxy && c.Star == world.Pilot.Star && world.Pilot.GameDate <= c.Due;
}

void Deliver(World& world, const Contract& c)
{
    world.Pilot.Cash = ClampToInt32(int64_t{world.Pilot.Cash} + c.Reward + c.Deposit);
    ++world.Career.Deliveries;
    world.Pilot.Score = ClampToInt32(int64_t{world.Pilot.Score} + ScorePerDelivery);
    AddNotice(world, "Contract delivered: " + std::to_string(c.Reward) + " credits and the deposit back", NoticeMail);
}

}  // namespace

void MakeOffers(World& world)
{
    world.Career.Offers.clear();
    if (CurrentGalaxy(world).StarCount < 2) return;
    const uint32_t count = world.random.Next(MostOffers + 1);
    for (uint32_t i = 0; i < count; ++i) world.Career.Offers.push_back(MakeOffer(world));
}

void SettleContracts(World& world)
{
    std::vector<Contract> kept;
    for (const Contract& c : world.Career.Accepted) {
        if (DueHere(world, c)) Deliver(world, c);
        else if (world.Pilot.GameDate > c.Due)
            AddNotice(world, "Contract missed: the deposit of " + std::to_string(c.Deposit) + " credits is forfeit",
                 NoticeAlert);
        else kept.push_back(c);
    }
    world.Career.Accepted = std::move(kept);
}

AcceptResult AcceptOffer(World& world, std::size_t i)
{
    std::vector<Contract>& offers = world.Career.Offers;
    if (i < 1 || i > offers.size()) {
        AddNotice(world, "No such contract offer", NoticeAlert);
        return AcceptResult::NoSuchOffer;
    }
    const Contract c = offers[i - 1];
    if (world.Career.Accepted.size() >= MostContracts) {
        AddNotice(world, "No more than " + std::to_string(MostContracts) + " contracts at once", NoticeAlert);
        return AcceptResult::TooMany;
    }
    if (world.Pilot.Cash < c.Deposit) {
        AddNotice(world, "The deposit is " + std::to_string(c.Deposit) + " credits", NoticeAlert);
        return AcceptResult::CashShort;
    }
    if (HoldRoom(world) < c.Units) {
        AddNotice(world, "The hold has no room for " + std::to_string(c.Units) + " units", NoticeAlert);
        return AcceptResult::HoldFull;
    }
    world.Pilot.Cash -= c.Deposit;
    world.Career.Accepted.push_back(c);
    offers.erase(offers.begin() + static_cast<std::ptrdiff_t>(i - 1));
    AddNotice(world, "Contract accepted: " + DescribeContract(world, c), NoticeInformation);
    return AcceptResult::Accepted;
}

std::string DescribeContract(const World& world, const Contract& c)
{
    const std::string& star = (*world.galaxies)[c.Galaxy].Stars[c.Star].Name;
    return std::to_string(c.Units) + " " + world.Goods[c.Goods].Name + " to " + star + " by " + ShortDateText(c.Due) +
           " for " + std::to_string(c.Reward) + " (deposit " + std::to_string(c.Deposit) + ")";
}

}  // namespace kv
