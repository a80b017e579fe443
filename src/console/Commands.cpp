#include "console/Commands.h"

#include "platform/Ini.h"

namespace kv {

namespace {

uint8_t CodeOf(const std::string& word)
{
    if (word == "quit") return command::Quit;
    if (word == "newgame") return command::NewGame;
    if (word == "set") return command::Set;
    if (word == "combat") return command::Combat;
    if (word == "save") return command::Save;
    if (word == "load") return command::Load;
    if (word == "contracts") return command::Contracts;
    if (word == "accept") return command::Accept;
    if (word == "galaxy") return command::Galaxy;
    if (word == "options") return command::Options;
    return command::Unknown;
}

}  // namespace

const std::string& CommandLine::Word(std::size_t i) const
{
    static const std::string none;
    return i >= 1 && i <= static_cast<std::size_t>(WordsUsed) ? Words[i] : none;
}

void ParseCommandLine(CommandLine& line, std::string_view text)
{
    for (std::string& word : line.Words) word.clear();
    std::size_t current = 1;
    for (char c : text) {
        if (c != ' ') {
            line.Words[current] += c;
        } else if (!line.Words[current].empty()) {
            if (current == MaxWords) break;
            ++current;
        }
    }
    if (line.Words[current].empty()) --current;
    line.WordsUsed = static_cast<int32_t>(current);
    line.Code = CodeOf(line.Word(1));
}

std::optional<int32_t> ParseCommandInteger(std::string_view word)
{
    while (!word.empty() && word.front() == ' ') word.remove_prefix(1);
    std::string text(word);
    const std::size_t digits = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (text.size() > digits && (text[digits] == 'x' || text[digits] == 'X')) text[digits] = '$';
    return ParseIniInteger(text);
}

}  // namespace kv
