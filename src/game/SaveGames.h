// Saving the game being played into a slot, putting a read save in play, and
// the state the interface keeps about saves: where they live, what the save
// window shows and what it is asking. Loading a slot, which redraws every
// panel, is the save window's (hud/SaveWindow.h).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "game/SaveSlots.h"
#include "game/SaveWriter.h"

namespace kv {

struct Game;

struct SaveShelf {
    // The saves folder; empty where there is no home folder to keep saves in.
    std::string Folder;
    // The save window saves into the slot clicked (true) or loads it.
    bool Saving = true;
    // What the window shows, read when it opens and after each save.
    std::array<SlotSummary, SlotsShown> Slots;
    // The occupied slot the window asks about before saving over it; -1 none.
    int AskingSlot = -1;
    // The centre panels the window put away, shown again when it goes.
    bool CoveredMap = false;
    bool CoveredMarket = false;
    // Why the last autosave failed, said once until one works again.
    std::string AutosaveProblem;
    // Saves that failed in this run, so that a caller can tell whether its
    // own failed once it was said.
    int FailedSaves = 0;
    // The autosave's own thread (game/SaveWriter.h).
    std::unique_ptr<SaveWriter> Writer = std::make_unique<SaveWriter>();
    // A scripted run's time of saving, so that its frames repeat; 0 the
    // real clock.
    int64_t StoppedClock = 0;
};

// The game's world as a save holds it: the galaxies, the pilot, the ship's
// fuel and fitted parts, the difficulty, the selected star and the map level.
SavedGame CaptureSave(const Game& game);

// Why a save's ship cannot be fitted from these catalogues (a part beyond its
// catalogue's count), or nothing when it can.
std::optional<std::string> MissingPart(const SavedGame& save, const ShipCatalogue& parts);

// The complete world a save gives: what the file holds, and what it does not
// carried over from the running world (the catalogues, and the generator,
// which runs on) with the hold's goods records and the ship's fitted parts
// looked up in those catalogues. The save must have no missing part.
World LoadedWorld(SavedGame& save, const World& running);

// Puts a save that was read and checked whole in play: the world replaced in
// one assignment, then the interface's fields the save holds (the ship
// window's choices, the selected star, the map's level). A save whose world
// cannot be made changes nothing and gives the reason. The caller redraws
// every panel.
std::optional<std::string> PutInPlay(Game& game, SavedGame save);

// Saves into slot 1..8 (or the autosave slot 0): the world is encoded here
// and written on the save writer's thread (game/SaveWriter.h), so the
// disk's flush never stalls a tick. The console says, once the save is
// written, "Game saved" with the slot and what became of the file it
// replaced (the backup, or the name an unreadable file keeps), or why it was
// not saved. It never asks: the one it replaced is kept. False when the save
// is known to have failed: at once in a scripted run, which waits for its
// saves; otherwise it is said on a later tick.
bool SaveToSlot(Game& game, int slot);

// Saves into the autosave slot after an arrival or a battle, in the same
// way. Silent when it works, but for the name an unreadable file it
// replaced keeps; an alert when it does not, once while the same reason
// repeats. With no saves folder it does nothing (the start says so once).
void Autosave(Game& game);

// Takes back the saves written since the last call, on every tick, and says
// how they went; a failed save's row in the save window goes back to what
// its file holds. True when there were any.
bool TakeWrittenSaves(Game& game);

// Waits until every save handed over is written and taken back: before a
// slot is loaded, the save window opens, or a scripted run reads the files.
void WaitForSaves(Game& game);

}  // namespace kv
