// Feeds arbitrary bytes to the saved-game reader: no input may crash it,
// hang it or read out of bounds, and whatever it accepts must write back to
// the very same bytes. An input whose first byte is odd is taken as a body
// and given a header with its right checksum, so that the fuzzer reaches the
// records' own checks instead of stopping at the checksum.
//
// Every input is read into one record made at the first: making a fresh one,
// with its galaxies of several megabytes, took most of each run's time.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "game/SaveFile.h"

namespace {

void PutWhole(std::string& out, uint64_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(v >> (8 * i)));
}

std::string WithHeader(std::string_view body)
{
    std::string file = "KVSPSAVE";
    PutWhole(file, kv::SaveFormatVersion, 4);
    PutWhole(file, body.size(), 4);
    PutWhole(file, kv::SaveChecksum(body), 8);
    file.append(body);
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const bool asBody = size > 0 && (data[0] & 1) != 0;
    const std::string bytes = asBody ? WithHeader(input.substr(1)) : std::string(input);
    static kv::SavedGame save;
    const kv::SaveRead read = kv::DecodeSave(bytes, save);
    if (read.State == kv::SaveState::Good && kv::EncodeSave(save) != bytes) std::abort();
    return 0;
}
