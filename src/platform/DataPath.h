// The game names its data files with backslashes and in mixed case
// ("Res\gfx\hud\top.bmp", "res\gfx\hud\btn1.bmp"). The resolver turns such a
// path into a real path below the game's data folder, matching each component
// without regard to case, so the same file is found however it is written.
//
// The data folder is chosen once at start (DataFolder.h says where the game
// looks); until then, and in tests, paths are resolved below the working
// directory. It is one fact about the installation for the whole run, so it
// is kept here rather than handed to every loader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kv {

// Makes `folder` the one data paths are resolved below; an empty path means
// the working directory.
void SetDataFolder(const std::filesystem::path& folder);
const std::filesystem::path& CurrentDataFolder();

// The real path of a data file. When some component does not exist, the
// path is returned with the missing part as written, so that the error that
// follows names something recognisable.
std::string ResolveDataPath(const std::string& dataPath);
// True when the data file exists.
bool DataFileExists(const std::string& dataPath);
// The content of a text data file, split into lines without their line ends,
// at most `maxLines` of them; throws LoadError when it cannot be read (as
// a picture does, see DataFile.h) or is larger than 32 MB.
std::vector<std::string> ReadTextLines(const std::string& dataPath, std::size_t maxLines = SIZE_MAX);

}  // namespace kv
