// Reading the generated data files byte by byte, shared by their tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace kv::testing {

inline const std::filesystem::path GameDir{KV_GAME_DIR};

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline uint32_t Little(const std::vector<uint8_t>& b, std::size_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | b[at + static_cast<std::size_t>(i)];
    return v;
}

inline uint32_t Big16(const std::vector<uint8_t>& b, std::size_t at) { return uint32_t(b[at]) << 8 | b[at + 1]; }

}  // namespace kv::testing
