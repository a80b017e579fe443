// Local time and dates in the formats the game shows: console timestamps in
// the long time format ("14:05:09") and dates in the short date format
// ("22.04.2005"), from days counted since 30 December 1899.
#pragma once

#include <string>

namespace kv {

std::string LocalTimeText();
std::string ShortDateText(double daysSince1899);

}  // namespace kv
