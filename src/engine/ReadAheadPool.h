#pragma once
// The read-ahead threads of one search: a fixed number of helpers, shared by all its share
// workers, that list folders and test file contents ahead of the walks (see AheadWalk.h). The
// controller makes the pool before the first worker starts and ends it after the last one, so
// every helper has ended before "Search completed".
//
// Stop: a helper begins no listing and no content test once the search's running flag is down;
// one that is in a call finishes that call and begins nothing more.

#include "engine/SearchRequest.h"
#include "platform/FileSystem.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>
#include <vector>

namespace vk {

class AheadWalk;

// The read-ahead threads of a search when nothing else is said (vkfind's -j, the window
// program): what measured best for local folders and slow links alike on the machines we have.
constexpr int kDefaultReadAheadJobs = 4;
// The most a search may have.
constexpr int kMaxReadAheadJobs = 64;

// True for an entry the walk hands over only when it holds the containing text: a file that
// passes the size filter, while a text filter is on.
[[nodiscard]] bool NeedsContentTest(const SearchRequest& request, const DirEntry& entry);

class ReadAheadPool {
public:
    // request: the search's, with its containing text already wrapped; it, files and running
    // must outlive the pool. Starts up to threads helpers (fewer when the system gives fewer).
    ReadAheadPool(FileSystem& files, const SearchRequest& request, const std::atomic<bool>& running, int threads);
    // Ends the helpers and waits for them. Every walk must have ended before.
    ~ReadAheadPool();
    ReadAheadPool(const ReadAheadPool&) = delete;
    ReadAheadPool& operator=(const ReadAheadPool&) = delete;

    [[nodiscard]] std::size_t Threads() const { return threads_.size(); }

private:
    friend class AheadWalk;

    void HelperLoop();
    // Under the lock: lets as many idle helpers look for work as there are new steps.
    void WakeHelpers(std::size_t steps);

    FileSystem& files_;
    const SearchRequest& request_;
    const std::atomic<bool>& running_;

    std::mutex lock_; // guards the pool and every state of its walks
    std::condition_variable work_;
    std::vector<AheadWalk*> walks_;
    std::size_t nextWalk_ = 0; // the walks take turns
    int idle_ = 0;
    bool ending_ = false;
    std::vector<std::thread> threads_;
};

} // namespace vk
