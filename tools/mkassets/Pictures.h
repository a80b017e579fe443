// The game's pictures, written below <game>/res/gfx. README.md lists every
// file with its size and what it shows.
#pragma once

#include <filesystem>

#include "Catalogue.h"

namespace mkassets {

// HUD panels, buttons, icons, edit fields, the scanner and the pointer (hud/).
void WriteHudPictures(const std::filesystem::path& gfx);
// Title backdrop, launcher background, logo ring strip, space backdrop (and
// backgrounds/ in general).
void WriteScenePictures(const std::filesystem::path& gfx);
// Ship models for every hull of the catalogue, asteroids, bullet, explosion
// strip (models/) and the pilots' portraits (avatar/).
void WriteModelPictures(const std::filesystem::path& gfx, const Catalogue& catalogue);

}  // namespace mkassets
