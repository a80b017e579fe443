// Reading the game's equipment catalogues: plain-text INI files of
// "[SECTION]" lines followed by "key=value" lines, with the rules the
// catalogue files are written for.
//
//   - Section and key names match without regard to case.
//   - When a section or a key appears twice, the first one counts.
//   - Values are the text after the first "=", without surrounding blanks
//     (and without one pair of surrounding quotes).
//   - Lines starting with ";" are comments; lines before the first section
//     and lines without "=" are ignored.
//   - Whole numbers are decimal, or hexadecimal after "0x" or "$", with an
//     optional sign, and must fit 32 bits; anything else gives the default.
//
// Nothing in a file can make reading fail: a missing file reads as empty, and
// so does anything that is not a readable regular file of at most 1 MB (a
// folder, a device, a pipe); junk simply yields defaults.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kv {

class IniFile {
public:
    // The file at a data path; empty when it is missing or cannot be read.
    static IniFile Load(const std::string& dataPath);
    static IniFile Parse(std::string_view text);

    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const;

private:
    struct Section {
        std::string Name;  // lower case
        std::vector<std::pair<std::string, std::string>> Entries;  // lower-case key, value
    };
    const std::string* Find(std::string_view section, std::string_view key) const;
    std::vector<Section> sections_;
};

// A whole number written as the catalogue files write them, or nothing when
// the text is not one or does not fit 32 bits. Hexadecimal up to FFFFFFFF
// keeps its bits, so "$FFFFFFFF" is -1.
std::optional<int32_t> ParseIniInteger(std::string_view text);

}  // namespace kv
