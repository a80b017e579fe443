// The save slots in the saves folder: the autosave slot 0 ("autosave.sav")
// and slots 1..8 ("slot1.sav" .. "slot8.sav"), each with the version it
// replaced beside it ("slot1.bak").
//
// Saving into a slot holds the saves folder's lock (two running games save
// in turn), removes what killed saves left there, writes the new file to a
// temporary file, then keeps the old file: a good save becomes the backup
// (a damaged one never pushes a good backup out), and a file the game
// cannot read, or one from a newer version, keeps a name of its own
// ("slot1.unreadable-20261210-141500.sav", "slot1.newer-...sav") that no
// later save touches. Then the new file is renamed over the old. A failure
// at any step leaves the slot and its backup as they were.
//
// Reading a slot reads and checks the whole file; a damaged file whose
// backup is good offers the backup in its place. The save window's
// summaries read the same checks without making the galaxies.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "game/SaveFile.h"

namespace kv {

constexpr int AutosaveSlot = 0;
constexpr int SaveSlotCount = 8;
constexpr int SlotsShown = SaveSlotCount + 1;

std::string SlotPath(const std::string& folder, int slot);
std::string BackupPath(const std::string& folder, int slot);
// "Autosave" or "Slot N": how the console and the save window name a slot.
std::string SlotName(int slot);

struct SlotRead {
    // The slot's file, or its backup when the file is damaged and the
    // backup good; State tells what the file itself is.
    SaveRead Save;
    SaveState State = SaveState::Empty;
    bool FromBackup = false;
};

SlotRead ReadSlot(const std::string& folder, int slot);

// What the save window shows of a slot: the save's summary, or its good
// backup's when the file is damaged.
struct SlotSummary : SaveSummary {
    SaveState State = SaveState::Empty;
    bool FromBackup = false;       // the good backup of a damaged file stands in
    // A good save, or a good backup, can be loaded.
    bool Loadable() const { return State == SaveState::Good || FromBackup; }
};

SlotSummary SummariseSlot(const std::string& folder, int slot);
std::array<SlotSummary, SlotsShown> ReadSlotSummaries(const std::string& folder);
// The summary of a save just written, from the record itself.
SlotSummary SummaryOf(const SavedGame& save);

// What saving into a slot did.
struct SlotWrite {
    std::optional<std::string> Problem;  // why the slot is as it was
    bool KeptBackup = false;             // the save it replaced is the backup now
    std::string KeptAside;               // the name the file it could not read keeps
};

// Writes an encoded save into a slot as above; `now` (seconds since 1970)
// dates the name of a file kept aside.
SlotWrite WriteSlot(const std::string& folder, int slot, const std::string& bytes, int64_t now);

// Removes what killed saves left in the saves folder, as a game starts.
void SweepSavesFolder(const std::string& folder);

}  // namespace kv
