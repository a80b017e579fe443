#include "game/SaveSlots.h"

#include <cstdio>

#include "platform/SafeFile.h"

namespace kv {

namespace {

std::string SlotStem(const std::string& folder, int slot)
{
    return folder + "/" + (slot == AutosaveSlot ? std::string("autosave") : "slot" + std::to_string(slot));
}

SaveRead ReadSave(const std::string& path)
{
    const FileRead file = ReadWholeFile(path, MostSaveBytes);
    if (file.Missing) return SaveRead{};
    if (!file.Problem.empty()) return SaveRead{SaveState::Damaged, file.Problem, nullptr};
    return DecodeSave(file.Bytes);
}

}  // namespace

std::string SlotPath(const std::string& folder, int slot) { return SlotStem(folder, slot) + ".sav"; }
std::string BackupPath(const std::string& folder, int slot) { return SlotStem(folder, slot) + ".bak"; }
std::string SlotName(int slot) { return slot == AutosaveSlot ? "Autosave" : "Slot " + std::to_string(slot); }

SlotRead ReadSlot(const std::string& folder, int slot)
{
    SlotRead read;
    read.Save = ReadSave(SlotPath(folder, slot));
    read.State = read.Save.State;
    if (read.State != SaveState::Damaged) return read;
    SaveRead backup = ReadSave(BackupPath(folder, slot));
    if (backup.State != SaveState::Good) return read;
    read.Save = std::move(backup);
    read.FromBackup = true;
    return read;
}

SlotSummary Summarise(const SlotRead& read)
{
    SlotSummary s;
    s.State = read.State;
    s.FromBackup = read.FromBackup;
    if (read.Save.State != SaveState::Good) return s;
    const SavedGame& save = *read.Save.Game;
    const kvPlayer& pilot = save.world.Pilot;
    s.PilotName = pilot.Name;
    s.TradeRank = pilot.TradeRank;
    s.Cash = pilot.Cash;
    s.StarName = (*save.world.galaxies)[pilot.Galaxy].Stars[pilot.Star].Name;
    s.Galaxy = pilot.Galaxy;
    s.GameDate = pilot.GameDate;
    s.SavedAt = save.SavedAt;
    return s;
}

std::array<SlotSummary, SlotsShown> ReadSlotSummaries(const std::string& folder)
{
    std::array<SlotSummary, SlotsShown> summaries;
    for (int slot = 0; slot < SlotsShown; ++slot)
        summaries[static_cast<std::size_t>(slot)] = Summarise(ReadSlot(folder, slot));
    return summaries;
}

std::optional<std::string> WriteSlot(const std::string& folder, int slot, const std::string& bytes)
{
    if (folder.empty()) return std::string("there is no home folder to keep saves in");
    const std::string path = SlotPath(folder, slot);
    std::string temporary;
    if (auto problem = WriteTemporary(path, bytes, temporary)) return problem;
    const FileRead old = ReadWholeFile(path, MostSaveBytes);
    if (old.Problem.empty() && DecodeSave(old.Bytes).State == SaveState::Good) {
        if (auto problem = KeepCopy(path, BackupPath(folder, slot))) {
            std::remove(temporary.c_str());
            return problem;
        }
    }
    return CommitTemporary(temporary, path);
}

}  // namespace kv
