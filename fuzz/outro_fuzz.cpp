// Feeds arbitrary bytes to the outro's layout as one line of its text, with
// every letter 8 pixels wide: nothing crashes, reads out of bounds or hangs,
// and the layout stays quick whatever the line (the run's time limit).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "shell/Outro.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const auto words = kv::LayOutOutroLine(line, [](std::string_view text) { return 8 * static_cast<int>(text.size()); });
    volatile std::size_t sink = 0;
    for (const kv::PlacedWord& word : words) sink = sink + word.Text.size() + static_cast<std::size_t>(word.Left & 1);
    return 0;
}
