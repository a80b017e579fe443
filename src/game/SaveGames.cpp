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

// What became of the file a save replaced, for the console's line.
std::string KeptText(const SlotWrite& write)
{
    if (!write.KeptAside.empty()) return "; the old file kept as " + write.KeptAside;
    if (write.KeptBackup) return "; the one it replaced is its backup";
    return "";
}

// The console's line about a save written: every save of the player's says
// how it went; the autosave is silent when it works, but for the name an
// unreadable file it replaced keeps, and says why it failed once while the
// same reason repeats.
void Tell(Game& game, const SaveWriter::Written& written)
{
    SaveShelf& shelf = game.ui.Saves;
    const SlotWrite& write = written.Write;
    if (write.Problem) ++shelf.FailedSaves;
    if (written.Slot != AutosaveSlot) {
        if (write.Problem) game.ui.Console.Add("Game not saved: " + *write.Problem, MessageKind::Alert);
        else game.ui.Console.Add("Game saved: " + SlotName(written.Slot) + KeptText(write), MessageKind::Information);
        return;
    }
    const std::string problem = write.Problem.value_or("");
    if (!write.KeptAside.empty())
        game.ui.Console.Add("Autosaved; the old file kept as " + write.KeptAside, MessageKind::Information);
    if (!problem.empty() && problem != shelf.AutosaveProblem)
        game.ui.Console.Add("Autosave failed: " + problem, MessageKind::Alert);
    shelf.AutosaveProblem = problem;
}

// The world encoded here and handed to the save writer; the window's row
// shows the save at once, and goes back to the file's when it failed.
void Hand(Game& game, int slot)
{
    SaveShelf& shelf = game.ui.Saves;
    const SavedGame save = CaptureSave(game);
    SlotSummary summary = SummaryOf(save);
    shelf.Slots[static_cast<std::size_t>(slot)] = summary;
    shelf.Writer->Hand(shelf.Folder, slot, EncodeSave(save), save.SavedAt, std::move(summary));
    // A scripted run's frames repeat: its save is on the disk, and said,
    // before the run goes on.
    if (shelf.StoppedClock != 0) WaitForSaves(game);
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
    const int failed = game.ui.Saves.FailedSaves;
    Hand(game, slot);
    return game.ui.Saves.FailedSaves == failed;
}

void Autosave(Game& game)
{
    if (!game.ui.Saves.Folder.empty()) Hand(game, AutosaveSlot);
}

bool TakeWrittenSaves(Game& game)
{
    SaveShelf& shelf = game.ui.Saves;
    std::vector<SaveWriter::Written> written = shelf.Writer->TakeWritten();
    for (SaveWriter::Written& save : written) {
        if (save.Write.Problem) shelf.Slots[static_cast<std::size_t>(save.Slot)] = SummariseSlot(shelf.Folder, save.Slot);
        Tell(game, save);
    }
    return !written.empty();
}

void WaitForSaves(Game& game)
{
    game.ui.Saves.Writer->Wait();
    TakeWrittenSaves(game);
}

}  // namespace kv
