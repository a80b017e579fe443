// The sound effects, 16-bit mono waves written below <game>/res/sfx: the HUD
// sounds (hud/), and for battles the collision, three explosions and one
// firing sound per weapon of the catalogue (weapon/).
#pragma once

#include <filesystem>

#include "Catalogue.h"

namespace mkassets {

void WriteSounds(const std::filesystem::path& sfx, const Catalogue& catalogue);

}  // namespace mkassets
