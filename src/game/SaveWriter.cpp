#include "game/SaveWriter.h"

#include <algorithm>
#include <utility>

namespace kv {

SaveWriter::~SaveWriter()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void SaveWriter::Hand(const std::string& folder, int slot, std::string bytes, int64_t now, SlotSummary summary)
{
    {
        const std::lock_guard lock(mutex_);
        std::erase_if(waiting_, [&](const Job& job) { return job.Slot == slot && job.Folder == folder; });
        waiting_.push_back(Job{folder, slot, std::move(bytes), now, std::move(summary)});
        if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
    }
    changed_.notify_all();
}

std::vector<SaveWriter::Written> SaveWriter::TakeWritten()
{
    const std::lock_guard lock(mutex_);
    return std::exchange(written_, {});
}

void SaveWriter::Wait()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return waiting_.empty() && !busy_; });
}

// Every save waiting is written before the thread ends.
void SaveWriter::Run()
{
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        if (waiting_.empty()) return;
        Job job = std::move(waiting_.front());
        waiting_.pop_front();
        busy_ = true;
        lock.unlock();
        Written done{job.Slot, WriteSlot(job.Folder, job.Slot, job.Bytes, job.Now), std::move(job.Summary)};
        lock.lock();
        written_.push_back(std::move(done));
        busy_ = false;
        changed_.notify_all();
    }
}

}  // namespace kv
