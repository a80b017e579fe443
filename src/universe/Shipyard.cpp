#include "universe/Shipyard.h"

#include <cmath>
#include <string>

#include "base/Numbers.h"
#include "universe/CareerNumbers.h"
#include "universe/Jump.h"
#include "universe/World.h"

namespace kv {

namespace {

uint8_t& Choice(PartChoices& fitted, PartKind kind)
{
    return kind == PartKind::Hull ? fitted.Hull : kind == PartKind::Engine ? fitted.Engine : fitted.Weapon;
}

uint8_t Count(const ShipCatalogue& c, PartKind kind)
{
    return kind == PartKind::Hull ? c.HullCount : kind == PartKind::Engine ? c.EngineCount : c.WeaponCount;
}

uint8_t Chosen(const PartChoices& fitted, PartKind kind)
{
    return kind == PartKind::Hull ? fitted.Hull : kind == PartKind::Engine ? fitted.Engine : fitted.Weapon;
}

int32_t Price(const ShipCatalogue& c, PartKind kind, uint8_t entry)
{
    if (kind == PartKind::Hull) return c.HullCatalogue[entry].Price;
    if (kind == PartKind::Engine) return c.EngineCatalogue[entry].Price;
    return c.WeaponCatalogue[entry].Price;
}

const std::string& Name(const ShipCatalogue& c, PartKind kind, uint8_t entry)
{
    if (kind == PartKind::Hull) return c.HullCatalogue[entry].Name;
    if (kind == PartKind::Engine) return c.EngineCatalogue[entry].Name;
    return c.WeaponCatalogue[entry].Name;
}

PartResult Refuse(World& world, PartResult why, std::string text)
{
    AddNotice(world, std::move(text), NoticeAlert);
    return why;
}

}  // namespace

uint8_t PartTechLevel(uint8_t entry) { return static_cast<uint8_t>(career::PartTechStep * entry - 1); }

int32_t PartCost(const ShipCatalogue& catalogue, const PartChoices& fitted, PartKind kind, uint8_t wanted)
{
    const int32_t tradeIn =
        static_cast<int32_t>(Nearest(Price(catalogue, kind, Chosen(fitted, kind)) * career::TradeInShare));
    return Price(catalogue, kind, wanted) - tradeIn;
}

PartResult BuyPart(World& world, PartChoices& fitted, PartKind kind, uint8_t wanted)
{
    const ShipCatalogue& c = world.Equipment;
    if (wanted < 1 || wanted > Count(c, kind)) return PartResult::NoSuchPart;
    const std::string& name = Name(c, kind, wanted);
    const uint8_t tech = CurrentGalaxy(world).Stars[world.Pilot.Star].TechLevel;
    if (tech < PartTechLevel(wanted))
        return Refuse(world, PartResult::NotSoldHere,
                      name + " is sold at tech level " + std::to_string(PartTechLevel(wanted)) + " and above");
    const int32_t cost = PartCost(c, fitted, kind, wanted);
    if (cost > world.Pilot.Cash)
        return Refuse(world, PartResult::CashShort, name + " costs " + std::to_string(cost) + " credits");
    if (kind == PartKind::Hull && HoldUsed(world) > static_cast<uint32_t>(std::max(0, c.HullCatalogue[wanted].Volume)))
        return Refuse(world, PartResult::HoldTooSmall, "The " + name + " cannot hold what the hold carries");
    world.Pilot.Cash = ClampToInt32(int64_t{world.Pilot.Cash} - cost);
    Choice(fitted, kind) = wanted;
    FitShip(world.Ship, c, fitted);
    AddNotice(world, name + " bought for " + std::to_string(cost) + " credits", NoticeInformation);
    return PartResult::Bought;
}

}  // namespace kv
