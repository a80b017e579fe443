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

// Reads Objects/Spacecraft/ships.ini and Weapon.ini below the data folder
// with the game's rules: section [GENERAL] key ItemsCount, then sections
// SHIP1.. and WEAPON1.., names and keys matched without regard to case.
Catalogue ReadCatalogue(const std::filesystem::path& dataDir);

}  // namespace mkassets
