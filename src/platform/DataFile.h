// Reading the game's data files from disk: pictures, music modules, waves,
// text and INI files all come through here.
//
// Only a regular file that can be opened for reading counts as a data file.
// A directory, a device, a fifo or a file the player may not read is refused
// like a missing one and never read: a fifo would stall the game until
// something writes to it, a device may never end, and a decoder handed a
// directory reads nonsense. The file is opened without waiting and checked
// through the open handle, so nothing can be swapped in between.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// The whole content of the file at a real path. A file that is not a readable
// regular file, or is larger than `maxBytes`, throws a LoadError naming
// `shownPath` (the path as the game wrote it).
std::vector<uint8_t> ReadDataFile(const std::string& realPath, const std::string& shownPath, std::size_t maxBytes);

}  // namespace kv
