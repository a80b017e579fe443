// Feeds arbitrary bytes to the console's command line as a typed line: the
// words are split and read as numbers without crashing, hanging or reading
// out of bounds, and no line keeps more than its 30 words.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "console/Commands.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    kv::CommandLine line;
    kv::ParseCommandLine(line, text);
    if (line.WordsUsed < 0 || static_cast<std::size_t>(line.WordsUsed) > kv::MaxWords) __builtin_trap();
    volatile int64_t sink = 0;
    for (std::size_t i = 1; i <= kv::MaxWords + 1; ++i) {
        if (auto value = kv::ParseCommandInteger(line.Word(i))) sink = sink + *value;
    }
    if (auto value = kv::ParseCommandInteger(text)) sink = sink + *value;
    return 0;
}
