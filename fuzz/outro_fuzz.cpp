// Feeds arbitrary bytes to the outro's layout as one line of its text, with
// every letter 8 pixels wide: the words land in order within the sheet's
// width, nothing crashes, and the layout stays quick whatever the line.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "shell/Outro.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const auto words = kv::LayOutOutroLine(line, [](std::string_view text) { return 8 * static_cast<int>(text.size()); });
    int left = -1;
    for (const kv::PlacedWord& word : words) {
        if (word.Left < left) __builtin_trap();
        left = word.Left;
    }
    return 0;
}
