#include "game/SaveGames.h"

#include <algorithm>
#include <ctime>

#include "game/Game.h"
#include "universe/SpaceCraft.h"

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
    *save.world.galaxies = *game.world.galaxies;
    save.world.Pilot = game.world.Pilot;
    save.world.Difficulty = game.world.Difficulty;
    save.world.Ship.Fuel = game.world.Ship.Fuel;
    CaptureCareer(game.world, save.world);
    save.HullChoice = game.ui.shipChoices.HullChoice;
    save.EngineChoice = game.ui.shipChoices.EngineChoice;
    save.WeaponChoice = game.ui.shipChoices.WeaponChoice;
    save.SelectedStar = game.ui.SelectedStar;
    save.MapLevel = game.ui.map.MapLevel;
    save.SavedAt = Now(game.ui.Saves);
    return save;
}

// Entry 1 always fits: a new game fits it even when a catalogue file is
// missing and its count is 0, and such a game's saves load again.
bool Fits(uint8_t choice, uint8_t count) { return choice <= std::max<uint8_t>(count, 1); }

std::optional<std::string> MissingPart(const SavedGame& save, const ShipCatalogue& parts)
{
    if (Fits(save.HullChoice, parts.HullCount) && Fits(save.EngineChoice, parts.EngineCount) &&
        Fits(save.WeaponChoice, parts.WeaponCount))
        return std::nullopt;
    return std::string("its ship is fitted with parts this game does not have");
}

World LoadedWorld(SavedGame& save, const World& running)
{
    World world = std::move(save.world);
    world.Goods = running.Goods;
    world.Equipment = running.Equipment;
    world.random = running.random;
    for (std::size_t k = 1; k <= GoodsCount; ++k) world.Pilot.Cargo[k].Goods = world.Goods[k];
    FitShip(world.Ship, world.Equipment,
            {.Hull = save.HullChoice, .Engine = save.EngineChoice, .Weapon = save.WeaponChoice});
    world.Ship.WeaponSlot = 1;
    return world;
}

std::optional<std::string> PutInPlay(Game& game, SavedGame save)
{
    if (std::optional<std::string> problem = MissingPart(save, game.world.Equipment)) return problem;
    World loaded = LoadedWorld(save, game.world);
    game.world = std::move(loaded);
    game.ui.shipChoices.HullChoice = save.HullChoice;
    game.ui.shipChoices.EngineChoice = save.EngineChoice;
    game.ui.shipChoices.WeaponChoice = save.WeaponChoice;
    game.ui.SelectedStar = save.SelectedStar;
    game.ui.map.MapLevel = save.MapLevel;
    return std::nullopt;
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
