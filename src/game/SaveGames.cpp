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
    const std::optional<std::string> problem = WriteSlot(game.ui.Saves.Folder, slot, EncodeSave(CaptureSave(game)));
    game.ui.Saves.Slots[static_cast<std::size_t>(slot)] = Summarise(ReadSlot(game.ui.Saves.Folder, slot));
    return problem;
}

}  // namespace

SavedGame CaptureSave(const Game& game)
{
    SavedGame save;
    *save.galaxies = *game.world.galaxies;
    save.Pilot = game.world.Pilot;
    save.Difficulty = game.world.Difficulty;
    save.Fuel = game.world.Ship.Fuel;
    save.HullChoice = game.ui.shipChoices.HullChoice;
    save.EngineChoice = game.ui.shipChoices.EngineChoice;
    save.WeaponChoice = game.ui.shipChoices.WeaponChoice;
    save.SelectedStar = game.ui.SelectedStar;
    save.MapLevel = game.ui.map.MapLevel;
    save.SavedAt = Now(game.ui.Saves);
    return save;
}

bool SaveToSlot(Game& game, int slot)
{
    if (const std::optional<std::string> problem = Write(game, slot)) {
        game.ui.Console.Add("Game not saved: " + *problem, MessageKind::Alert);
        return false;
    }
    game.ui.Console.Add("Game saved: " + SlotName(slot), MessageKind::Information);
    return true;
}

void Autosave(Game& game)
{
    if (game.ui.Saves.Folder.empty()) return;
    if (const std::optional<std::string> problem = Write(game, AutosaveSlot))
        game.ui.Console.Add("Autosave failed: " + *problem, MessageKind::Alert);
}

}  // namespace kv
