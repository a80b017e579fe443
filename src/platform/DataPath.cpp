#include "platform/DataPath.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/LoadError.h"

namespace kv {

namespace fs = std::filesystem;

namespace {

bool SameWithoutCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

std::vector<std::string> SplitComponents(const std::string& path)
{
    std::vector<std::string> parts;
    std::string current;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            if (!current.empty()) parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) parts.push_back(current);
    return parts;
}

// The entry of `folder` named `name` in any case: the exact name when it
// exists, else the first match without regard to case, else nothing.
std::optional<std::string> FindEntry(const fs::path& folder, const std::string& name)
{
    std::error_code ec;
    if (fs::exists(folder / name, ec)) return name;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string candidate = entry.path().filename().string();
        if (SameWithoutCase(candidate, name)) return candidate;
    }
    return std::nullopt;
}

std::filesystem::path& DataFolderSetting()
{
    static std::filesystem::path folder;
    return folder;
}

}  // namespace

void SetDataFolder(const std::filesystem::path& folder) { DataFolderSetting() = folder; }

const std::filesystem::path& CurrentDataFolder() { return DataFolderSetting(); }

std::string ResolveDataPath(const std::string& dataPath)
{
    const bool absolute = !dataPath.empty() && (dataPath[0] == '/' || dataPath[0] == '\\');
    fs::path resolved = absolute ? fs::path("/") : CurrentDataFolder();
    bool found = true;
    for (const std::string& part : SplitComponents(dataPath)) {
        const fs::path folder = resolved.empty() ? fs::path(".") : resolved;
        std::optional<std::string> entry = found ? FindEntry(folder, part) : std::nullopt;
        found = entry.has_value();
        resolved /= entry.value_or(part);
    }
    return resolved.string();
}

bool DataFileExists(const std::string& dataPath)
{
    std::error_code ec;
    return fs::is_regular_file(ResolveDataPath(dataPath), ec);
}

std::vector<std::string> ReadTextLines(const std::string& dataPath)
{
    std::ifstream in(ResolveDataPath(dataPath), std::ios::binary);
    if (!in) throw LoadError(dataPath, "file not found");
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    if (in.bad()) throw LoadError(dataPath, "read error");
    return lines;
}

}  // namespace kv
