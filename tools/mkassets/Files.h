#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace mkassets {

// Writes the bytes to the file, creating its folders first.
void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

}  // namespace mkassets
