#include "Catalogue.h"

#include <stdexcept>

#include "platform/DataPath.h"
#include "universe/SpaceCraft.h"

namespace mkassets {

// The game's own catalogue reader, pointed at the data folder. The game reads
// a missing catalogue as empty; here that would quietly leave ships without
// pictures, so the tool refuses it.
Catalogue ReadCatalogue(const std::filesystem::path& dataDir)
{
    kv::SetDataFolder(dataDir);
    for (const char* file : {kv::HullFile, kv::WeaponFile})
        if (!kv::DataFileExists(file))
            throw std::runtime_error("cannot read " + kv::ResolveDataPath(file));
    kv::ShipCatalogue parts;
    kv::LoadShipCatalogue(parts);
    Catalogue catalogue;
    for (std::size_t i = 1; i <= parts.HullCount; ++i) catalogue.Hulls.push_back(parts.HullCatalogue[i].Name);
    for (std::size_t i = 1; i <= parts.WeaponCount; ++i) {
        const kv::kvWeapon& weapon = parts.WeaponCatalogue[i];
        catalogue.Weapons.push_back({weapon.Name, weapon.WeaponType, weapon.Damage});
    }
    return catalogue;
}

}  // namespace mkassets
