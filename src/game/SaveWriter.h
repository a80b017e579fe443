// Writing saves on a thread of its own, so that the disk's flush never
// stalls the game's ticks: the autosave after every jump and every battle
// hands its encoded bytes over and the game runs on; what became of the
// save is taken back on a later tick.
//
// Saves are written in the order they were handed over, each as WriteSlot
// writes it (the saves folder's lock, the backup, the file kept aside). A
// save of a slot still waiting its turn gives way to a newer save of the
// same slot: only the newest autosave matters. The writer's end finishes
// every save it was handed before its thread ends, so a game that quits
// loses none.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "game/SaveSlots.h"

namespace kv {

class SaveWriter {
public:
    // A save written, or refused: its slot, what writing it did, and what
    // the save window shows of it once it is written.
    struct Written {
        int Slot = AutosaveSlot;
        SlotWrite Write;
        SlotSummary Summary;
    };

    SaveWriter() = default;
    ~SaveWriter();
    SaveWriter(const SaveWriter&) = delete;
    SaveWriter& operator=(const SaveWriter&) = delete;

    // Hands a save over; returns at once.
    void Hand(const std::string& folder, int slot, std::string bytes, int64_t now, SlotSummary summary);
    // The saves written since the last call, oldest first.
    std::vector<Written> TakeWritten();
    // Returns once every save handed over is written.
    void Wait();

private:
    struct Job {
        std::string Folder;
        int Slot = AutosaveSlot;
        std::string Bytes;
        int64_t Now = 0;
        SlotSummary Summary;
    };
    void Run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> waiting_;
    std::vector<Written> written_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace kv
