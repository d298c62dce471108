#include "engine/ReadAheadPool.h"

#include "engine/PatternMatcher.h"
#include "platform/DebugTrace.h"
#include "platform/ThreadPriority.h"

#include <algorithm>
#include <optional>
#include <system_error>

namespace vk {

bool NeedsContentTest(const SearchRequest& request, const DirEntryView& entry) {
    return request.textFilterOn && !entry.isDirectory && !entry.contentOffline && PassesSizeFilter(request, entry.size);
}

ReadAheadPool::ReadAheadPool(FileSystem& files, const SearchRequest& request, const ContentPattern& content,
                             ListingDetail hitDetail, const std::atomic<bool>& running, int threads)
    : files_(files), request_(request), filters_(request), hitDetail_(hitDetail), content_(content), running_(running),
      adapts_(!request.textFilterOn) {
    threads = std::clamp(threads, 0, kMaxReadAheadJobs);
    // The helpers count themselves (threads_) under the lock.
    std::lock_guard lock(lock_);
    for (int i = 0; i < threads; ++i) {
        try {
            threads_.emplace_back([this] {
                RankBehindTheWindow();
                HelperLoop();
            });
        } catch (const std::system_error&) {
            break; // fewer helpers: the walkers do more themselves
        }
    }
    gauge_ = HelperGauge(static_cast<int>(threads_.size()));
}

ReadAheadPool::~ReadAheadPool() {
    std::vector<std::unique_ptr<AheadWalk>> expected;
    {
        std::lock_guard lock(lock_);
        expected.swap(expected_);
    }
    expected.clear(); // each waits for the helpers at work on it
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
    // As many as there are new steps, no more: a helper woken for nothing costs two thread
    // switches, which on a local disk cost more than the listing it would do.
    const int awake = static_cast<int>(threads_.size()) - idle_;
    const auto room = static_cast<std::size_t>(std::clamp(gauge_.Active() - awake, 0, idle_));
    for (std::size_t woken = 0; woken < std::min(steps, room); ++woken) {
        work_.notify_one();
    }
}

void ReadAheadPool::NoteListing(std::chrono::steady_clock::duration took) {
    if (adapts_) {
        WakeHelpers(static_cast<std::size_t>(gauge_.Listing(took)));
    }
}

void ReadAheadPool::NoteWalkerWork(std::chrono::steady_clock::duration took) {
    if (adapts_) {
        WakeHelpers(static_cast<std::size_t>(gauge_.WalkerFinishedFolder(took)));
    }
}

int ReadAheadPool::ActiveHelpers() {
    std::lock_guard lock(lock_);
    return gauge_.Active();
}

void ReadAheadPool::Expect(const std::wstring& path, const std::wstring& mask) {
    {
        std::lock_guard lock(lock_);
        if (expected_.size() >= kMaxExpectedWalks || !running_) {
            return;
        }
        for (const auto& walk : expected_) {
            if (walk->Root() == path) {
                return;
            }
        }
    }
    auto walk = std::make_unique<AheadWalk>(*this, path, mask, false);
    std::lock_guard lock(lock_);
    expected_.push_back(std::move(walk));
}

std::unique_ptr<AheadWalk> ReadAheadPool::TakeExpected(const std::wstring& path, const std::wstring& mask) {
    std::lock_guard lock(lock_);
    for (auto it = expected_.begin(); it != expected_.end(); ++it) {
        if ((*it)->Root() == path && (*it)->Mask() == mask) {
            auto walk = std::move(*it);
            expected_.erase(it);
            walk->hasWalker_ = true;
            return walk;
        }
    }
    return nullptr;
}

void ReadAheadPool::ExpectShares(NetworkServices& network, const std::wstring& server, const std::wstring& mask) {
    std::lock_guard lock(lock_);
    if (shareLists_.size() >= kMaxExpectedShareLists || !running_) {
        return;
    }
    for (const auto& list : shareLists_) {
        if (list.server == server) {
            return;
        }
    }
    shareLists_.push_back({server, mask, &network});
    WakeHelpers(1);
}

bool ReadAheadPool::TakeShares(const std::wstring& server, std::vector<ShareInfo>& shares, std::uint32_t& resume,
                               ErrorCode& status) {
    std::unique_lock lock(lock_);
    for (auto it = shareLists_.begin(); it != shareLists_.end(); ++it) {
        if (it->server != server) {
            continue;
        }
        sharesListed_.wait(lock, [&] { return it->state != ShareList::State::kRunning; });
        const bool listed = it->state == ShareList::State::kDone;
        if (listed) {
            shares = std::move(it->shares);
            resume = it->resume;
            status = it->status;
        }
        shareLists_.erase(it);
        return listed;
    }
    return false;
}

void ReadAheadPool::ListShares(std::unique_lock<std::mutex>& lock, ShareList& list) {
    list.state = ShareList::State::kRunning;
    lock.unlock();
    std::vector<ShareInfo> shares;
    std::uint32_t resume = 0;
    ErrorCode status = kErrorSuccess;
    bool asked = false;
    const auto start = std::chrono::steady_clock::now();
    try {
        status = list.network->ShareEnum(list.server, shares, resume);
        asked = true;
        // The shares a worker will walk: begin reading them ahead too.
        if (status == kErrorSuccess || status == kErrorMoreData) {
            for (const auto& share : shares) {
                if (IsDiskShare(share.type) &&
                    (request_.shareMask.empty() || MatchPattern(share.name, request_.shareMask, false))) {
                    Expect(list.server + L"\\" + share.name, list.mask);
                }
            }
        }
    } catch (...) {
        // The controller asks for the list itself.
        DebugTrace(L"a read-ahead helper failed to list the shares of " + list.server);
    }
    const auto took = std::chrono::steady_clock::now() - start;
    lock.lock();
    NoteListing(took);
    if (asked) {
        list.shares = std::move(shares);
        list.resume = resume;
        list.status = status;
    }
    list.state = asked ? ShareList::State::kDone : ShareList::State::kTodo;
    if (!asked) {
        list.network = nullptr; // no helper tries it again
    }
    sharesListed_.notify_all();
}

void ReadAheadPool::HelperLoop() {
    std::unique_lock lock(lock_);
    while (!ending_) {
        if (static_cast<int>(threads_.size()) - idle_ > gauge_.Active()) {
            // More helpers at work than the listings need: this one rests until woken.
            ++idle_;
            work_.wait(lock);
            --idle_;
            continue;
        }
        AheadWalk* walk = nullptr;
        AheadWalk::Task task;
        // The walks that a worker walks come first, taking turns; then those that wait for
        // their worker, the first expected first.
        for (std::size_t k = 0; k < walks_.size() && walk == nullptr; ++k) {
            const std::size_t turn = (nextWalk_ + k) % walks_.size();
            if (walks_[turn]->hasWalker_ && walks_[turn]->FindTask(task)) {
                walk = walks_[turn];
                nextWalk_ = turn + 1;
            }
        }
        if (walk == nullptr && running_) {
            const auto list = std::find_if(shareLists_.begin(), shareLists_.end(), [](const ShareList& candidate) {
                return candidate.state == ShareList::State::kTodo && candidate.network != nullptr;
            });
            if (list != shareLists_.end()) {
                ListShares(lock, *list);
                continue;
            }
        }
        for (std::size_t k = 0; k < expected_.size() && walk == nullptr; ++k) {
            if (!expected_[k]->hasWalker_ && expected_[k]->FindTask(task)) {
                walk = expected_[k].get();
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
            DebugTrace(L"a read-ahead helper failed; its walker does the step itself");
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
