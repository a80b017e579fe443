// The four soundtrack modules, written below <game>/res/sfx/sndtr: load.mod
// (title), track1.mod (space), combat.mod (battle) and intro.mod (the crawl).
#pragma once

#include <filesystem>

namespace mkassets {

void WriteMusic(const std::filesystem::path& soundtrackDir);

}  // namespace mkassets
