// The equipment of the game's ships: hulls, engines and weapons, read once
// at start from the three catalogues in Objects\Spacecraft, and the ship
// record that the player's ship and every combat opponent are made of.
//
// Integer fields keep the widths the catalogue files are written for: a
// value beyond a field's width keeps its low bits (a Price of 70000 is 4464).
#pragma once

#include <cstdint>
#include <string>

#include "base/OneBased.h"
#include "universe/Wares.h"

namespace kv {

// A hull. Its Name is also the stem of its pictures in res\gfx\models.
struct kvFormFactor {
    std::string Name;
    int32_t Mass = 0;
    int32_t Volume = 0;
    int32_t HP = 0;
    int16_t Price = 0;
    bool operator==(const kvFormFactor&) const = default;
};

struct kvEngine {
    std::string Name;
    double Mass = 0.0;
    double Acceleration = 0.0;  // added to the speed per tick of thrust in combat
    double MaxSpeed = 0.0;
    double Consumption = 0.0;   // fuel spent per map unit jumped
    int16_t Price = 0;
    bool operator==(const kvEngine&) const = default;
};

struct kvWeapon {
    std::string Name;           // also the stem of its firing sound
    uint8_t WeaponType = 0;     // the bullets' look: 0 beam, 1 pellet, 2 plasma knot
    int16_t Damage = 0;
    int16_t Power = 0;
    int16_t Heat = 0;
    int16_t Mass = 0;
    int16_t Reload = 0;         // ticks between shots
    int16_t Ammo = 0;
    uint16_t ReloadCounter = 0; // ticks left until the next shot; combat counts it down
    int16_t Price = 0;
    double Speed = 0.0;
    double Length = 0.0;
    bool operator==(const kvWeapon&) const = default;
};

constexpr std::size_t MaxWeaponSlots = 6;

struct kvShip {
    std::string Name;
    kvEngine Engine;
    double Fuel = 0.0;      // jump fuel; the range is Fuel / Engine.Consumption
    kvFormFactor Hull;
    uint8_t WeaponSlot = 0; // 1 once the ship is fitted
    OneBased<kvWeapon, MaxWeaponSlots> Weapons;
    OneBased<kvGoods, GoodsCount> Cargo;
    bool operator==(const kvShip&) const = default;
};

constexpr std::size_t CatalogueRoom = 10;

// The three catalogues, entries 1..count. Fixed for the whole run.
struct ShipCatalogue {
    OneBased<kvFormFactor, CatalogueRoom> HullCatalogue;
    OneBased<kvEngine, CatalogueRoom> EngineCatalogue;
    OneBased<kvWeapon, CatalogueRoom> WeaponCatalogue;
    uint8_t HullCount = 0;
    uint8_t EngineCount = 0;
    uint8_t WeaponCount = 0;
    bool operator==(const ShipCatalogue&) const = default;
};

inline constexpr const char* HullFile = "Objects\\Spacecraft\\ships.ini";
inline constexpr const char* EngineFile = "Objects\\Spacecraft\\engines.ini";
inline constexpr const char* WeaponFile = "Objects\\Spacecraft\\Weapon.ini";

// Reads hulls, engines and weapons in that order. A missing file, section or
// key, or a value that is not a whole number, gives the field's default; a
// missing file gives a count of 0. A count above the catalogue's room of 10
// is cut to 10. Entries beyond the count are left empty.
void LoadShipCatalogue(ShipCatalogue& catalogue);

// The catalogue entries a ship is fitted with, each 1..10: the ship window's
// choices, and what a save keeps of the ship.
struct PartChoices {
    uint8_t Hull = 1;
    uint8_t Engine = 1;
    uint8_t Weapon = 1;
};

// Fits the ship with copies of the chosen hull, engine and first weapon.
// Everything else on the ship (fuel, hold, the other weapons, WeaponSlot)
// stays as it is.
void FitShip(kvShip& ship, const ShipCatalogue& catalogue, const PartChoices& choices);

}  // namespace kv
