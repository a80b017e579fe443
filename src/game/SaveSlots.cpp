#include "game/SaveSlots.h"

#include <cstdio>
#include <ctime>
#include <filesystem>

#include "platform/SafeFile.h"

namespace kv {

namespace {

std::string SlotStem(int slot) { return slot == AutosaveSlot ? std::string("autosave") : "slot" + std::to_string(slot); }

std::string SlotStem(const std::string& folder, int slot) { return folder + "/" + SlotStem(slot); }

SaveRead ReadSave(const std::string& path)
{
    const FileRead file = ReadWholeFile(path, MostSaveBytes);
    if (file.Missing) return SaveRead{};
    if (!file.Problem.empty()) return SaveRead{SaveState::Damaged, file.Problem, nullptr};
    return DecodeSave(file.Bytes);
}

SummaryRead ReadSummary(const std::string& path)
{
    const FileRead file = ReadWholeFile(path, MostSaveBytes);
    if (file.Missing) return SummaryRead{};
    if (!file.Problem.empty()) return SummaryRead{SaveState::Damaged, file.Problem, {}};
    return SummariseSave(file.Bytes);
}

// "20261210-141500" in local time: the player's own clock names the file.
std::string DateText(int64_t seconds)
{
    const auto time = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (localtime_r(&time, &local) == nullptr) return std::to_string(seconds);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

// The file of a slot that cannot be read keeps a name of its own: the first
// of "slot1.unreadable-DATE.sav", "...-DATE-2.sav" ... that is free.
std::optional<std::string> KeepUnreadable(const std::string& folder, int slot, SaveState state, int64_t now,
                                          std::string& keptAs)
{
    const std::string stem = SlotStem(folder, slot) + (state == SaveState::Newer ? ".newer-" : ".unreadable-") +
                             DateText(now);
    for (int n = 1; n <= 99; ++n) {
        const std::string aside = stem + (n == 1 ? "" : "-" + std::to_string(n)) + ".sav";
        std::error_code error;
        if (std::filesystem::symlink_status(aside, error).type() != std::filesystem::file_type::not_found) continue;
        keptAs = std::filesystem::path(aside).filename().string();
        return KeepAside(SlotPath(folder, slot), aside);
    }
    return "cannot keep " + SlotStem(slot) + ".sav: too many files of that day beside it";
}

// Keeps the file a save is about to replace, as the backup or aside.
std::optional<std::string> KeepOld(const std::string& folder, int slot, int64_t now, SlotWrite& write)
{
    const SaveState old = ReadSummary(SlotPath(folder, slot)).State;
    if (old == SaveState::Empty) return std::nullopt;
    if (old == SaveState::Good) {
        write.KeptBackup = true;
        return KeepCopy(SlotPath(folder, slot), BackupPath(folder, slot));
    }
    return KeepUnreadable(folder, slot, old, now, write.KeptAside);
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

SlotSummary SummariseSlot(const std::string& folder, int slot)
{
    SlotSummary s;
    SummaryRead read = ReadSummary(SlotPath(folder, slot));
    s.State = read.State;
    if (read.State == SaveState::Damaged) {
        SummaryRead backup = ReadSummary(BackupPath(folder, slot));
        s.FromBackup = backup.State == SaveState::Good;
        if (s.FromBackup) read = std::move(backup);
    }
    if (read.State == SaveState::Good) static_cast<SaveSummary&>(s) = std::move(read.Summary);
    return s;
}

std::array<SlotSummary, SlotsShown> ReadSlotSummaries(const std::string& folder)
{
    std::array<SlotSummary, SlotsShown> summaries;
    for (int slot = 0; slot < SlotsShown; ++slot) summaries[static_cast<std::size_t>(slot)] = SummariseSlot(folder, slot);
    return summaries;
}

SlotSummary SummaryOf(const SavedGame& save)
{
    SlotSummary s;
    s.State = SaveState::Good;
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

SlotWrite WriteSlot(const std::string& folder, int slot, const std::string& bytes, int64_t now)
{
    SlotWrite write;
    if (folder.empty()) {
        write.Problem = "there is no home folder to keep saves in";
        return write;
    }
    const FolderLock lock(folder);
    if (!lock.Problem().empty()) {
        write.Problem = lock.Problem();
        return write;
    }
    RemoveLeftovers(folder);
    const std::string path = SlotPath(folder, slot);
    std::string temporary;
    write.Problem = WriteTemporary(path, bytes, temporary);
    if (write.Problem) return write;
    write.Problem = KeepOld(folder, slot, now, write);
    if (write.Problem) {
        std::remove(temporary.c_str());
        write.KeptBackup = false;
        write.KeptAside.clear();
        return write;
    }
    write.Problem = CommitTemporary(temporary, path);
    return write;
}

void SweepSavesFolder(const std::string& folder)
{
    std::error_code error;
    if (folder.empty() || !std::filesystem::is_directory(folder, error)) return;
    const FolderLock lock(folder);
    if (lock.Problem().empty()) RemoveLeftovers(folder);
}

}  // namespace kv
