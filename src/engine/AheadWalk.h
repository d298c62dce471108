#pragma once
// One share worker's walk of a path with one mask piece, with read-ahead.
//
// The walker takes the folders in the walk's order (pre-order, depth first) and, in each, the
// entries of its mask listing in listing order, exactly as the walk without read-ahead does. The
// helper threads of the search's ReadAheadPool meanwhile do what the walker will need after its
// present step: the listings of the folders it will reach and the content tests of the files it
// will hand over next. The walker does a step itself when no helper has begun it, and waits for
// the helper when one has; it never waits for anything else. So the hits, their order and the
// status texts are those of the walk without read-ahead.
//
// The known folders that the walker has not finished are kept in walk order: a folder's
// subfolders become known when its subfolder listing is done and go right behind it (nothing of
// its own subtree can be known before). Helpers work only within the first kReadAheadWindow of
// them, so what is held is bounded by the window, not by the tree.
//
// All state is guarded by the pool's lock; no lock is held during a listing or a content test.

#include "engine/FolderListings.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace vk {

class ReadAheadPool;

// How many folders ahead of the walker (the one it is in included) the helpers work.
constexpr std::size_t kReadAheadWindow = 64;
// Idle helpers are woken when the walker has moved on by this many folders (or when new steps
// come up), so that a wake-up finds several folders to list.
constexpr std::size_t kReadAheadWakeEvery = 32;

class AheadWalk {
public:
    // Joins the pool's walks; the root is the first folder. A walk made without its walker (for
    // a path the controller is about to hand to a worker, ReadAheadPool::Expect) is read ahead
    // from its root on, until a worker takes it (ReadAheadPool::TakeExpected).
    AheadWalk(ReadAheadPool& pool, std::wstring root, std::wstring mask, bool withWalker = true);
    // Leaves the pool, waiting until no helper works for this walk any more (within one call).
    ~AheadWalk();
    AheadWalk(const AheadWalk&) = delete;
    AheadWalk& operator=(const AheadWalk&) = delete;

    [[nodiscard]] const std::wstring& Root() const { return root_; }
    [[nodiscard]] const std::wstring& Mask() const { return mask_; }

    // Moves on to the next folder in walk order (the first call: the root). False at the end.
    [[nodiscard]] bool NextFolder();
    // The path of the present folder.
    [[nodiscard]] const std::wstring& FolderPath() const { return current_->path; }
    // The present folder's entries that match the mask, in listing order; null when the listing
    // could not start or the search was stopped.
    [[nodiscard]] const MatchingEntries* Matching();
    // Whether entry index of Matching() holds the containing text. Only for the entries the walk
    // tests (NeedsContentTest); false once the search was stopped.
    [[nodiscard]] bool ContentMatches(std::size_t index);
    // Makes the present folder's subfolders known, so that NextFolder goes into them (nothing
    // once the search was stopped).
    void FinishFolder();

private:
    friend class ReadAheadPool;

    enum class Job : std::uint8_t { kTodo, kRunning, kDone };
    enum class Content : std::uint8_t { kNone, kTodo, kRunning, kFound, kNotFound };
    struct Folder {
        std::wstring path;
        int depth = 0; // below the root
        // The parent, kept open by the file system for this folder's listing, which takes it
        // (null where the file system keeps none). Read and written only by that listing.
        std::shared_ptr<const OpenFolder> parent;
        Job matching = Job::kTodo;
        Job subfolders = Job::kTodo;
        bool helpersFailed = false; // a helper could not do a step here: the walker does the rest
        MatchingEntries entries;
        std::vector<Content> content; // per matching entry
        std::size_t contentNext = 0;  // no content test to begin before this entry
    };
    using FolderIt = std::list<Folder>::iterator;
    enum class Kind : std::uint8_t { kMatching, kSubfolders, kBoth, kContent };
    struct Task {
        FolderIt folder;
        Kind kind = Kind::kMatching;
        std::size_t index = 0; // kContent: the entry
    };
    struct Outcome {
        MatchingEntries matching;
        std::vector<std::wstring> subfolders;
        std::shared_ptr<const OpenFolder> opened; // the folder listed, kept open for its subfolders
        bool found = false;
        std::chrono::steady_clock::duration took{}; // a listing's time
    };
    // Where the walker is in its present folder.
    enum class Stage : std::uint8_t { kMatching, kEntries, kSubfolders };

    // Under the lock: a step for a helper, the first in walk order after the walker's present
    // one within the window. False when there is none or the search was stopped.
    [[nodiscard]] bool FindTask(Task& task);
    [[nodiscard]] bool FindContent(Folder& folder, std::size_t from, Task& task);
    // Under the lock: marks the task's steps begun.
    void Begin(const Task& task);
    // Without the lock: the listing or content test itself.
    [[nodiscard]] Outcome Run(const Task& task);
    // Under the lock: stores the outcome; returns how many new steps it brought.
    std::size_t Finish(const Task& task, Outcome outcome);
    // Under the lock: sets the state of the task's steps, a listing's to job, a content test's to content.
    void Mark(const Task& task, Job job, Content content);
    // Under the lock: a helper failed (out of memory): the walker does the steps itself.
    void Abandon(const Task& task);
    // The walker: does a step itself (lock held on entry and exit, released meanwhile).
    void RunHere(std::unique_lock<std::mutex>& lock, const Task& task);
    [[nodiscard]] Kind ListingKind(Kind part) const { return bothAtOnce_ ? Kind::kBoth : part; }
    [[nodiscard]] Folder NewFolder(std::wstring path, int depth,
                                   std::shared_ptr<const OpenFolder> parent = nullptr) const;

    ReadAheadPool& pool_;
    const std::wstring root_;
    const std::wstring mask_;
    const bool bothAtOnce_;
    std::list<Folder> folders_; // known and not finished, in walk order; the walker's is the first
    Folder* current_ = nullptr;
    bool hasWalker_ = true;
    bool started_ = false;
    Stage stage_ = Stage::kMatching;
    std::size_t entryIndex_ = 0; // kEntries: the entry the walker is at
    // When the walker began handing over the present folder's hits (kEntries).
    std::chrono::steady_clock::time_point handingOverSince_{};
    std::size_t movedSinceWake_ = 0;
    int busy_ = 0; // helpers at work for this walk
    std::condition_variable changed_;
};

} // namespace vk
