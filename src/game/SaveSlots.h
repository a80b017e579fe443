// The save slots in the saves folder: the autosave slot 0 ("autosave.sav")
// and slots 1..8 ("slot1.sav" .. "slot8.sav"), each with the version it
// replaced beside it ("slot1.bak").
//
// Saving into a slot writes the new file to a temporary file first, then
// keeps the old file as the backup when it is a good save (a damaged one
// never pushes a good backup out), then renames the new file over the old.
// A failure at any step leaves the slot and its backup as they were.
//
// Reading a slot reads and checks the whole file; a damaged file whose
// backup is good offers the backup in its place.
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

// What the save window shows of a slot.
struct SlotSummary {
    SaveState State = SaveState::Empty;
    bool FromBackup = false;       // the good backup of a damaged file stands in
    std::string PilotName;
    uint8_t TradeRank = 0;
    int32_t Cash = 0;
    std::string StarName;
    uint8_t Galaxy = 1;
    double GameDate = 0.0;
    int64_t SavedAt = 0;
    // A good save, or a good backup, can be loaded.
    bool Loadable() const { return State == SaveState::Good || FromBackup; }
};

SlotSummary Summarise(const SlotRead& read);
std::array<SlotSummary, SlotsShown> ReadSlotSummaries(const std::string& folder);

// Writes an encoded save into a slot as above; the reason when it could not.
std::optional<std::string> WriteSlot(const std::string& folder, int slot, const std::string& bytes);

}  // namespace kv
