#include "universe/SpaceCraft.h"

#include <algorithm>

#include "platform/Ini.h"

namespace kv {

namespace {

// The number of entries a catalogue file announces: kept in 8 bits, as the
// count is stored, then cut to the room of the catalogue.
uint8_t EntryCount(const IniFile& ini)
{
    const auto count = static_cast<uint8_t>(ini.ReadInteger("GENERAL", "ItemsCount", 0));
    return static_cast<uint8_t>(std::min<std::size_t>(count, CatalogueRoom));
}

// Reads one entry section, giving each field the width it is stored with.
class EntryReader {
public:
    EntryReader(const IniFile& ini, std::string section) : ini_(ini), section_(std::move(section)) {}

    std::string Text(const char* key, const char* fallback) const { return ini_.ReadString(section_, key, fallback); }
    template <typename Field>
    Field Whole(const char* key, int32_t fallback) const
    {
        return static_cast<Field>(ini_.ReadInteger(section_, key, fallback));
    }
    double Real(const char* key, int32_t fallback) const { return ini_.ReadInteger(section_, key, fallback); }

private:
    const IniFile& ini_;
    std::string section_;
};

kvFormFactor ReadHull(const EntryReader& r)
{
    kvFormFactor hull;
    hull.Name = r.Text("Name", "NONAME");
    hull.Mass = r.Whole<int32_t>("Mass", 150);
    hull.Volume = r.Whole<int32_t>("Volume", 500);
    hull.HP = r.Whole<int32_t>("HP", 500);
    hull.Price = r.Whole<int16_t>("Price", 500);
    return hull;
}

kvEngine ReadEngine(const EntryReader& r)
{
    kvEngine engine;
    engine.Name = r.Text("Name", "NONAME");
    engine.Mass = r.Real("Mass", 10);
    engine.Acceleration = r.Real("Acceleration", 1);
    engine.MaxSpeed = r.Real("MaxSpeed", 10);
    engine.Consumption = r.Real("Consumption", 1);
    engine.Price = r.Whole<int16_t>("Price", 10);
    return engine;
}

kvWeapon ReadWeapon(const EntryReader& r)
{
    kvWeapon weapon;
    weapon.Name = r.Text("Name", "NONAME");
    weapon.WeaponType = r.Whole<uint8_t>("type", 10);
    weapon.Damage = r.Whole<int16_t>("Damage", 10);
    weapon.Power = r.Whole<int16_t>("Power", 10);
    weapon.Heat = r.Whole<int16_t>("Heat", 10);
    weapon.Mass = r.Whole<int16_t>("Mass", 10);
    weapon.Reload = r.Whole<int16_t>("Reload", 10);
    weapon.Ammo = r.Whole<int16_t>("Ammo", 10);
    weapon.ReloadCounter = 0;
    weapon.Price = r.Whole<int16_t>("Price", 10);
    weapon.Speed = r.Real("Speed", 10);
    weapon.Length = r.Real("Length", 10);
    return weapon;
}

template <typename Entry, typename ReadEntry>
void LoadCatalogue(const char* file, const char* prefix, OneBased<Entry, CatalogueRoom>& entries, uint8_t& count,
                   ReadEntry read)
{
    const IniFile ini = IniFile::Load(file);
    count = EntryCount(ini);
    for (std::size_t i = 1; i <= count; ++i) entries[i] = read(EntryReader(ini, prefix + std::to_string(i)));
}

}  // namespace

void LoadShipCatalogue(ShipCatalogue& catalogue)
{
    LoadCatalogue(HullFile, "SHIP", catalogue.HullCatalogue, catalogue.HullCount, ReadHull);
    LoadCatalogue(EngineFile, "ENGINE", catalogue.EngineCatalogue, catalogue.EngineCount, ReadEngine);
    LoadCatalogue(WeaponFile, "WEAPON", catalogue.WeaponCatalogue, catalogue.WeaponCount, ReadWeapon);
}

void FitShip(kvShip& ship, const ShipCatalogue& catalogue, const PartChoices& choices)
{
    ship.Hull = catalogue.HullCatalogue[choices.Hull];
    ship.Engine = catalogue.EngineCatalogue[choices.Engine];
    ship.Weapons[1] = catalogue.WeaponCatalogue[choices.Weapon];
}

}  // namespace kv
