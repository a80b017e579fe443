// Delivery contracts of a career game: on arrival the market may offer a
// few; an accepted one takes its deposit and loads its goods (they share the
// hold, but are not the pilot's to sell); arriving at the named star by the
// date delivers them for the reward and the deposit back; a missed date
// forfeits the deposit and the goods go back to their owner.
#pragma once

#include <cstddef>

#include "universe/Career.h"

namespace kv {

// Replaces the offers with fresh ones for the current star.
void MakeOffers(World& world);
// Delivers the contracts due at the current star and forfeits those whose
// date has passed, with a notice for each.
void SettleContracts(World& world);

enum class AcceptResult : uint8_t { Accepted, NoSuchOffer, TooMany, CashShort, HoldFull };
// Accepts offer i (1-based) with a notice saying what happened.
AcceptResult AcceptOffer(World& world, std::size_t i);

// "12 Ore to KQ-7 by 03.06.05 for 900 (deposit 250)".
std::string DescribeContract(const World& world, const Contract& contract);

}  // namespace kv
