// Where the game finds its data folder (the folder that holds res and
// Objects), whatever the working directory. It looks, in this order:
// 1. the folder named by the environment variable KVSPACE_DATA, when set;
// 2. the folder of the executable (the build tree: build/game);
// 3. the installed data folder relative to the executable
//    (games/../share/games/kvspace), so that an installed tree can be moved;
// 4. the installed data folder of the prefix the game was built for.
// The first folder that holds a res folder wins. When none does, the game
// cannot start: NoDataMessage tells the player where it looked and what to do.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kv {

struct DataFolderCandidate {
    std::filesystem::path Folder;
    std::string Why;  // how the player would know this folder
};

// The folders to look in, in order, without repeats. `fromEnvironment` is
// KVSPACE_DATA (null or empty: not set); `executableFolder` is where the
// running program lies (empty: unknown).
std::vector<DataFolderCandidate> DataFolderCandidates(const char* fromEnvironment,
                                                      const std::filesystem::path& executableFolder);
// The same for this process: its environment and executable.
std::vector<DataFolderCandidate> DataFolderCandidates();

// True when the folder holds the game's data (a res folder, in any case).
bool HoldsGameData(const std::filesystem::path& folder);
std::optional<std::filesystem::path> FirstWithGameData(const std::vector<DataFolderCandidate>& candidates);

// What the player is told when no folder holds the data.
std::string NoDataMessage(const std::vector<DataFolderCandidate>& candidates);

// Looks for the data folder of this process and makes it the one data paths
// are resolved below (SetDataFolder); when no folder holds the data, nothing
// changes and the message for the player is returned. A KVSPACE_DATA that
// holds no data is passed over with a note on stderr.
std::optional<std::string> ChooseDataFolder();

}  // namespace kv
