#include "platform/Ini.h"

#include <algorithm>
#include <cctype>

#include "platform/DataFile.h"
#include "platform/DataPath.h"
#include "platform/LoadError.h"

namespace kv {

namespace {

// Catalogue files are a few hundred bytes; a larger file is not one.
constexpr std::size_t MaxFileBytes = 1 << 20;

std::string_view Trim(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

std::string Lower(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

std::string_view Unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<uint64_t> ParseDigits(std::string_view digits, int base, uint64_t limit)
{
    if (digits.empty()) return std::nullopt;
    uint64_t value = 0;
    for (char c : digits) {
        const int d = base == 16 ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (d < 0) return std::nullopt;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
        if (value > limit) return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<int32_t> ParseIniInteger(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::optional<uint64_t> magnitude;
    if (!text.empty() && text.front() == '$')
        magnitude = ParseDigits(text.substr(1), 16, 0xFFFFFFFFu);
    else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        magnitude = ParseDigits(text.substr(2), 16, 0xFFFFFFFFu);
    else
        magnitude = ParseDigits(text, 10, negative ? 2147483648u : 2147483647u);
    if (!magnitude) return std::nullopt;
    // Hexadecimal keeps its 32 bits; decimal is already within range.
    const auto bits = static_cast<uint32_t>(*magnitude);
    const auto value = static_cast<int32_t>(bits);
    return negative ? static_cast<int32_t>(0u - bits) : value;
}

IniFile IniFile::Load(const std::string& dataPath)
{
    try {
        const std::vector<uint8_t> bytes = ReadDataFile(ResolveDataPath(dataPath), dataPath, MaxFileBytes);
        return Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    } catch (const LoadError&) {
        return {};
    }
}

IniFile IniFile::Parse(std::string_view text)
{
    IniFile ini;
    Section* current = nullptr;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const std::string_view name = Trim(line.substr(1, line.find(']') - 1));
            ini.sections_.push_back({Lower(name), {}});
            current = &ini.sections_.back();
            continue;
        }
        const std::size_t equals = line.find('=');
        if (current == nullptr || equals == std::string_view::npos) continue;
        current->Entries.emplace_back(Lower(Trim(line.substr(0, equals))),
                                      std::string(Unquote(Trim(line.substr(equals + 1)))));
    }
    return ini;
}

const std::string* IniFile::Find(std::string_view section, std::string_view key) const
{
    const std::string wantedSection = Lower(section);
    const auto s = std::find_if(sections_.begin(), sections_.end(),
                                [&](const Section& candidate) { return candidate.Name == wantedSection; });
    if (s == sections_.end()) return nullptr;
    const std::string wantedKey = Lower(key);
    const auto e = std::find_if(s->Entries.begin(), s->Entries.end(),
                                [&](const auto& entry) { return entry.first == wantedKey; });
    return e == s->Entries.end() ? nullptr : &e->second;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const
{
    const std::string* value = Find(section, key);
    return value != nullptr ? *value : std::string(fallback);
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const
{
    const std::string* value = Find(section, key);
    if (value == nullptr) return fallback;
    return ParseIniInteger(*value).value_or(fallback);
}

}  // namespace kv
