// Feeds arbitrary bytes to the INI reader and reads back what the equipment
// catalogues read: no input may crash it, hang it or read out of bounds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/Ini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const kv::IniFile ini = kv::IniFile::Parse(text);
    // Unsigned, so that summing large values wraps instead of overflowing.
    volatile uint32_t sink = static_cast<uint32_t>(ini.ReadInteger("GENERAL", "ItemsCount", 0));
    for (const char* section : {"SHIP1", "ENGINE1", "WEAPON1", ""}) {
        sink = sink + static_cast<uint32_t>(ini.ReadString(section, "Name", "NONAME").size());
        sink = sink + static_cast<uint32_t>(ini.ReadInteger(section, "Mass", 150));
    }
    const std::size_t half = size / 2;
    if (auto value = kv::ParseIniInteger(text.substr(0, half))) sink = sink + static_cast<uint32_t>(*value);
    return 0;
}
