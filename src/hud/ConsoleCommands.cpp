#include "hud/ConsoleCommands.h"

#include <optional>
#include <string>
#include <utility>

#include "console/Commands.h"
#include "game/Game.h"
#include "game/SaveGames.h"
#include "hud/NewGameWindow.h"
#include "hud/OptionsWindow.h"
#include "hud/SaveWindow.h"
#include "navigation/StarInfo.h"
#include "universe/Career.h"
#include "universe/CareerNumbers.h"
#include "universe/Contracts.h"

namespace kv {

namespace {

constexpr const char* TypeError = "Illegal parameter type";
constexpr const char* RangeError = "Parameter does not belong to acceptable range";

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
    const std::string& rules = line.Word(6);
    if (!rules.empty() && rules != "classic" && rules != "career") return RangeError;
    c.RulesChoice = rules == "career" ? RuleSet::Career : RuleSet::Classic;
    StartNewGame(game);
    return std::nullopt;
}

std::optional<std::string> RunSet(Game& game, const CommandLine& line)
{
    if (line.Word(2) != "money") return std::nullopt;
    const std::optional<int32_t> cash = ParseCommandInteger(line.Word(3));
    if (!cash) return TypeError;
    game.world.Pilot.Cash = *cash;
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
    game.ui.Marked.SaveWindow = true;
    return std::nullopt;
}

constexpr const char* CareerOnly = "Only a career game has contracts and the galactic jump";

void ListContracts(Game& game)
{
    const CareerState& c = game.world.Career;
    if (c.Offers.empty()) game.ui.Console.Add("No contracts offered here", MessageKind::Information);
    for (std::size_t i = 0; i < c.Offers.size(); ++i)
        game.ui.Console.Add("Offer " + std::to_string(i + 1) + ": " + DescribeContract(game.world, c.Offers[i]),
                            MessageKind::Information);
    for (const Contract& accepted : c.Accepted)
        game.ui.Console.Add("Accepted: " + DescribeContract(game.world, accepted), MessageKind::Information);
}

std::optional<std::string> RunCareerCommand(Game& game, const CommandLine& line)
{
    if (!IsCareer(game.world)) return CareerOnly;
    if (line.Code == command::Contracts) {
        ListContracts(game);
        return std::nullopt;
    }
    if (line.Code == command::Galaxy) {
        if (GalacticJump(game.world)) OnGalacticArrival(game);
        return std::nullopt;
    }
    int32_t offer = 0;
    if (auto error = ReadChoice(line, 2, 1, static_cast<int32_t>(career::MostOffers), offer)) return error;
    AcceptOffer(game.world, static_cast<std::size_t>(offer));
    game.ui.Marked.PlayerWindow = game.ui.Marked.Market = true;
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
    case command::Contracts:
    case command::Accept:
    case command::Galaxy: return RunCareerCommand(game, line);
    case command::Options: OpenOptionsWindow(game); return std::nullopt;
    default:
        if (line.Word(1).empty()) return std::nullopt;
        return "Unknown command \"" + line.Word(1) + "\"";
    }
}

}  // namespace

void RunCommand(Game& game)
{
    const CommandLine line = std::exchange(game.ui.Command, CommandLine{});
    if (line.Code == command::None) return;
    if (const std::optional<std::string> error = Run(game, line)) game.ui.Console.Add(*error, MessageKind::Alert);
}

}  // namespace kv
