#include "Catalogue.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <stdexcept>

namespace mkassets {
namespace {

using Section = std::map<std::string, std::string>;
using IniFile = std::map<std::string, Section>;

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Trim(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

IniFile ReadIni(const std::filesystem::path& path)
{
    std::ifstream file(path);
    if (!file)
        throw std::runtime_error("cannot read " + path.string());
    IniFile ini;
    Section* current = nullptr;
    for (std::string line; std::getline(file, line);) {
        line = Trim(line);
        if (line.size() > 1 && line.front() == '[' && line.back() == ']') {
            current = &ini[Lower(Trim(line.substr(1, line.size() - 2)))];
            continue;
        }
        const auto equals = line.find('=');
        if (current && equals != std::string::npos)
            (*current)[Lower(Trim(line.substr(0, equals)))] = Trim(line.substr(equals + 1));
    }
    return ini;
}

std::string Value(const IniFile& ini, const std::string& section, const std::string& key,
                  const std::string& fallback)
{
    const auto s = ini.find(Lower(section));
    if (s == ini.end())
        return fallback;
    const auto k = s->second.find(Lower(key));
    return k == s->second.end() ? fallback : k->second;
}

int IntValue(const IniFile& ini, const std::string& section, const std::string& key, int fallback)
{
    const std::string text = Value(ini, section, key, "");
    try {
        std::size_t used = 0;
        const int value = std::stoi(text, &used, 0);
        return used == text.size() ? value : fallback;
    } catch (const std::exception&) {
        return fallback;
    }
}

// The game's catalogues hold ten entries.
int EntryCount(const IniFile& ini) { return std::clamp(IntValue(ini, "GENERAL", "ItemsCount", 0), 0, 10); }

}  // namespace

Catalogue ReadCatalogue(const std::filesystem::path& dataDir)
{
    const std::filesystem::path folder = dataDir / "Objects" / "Spacecraft";
    Catalogue catalogue;
    const IniFile ships = ReadIni(folder / "ships.ini");
    for (int i = 1; i <= EntryCount(ships); ++i)
        catalogue.Hulls.push_back(Value(ships, "SHIP" + std::to_string(i), "Name", "NONAME"));
    const IniFile weapons = ReadIni(folder / "Weapon.ini");
    for (int i = 1; i <= EntryCount(weapons); ++i) {
        const std::string section = "WEAPON" + std::to_string(i);
        catalogue.Weapons.push_back({Value(weapons, section, "Name", "NONAME"), IntValue(weapons, section, "type", 10),
                                     IntValue(weapons, section, "Damage", 0)});
    }
    return catalogue;
}

}  // namespace mkassets
