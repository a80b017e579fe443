// Scripts that bring a headless game to a scene, shared by the scenario tests.
#pragma once

#include <string>
#include <vector>

namespace kv::testing {

// From the launcher: "Play", then "Start game" on the title's menu, then 45
// ticks, by which the space scene's panels have slid in.
inline const std::vector<std::string> ToSpace{"click 234 56", "tick",         "move 150 450",
                                              "tick",         "click 150 450", "tick 45"};

}  // namespace kv::testing
