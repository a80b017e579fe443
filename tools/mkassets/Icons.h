// The game's icon: a banded planet inside a tilted gold ring, drawn at the
// sizes desktops ask for and written as PNG with an alpha channel.
#pragma once

#include <array>
#include <filesystem>

namespace mkassets {

inline constexpr std::array IconSizes{16, 32, 48, 64, 128, 256};

// Writes icons/kvspace-<size>.png for every size into `folder`.
void WriteIcons(const std::filesystem::path& folder);

}  // namespace mkassets
