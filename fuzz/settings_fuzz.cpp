// Feeds arbitrary bytes to the settings reader: no input may crash it, hang
// it or read out of bounds. A file it refuses gives exactly the defaults with
// a reason; whatever it takes from a file, the keys that fell back included,
// is written back in words that read back the same without a complaint.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const kv::SettingsRead read = kv::ParseSettings(text);
    if (!read.Problem.empty()) {
        if (!(read.Values == kv::Settings{})) std::abort();
        return 0;
    }
    const kv::SettingsRead again = kv::ParseSettings(kv::SettingsText(read.Values));
    if (!again.Problem.empty() || !again.KeyProblems.empty() || !(again.Values == read.Values)) std::abort();
    return 0;
}
