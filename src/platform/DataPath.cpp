#include "platform/DataPath.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <string_view>

#include "platform/DataFile.h"
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

std::vector<std::string> ReadTextLines(const std::string& dataPath, std::size_t maxLines)
{
    constexpr std::size_t MaxTextBytes = 32u << 20;
    const std::vector<uint8_t> bytes = ReadDataFile(ResolveDataPath(dataPath), dataPath, MaxTextBytes);
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size() && lines.size() < maxLines) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        NamingTheFileWhenMemoryRunsOut(dataPath, [&] { lines.emplace_back(line); });
        start = end + 1;
    }
    return lines;
}

}  // namespace kv
