// The parts of the equipment catalogue that decide which data files exist:
// every hull needs its two pictures and every weapon its firing sound, named
// after the entries of the committed INI files.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace mkassets {

struct WeaponEntry {
    std::string Name;
    int Type = 0;
    int Damage = 0;
};

struct Catalogue {
    std::vector<std::string> Hulls;
    std::vector<WeaponEntry> Weapons;
};

// Reads the catalogues below the data folder as the game reads them; a
// missing ships.ini or Weapon.ini is an error.
Catalogue ReadCatalogue(const std::filesystem::path& dataDir);

}  // namespace mkassets
