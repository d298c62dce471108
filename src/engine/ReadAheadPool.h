#pragma once
// The read-ahead threads of one search: a fixed number of helpers, shared by all its share
// workers, that list folders and test file contents ahead of the walks (see AheadWalk.h). The
// controller makes the pool before the first worker starts and ends it after the last one, so
// every helper has ended before "Search completed".
//
// Stop: a helper begins no listing and no content test once the search's running flag is down;
// one that is in a call finishes that call and begins nothing more.

#include "engine/AheadWalk.h"
#include "engine/ContentPattern.h"
#include "engine/HelperGauge.h"
#include "engine/SearchRequest.h"
#include "engine/WalkFilters.h"
#include "platform/FileSystem.h"
#include "platform/NetworkServices.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vk {

// The read-ahead threads of a search when nothing else is said (vkfind's -j, the window
// program): what measured best for local folders and slow links alike on the machines we have.
constexpr int kDefaultReadAheadJobs = 8;
// The most a search may have.
constexpr int kMaxReadAheadJobs = 64;
// The most walks read ahead for paths that wait for their worker (ReadAheadPool::Expect), and the
// most servers whose share lists are asked for ahead (ReadAheadPool::ExpectShares).
constexpr std::size_t kMaxExpectedWalks = 32;
constexpr std::size_t kMaxExpectedShareLists = 32;

// True for an entry the walk hands over only when it holds the containing text: a file that
// passes the size filter, while a text filter is on, and whose content is at hand. The content of
// an offline file or a cloud placeholder (DirEntry::contentOffline) is never read: such a file is
// no hit of a search with a containing text.
[[nodiscard]] bool NeedsContentTest(const SearchRequest& request, const DirEntryView& entry);

class ReadAheadPool {
public:
    // request: the search's, and content its containing text made ready for the content test;
    // they, files and running must outlive the pool. hitDetail: what the listings of the hits
    // report (HitListingDetail). Starts up to threads helpers (fewer when the system gives fewer).
    ReadAheadPool(FileSystem& files, const SearchRequest& request, const ContentPattern& content,
                  ListingDetail hitDetail, const std::atomic<bool>& running, int threads);
    // Ends the helpers and waits for them. Every walk must have ended before.
    ~ReadAheadPool();
    ReadAheadPool(const ReadAheadPool&) = delete;
    ReadAheadPool& operator=(const ReadAheadPool&) = delete;

    [[nodiscard]] std::size_t Threads() const { return threads_.size(); }
    // How many helpers may work at once now (see HelperGauge). A search with a containing text
    // keeps all of them at work.
    [[nodiscard]] int ActiveHelpers();

    // The controller is about to hand path to a worker, which will walk it with mask first: the
    // helpers may begin reading it ahead (when fewer than kMaxExpectedWalks wait; once per path).
    void Expect(const std::wstring& path, const std::wstring& mask);
    // The walk begun for path and mask, now the calling worker's; null when there is none.
    [[nodiscard]] std::unique_ptr<AheadWalk> TakeExpected(const std::wstring& path, const std::wstring& mask);

    // The controller has met a server whose shares it will list and walk with mask: the helpers
    // may ask network for the first page of its share list ahead, and expect its shares that pass
    // the share mask (once per server; network must outlive the pool).
    void ExpectShares(NetworkServices& network, const std::wstring& server, const std::wstring& mask);
    // The first page of the server's share list as ShareEnum(server, shares, resume) with resume 0
    // gave it to a helper (waiting while one asks for it); false when no helper has, and then the
    // caller asks itself.
    [[nodiscard]] bool TakeShares(const std::wstring& server, std::vector<ShareInfo>& shares, std::uint32_t& resume,
                                  ErrorCode& status);

private:
    friend class AheadWalk;

    struct ShareList {
        std::wstring server;
        std::wstring mask;
        NetworkServices* network = nullptr;
        enum class State : std::uint8_t { kTodo, kRunning, kDone } state = State::kTodo;
        ErrorCode status = kErrorSuccess;
        std::vector<ShareInfo> shares;
        std::uint32_t resume = 0;
    };

    void HelperLoop();
    // A helper's turn at a share list (lock held on entry and exit, released meanwhile).
    void ListShares(std::unique_lock<std::mutex>& lock, ShareList& list);
    // Under the lock: lets as many idle helpers look for work as there are new steps, within the
    // helpers that may work at once.
    void WakeHelpers(std::size_t steps);
    // Under the lock: a listing or share list took took.
    void NoteListing(std::chrono::steady_clock::duration took);
    // Under the lock: a walker spent took at a folder between its listing and its subfolders
    // (handing over its hits).
    void NoteWalkerWork(std::chrono::steady_clock::duration took);

    FileSystem& files_;
    const SearchRequest& request_;
    const WalkFilters filters_; // the request's, for the subfolder listings
    const ListingDetail hitDetail_;
    const ContentPattern& content_;
    const std::atomic<bool>& running_;

    std::mutex lock_; // guards the pool and every state of its walks
    std::condition_variable work_;
    std::vector<AheadWalk*> walks_;
    std::vector<std::unique_ptr<AheadWalk>> expected_; // begun before their worker, in order
    std::list<ShareList> shareLists_;                  // asked for ahead, in order
    std::condition_variable sharesListed_;
    std::size_t nextWalk_ = 0; // the walks take turns
    int idle_ = 0;
    HelperGauge gauge_{0}; // the helpers that may work at once
    const bool adapts_;    // false: all helpers work (content tests)
    bool ending_ = false;
    std::vector<std::thread> threads_;
};

} // namespace vk
