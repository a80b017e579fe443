// The game's icon files for the desktop (the shape is graphics/GameIcon.h):
// PNG with an alpha channel at the sizes desktops ask for, and a scalable SVG.
#pragma once

#include <array>
#include <filesystem>

namespace mkassets {

inline constexpr std::array IconSizes{16, 32, 48, 64, 128, 256};

// Writes kvspace-<size>.png for every size and kvspace.svg into `folder`.
void WriteIcons(const std::filesystem::path& folder);

}  // namespace mkassets
