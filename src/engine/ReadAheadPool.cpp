#include "engine/ReadAheadPool.h"

#include "engine/AheadWalk.h"

#include <algorithm>
#include <optional>
#include <system_error>

namespace vk {

bool NeedsContentTest(const SearchRequest& request, const DirEntry& entry) {
    return request.textFilterOn && !entry.isDirectory &&
           PassesSizeFilter(request, static_cast<std::uint32_t>(entry.size));
}

ReadAheadPool::ReadAheadPool(FileSystem& files, const SearchRequest& request, const std::atomic<bool>& running,
                             int threads)
    : files_(files), request_(request), running_(running) {
    threads = std::clamp(threads, 0, kMaxReadAheadJobs);
    for (int i = 0; i < threads; ++i) {
        try {
            threads_.emplace_back([this] { HelperLoop(); });
        } catch (const std::system_error&) {
            break; // fewer helpers: the walkers do more themselves
        }
    }
}

ReadAheadPool::~ReadAheadPool() {
    {
        std::lock_guard lock(lock_);
        ending_ = true;
    }
    work_.notify_all();
    for (auto& thread : threads_) {
        thread.join();
    }
}

void ReadAheadPool::WakeHelpers(std::size_t steps) {
    if (idle_ == 0 || steps == 0) {
        return;
    }
    if (steps == 1) {
        work_.notify_one();
    } else {
        work_.notify_all();
    }
}

void ReadAheadPool::HelperLoop() {
    std::unique_lock lock(lock_);
    while (!ending_) {
        AheadWalk* walk = nullptr;
        AheadWalk::Task task;
        for (std::size_t k = 0; k < walks_.size(); ++k) {
            const std::size_t turn = (nextWalk_ + k) % walks_.size();
            if (walks_[turn]->FindTask(task)) {
                walk = walks_[turn];
                nextWalk_ = turn + 1;
                break;
            }
        }
        if (walk == nullptr) {
            ++idle_;
            work_.wait(lock);
            --idle_;
            continue;
        }
        walk->Begin(task);
        ++walk->busy_;
        lock.unlock();
        std::optional<AheadWalk::Outcome> outcome;
        try {
            outcome = walk->Run(task);
        } catch (...) {
            // Out of memory, most likely: the walker does the step itself.
        }
        lock.lock();
        if (outcome) {
            WakeHelpers(walk->Finish(task, std::move(*outcome)));
        } else {
            walk->Abandon(task);
        }
        --walk->busy_;
        walk->changed_.notify_all();
    }
}

} // namespace vk
