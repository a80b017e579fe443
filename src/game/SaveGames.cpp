#include "game/SaveGames.h"

#include <ctime>

#include "game/Game.h"

namespace kv {

namespace {

int64_t Now(const SaveShelf& shelf)
{
    return shelf.StoppedClock != 0 ? shelf.StoppedClock : static_cast<int64_t>(std::time(nullptr));
}

std::optional<std::string> Write(Game& game, int slot)
{
    const std::optional<std::string> problem = WriteSlot(game.Saves.Folder, slot, EncodeSave(CaptureSave(game)));
    game.Saves.Slots[static_cast<std::size_t>(slot)] = Summarise(ReadSlot(game.Saves.Folder, slot));
    return problem;
}

}  // namespace

SavedGame CaptureSave(const Game& game)
{
    SavedGame save;
    *save.galaxies = *game.galaxies;
    save.Pilot = game.Pilot;
    save.Difficulty = game.Difficulty;
    save.Fuel = game.Ship.Fuel;
    save.HullChoice = game.ship.HullChoice;
    save.EngineChoice = game.ship.EngineChoice;
    save.WeaponChoice = game.ship.WeaponChoice;
    save.SelectedStar = game.SelectedStar;
    save.MapLevel = game.map.MapLevel;
    save.SavedAt = Now(game.Saves);
    return save;
}

bool SaveToSlot(Game& game, int slot)
{
    if (const std::optional<std::string> problem = Write(game, slot)) {
        game.Console.Add("Game not saved: " + *problem, MessageKind::Alert);
        return false;
    }
    game.Console.Add("Game saved: " + SlotName(slot), MessageKind::Information);
    return true;
}

void Autosave(Game& game)
{
    if (game.Saves.Folder.empty()) return;
    if (const std::optional<std::string> problem = Write(game, AutosaveSlot))
        game.Console.Add("Autosave failed: " + *problem, MessageKind::Alert);
}

}  // namespace kv
