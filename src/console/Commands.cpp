#include "console/Commands.h"

#include <utility>

#include "game/Game.h"
#include "game/SaveGames.h"
#include "hud/MarketWindow.h"
#include "hud/NewGameWindow.h"
#include "hud/SaveWindow.h"
#include "platform/Ini.h"

namespace kv {

namespace {

constexpr const char* TypeError = "Illegal parameter type";
constexpr const char* RangeError = "Parameter does not belong to acceptable range";

uint8_t CodeOf(const std::string& word)
{
    if (word == "quit") return command::Quit;
    if (word == "newgame") return command::NewGame;
    if (word == "set") return command::Set;
    if (word == "combat") return command::Combat;
    if (word == "save") return command::Save;
    if (word == "load") return command::Load;
    return command::Unknown;
}

// Reads word i into a choice of the new-game window; the error, if any.
std::optional<std::string> ReadChoice(const CommandLine& line, std::size_t i, int32_t low, int32_t high,
                                      int32_t& choice)
{
    const std::optional<int32_t> value = ParseCommandInteger(line.Word(i));
    if (!value) return TypeError;
    if (*value < low || *value > high) return RangeError;
    choice = *value;
    return std::nullopt;
}

std::optional<std::string> RunNewGame(Game& game, const CommandLine& line)
{
    game.ui.hud.NameEdit.Text = line.Word(2);
    NewGameChoices& c = game.ui.newGameChoices;
    if (auto error = ReadChoice(line, 3, 1, 7, c.AvatarChoice)) return error;
    if (auto error = ReadChoice(line, 4, 1, 3, c.DifficultyChoice)) return error;
    if (auto error = ReadChoice(line, 5, 1, 4, c.SpecialisationChoice)) return error;
    StartNewGame(game);
    return std::nullopt;
}

std::optional<std::string> RunSet(Game& game, const CommandLine& line)
{
    if (line.Word(2) != "money") return std::nullopt;
    const std::optional<int32_t> cash = ParseCommandInteger(line.Word(3));
    if (!cash) return TypeError;
    game.world.Pilot.Cash = *cash;
    UpdateTradeButtons(game);
    game.ui.Marked.PlayerWindow = game.ui.Marked.Market = true;
    return std::nullopt;
}

// "save N" and "load N"; the save window, if open, shows the slot's change.
std::optional<std::string> RunSaveOrLoad(Game& game, const CommandLine& line)
{
    const bool saving = line.Code == command::Save;
    int32_t slot = 0;
    if (auto error = ReadChoice(line, 2, saving ? 1 : AutosaveSlot, SaveSlotCount, slot)) return error;
    if (saving) SaveToSlot(game, slot);
    else LoadFromSlot(game, slot);
    ComposeSaveWindow(game);
    return std::nullopt;
}

void SwitchTo(Game& game, uint8_t scene)
{
    if (game.SwitchScene) game.SwitchScene(scene);
}

std::optional<std::string> Run(Game& game, const CommandLine& line)
{
    switch (line.Code) {
    case command::Quit:
        if (line.Word(2) == "game") game.TerminateRequested = true;
        else SwitchTo(game, SceneTitle);
        return std::nullopt;
    case command::NewGame: return RunNewGame(game, line);
    case command::Set: return RunSet(game, line);
    case command::Combat: SwitchTo(game, SceneCombat); return std::nullopt;
    case command::Save:
    case command::Load: return RunSaveOrLoad(game, line);
    default:
        if (line.Word(1).empty()) return std::nullopt;
        return "Unknown command \"" + line.Word(1) + "\"";
    }
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

void RunCommand(Game& game)
{
    const CommandLine line = std::exchange(game.ui.Command, CommandLine{});
    if (line.Code == command::None) return;
    if (const std::optional<std::string> error = Run(game, line)) game.ui.Console.Add(*error, MessageKind::Alert);
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
