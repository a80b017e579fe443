#include "platform/DataFolder.h"

#include <SDL.h>

#include <algorithm>
#include <cctype>
#include <iostream>
#include <memory>

#include "platform/DataPath.h"

namespace kv {

namespace fs = std::filesystem;

namespace {

// Set by the build from the install layout: the data folder relative to the
// installed executable, and the same folder below the configured prefix.
constexpr const char* InstalledFromExecutable = KV_DATADIR_FROM_BINDIR;
constexpr const char* InstalledFolder = KV_INSTALLED_DATADIR;

void AddOnce(std::vector<DataFolderCandidate>& candidates, const fs::path& folder, std::string why)
{
    const fs::path normal = folder.lexically_normal();
    const bool seen = std::any_of(candidates.begin(), candidates.end(), [&](const DataFolderCandidate& c) {
        return c.Folder == normal;
    });
    if (!seen) candidates.push_back({normal, std::move(why)});
}

fs::path ExecutableFolder()
{
    const std::unique_ptr<char, decltype(&SDL_free)> base(SDL_GetBasePath(), SDL_free);
    return base ? fs::path(base.get()).parent_path() : fs::path();  // SDL ends it with a slash
}

}  // namespace

std::vector<DataFolderCandidate> DataFolderCandidates(const char* fromEnvironment, const fs::path& executableFolder)
{
    std::vector<DataFolderCandidate> candidates;
    if (fromEnvironment != nullptr && *fromEnvironment != '\0')
        AddOnce(candidates, fs::absolute(fromEnvironment), "named by KVSPACE_DATA");
    if (!executableFolder.empty()) {
        AddOnce(candidates, executableFolder, "the game's own folder");
        AddOnce(candidates, executableFolder / InstalledFromExecutable, "installed beside the game");
    }
    AddOnce(candidates, InstalledFolder, "where the game is installed");
    return candidates;
}

std::vector<DataFolderCandidate> DataFolderCandidates()
{
    return DataFolderCandidates(SDL_getenv("KVSPACE_DATA"), ExecutableFolder());
}

bool HoldsGameData(const fs::path& folder)
{
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return false;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        std::string name = entry.path().filename().string();
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        if (name == "res" && entry.is_directory(ec)) return true;
    }
    return false;
}

std::optional<fs::path> FirstWithGameData(const std::vector<DataFolderCandidate>& candidates)
{
    for (const DataFolderCandidate& candidate : candidates)
        if (HoldsGameData(candidate.Folder)) return candidate.Folder;
    return std::nullopt;
}

std::string NoDataMessage(const std::vector<DataFolderCandidate>& candidates)
{
    std::string text =
        "The game's data files (the pictures, music and ship tables in the folders \"res\" and "
        "\"Objects\") were not found, so the game cannot start.\n\nIt looked in:\n";
    for (const DataFolderCandidate& candidate : candidates)
        text += "  " + candidate.Folder.string() + "  (" + candidate.Why + ")\n";
    text +=
        "\nTo play from the game's source folder, run scripts/play there: it builds the game and its "
        "data files and starts it.\n"
        "To play an installed game, install it again, or set KVSPACE_DATA to the folder that holds "
        "\"res\" and \"Objects\".";
    return text;
}

std::optional<std::string> ChooseDataFolder()
{
    const char* named = SDL_getenv("KVSPACE_DATA");
    const std::vector<DataFolderCandidate> candidates = DataFolderCandidates(named, ExecutableFolder());
    const std::optional<fs::path> folder = FirstWithGameData(candidates);
    if (!folder) return NoDataMessage(candidates);
    // A folder the player named but that holds no data is passed over, and
    // the player is told, so that a mistyped path is not silently ignored.
    if (named != nullptr && *named != '\0' && candidates.front().Folder != *folder)
        std::cerr << "kvspace: KVSPACE_DATA names " << named << ", which holds no game data; using "
                  << folder->string() << '\n';
    SetDataFolder(*folder);
    return std::nullopt;
}

}  // namespace kv
