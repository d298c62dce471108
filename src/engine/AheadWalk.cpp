#include "engine/AheadWalk.h"

#include "engine/ContentSearch.h"
#include "engine/ReadAheadPool.h"

#include <algorithm>
#include <utility>

namespace vk {

AheadWalk::AheadWalk(ReadAheadPool& pool, std::wstring root, std::wstring mask, bool withWalker)
    : pool_(pool), root_(std::move(root)), mask_(std::move(mask)), bothAtOnce_(pool.files_.ReadsBothPassesAtOnce()),
      hasWalker_(withWalker) {
    folders_.push_back(NewFolder(root_, 0));
    current_ = &folders_.front();
    std::lock_guard lock(pool_.lock_);
    pool_.walks_.push_back(this);
    pool_.WakeHelpers(1);
}

AheadWalk::~AheadWalk() {
    std::unique_lock lock(pool_.lock_);
    auto& walks = pool_.walks_;
    walks.erase(std::remove(walks.begin(), walks.end(), this), walks.end());
    changed_.wait(lock, [this] { return busy_ == 0; });
}

bool AheadWalk::NextFolder() {
    std::lock_guard lock(pool_.lock_);
    if (started_) {
        folders_.pop_front();
    }
    started_ = true;
    stage_ = Stage::kMatching;
    entryIndex_ = 0;
    if (folders_.empty()) {
        current_ = nullptr;
        return false;
    }
    current_ = &folders_.front();
    if (++movedSinceWake_ >= kReadAheadWakeEvery) {
        movedSinceWake_ = 0;
        pool_.WakeHelpers(kReadAheadWakeEvery); // the window has moved on
    }
    return true;
}

const MatchingEntries* AheadWalk::Matching() {
    std::unique_lock lock(pool_.lock_);
    Folder& folder = *current_;
    stage_ = Stage::kMatching;
    while (folder.matching != Job::kDone) {
        if (!pool_.running_) {
            return nullptr;
        }
        if (folder.matching == Job::kTodo) {
            RunHere(lock, {folders_.begin(), ListingKind(Kind::kMatching)});
        } else {
            changed_.wait(lock);
        }
    }
    stage_ = Stage::kEntries;
    entryIndex_ = 0;
    handingOverSince_ = std::chrono::steady_clock::now();
    return folder.entries.listed ? &folder.entries : nullptr;
}

bool AheadWalk::ContentMatches(std::size_t index) {
    std::unique_lock lock(pool_.lock_);
    Folder& folder = *current_;
    entryIndex_ = index;
    for (;;) {
        const Content state = folder.content[index];
        if (state == Content::kFound || state == Content::kNotFound) {
            return state == Content::kFound;
        }
        if (!pool_.running_) {
            return false;
        }
        if (state == Content::kRunning) {
            changed_.wait(lock);
        } else {
            RunHere(lock, {folders_.begin(), Kind::kContent, index});
        }
    }
}

void AheadWalk::FinishFolder() {
    const auto handedOver = std::chrono::steady_clock::now();
    std::unique_lock lock(pool_.lock_);
    Folder& folder = *current_;
    if (stage_ == Stage::kEntries) {
        pool_.NoteWalkerWork(handedOver - handingOverSince_);
    }
    stage_ = Stage::kSubfolders;
    while (folder.subfolders != Job::kDone && pool_.running_) {
        if (folder.subfolders == Job::kTodo) {
            RunHere(lock, {folders_.begin(), ListingKind(Kind::kSubfolders)});
        } else {
            changed_.wait(lock);
        }
    }
}

void AheadWalk::RunHere(std::unique_lock<std::mutex>& lock, const Task& task) {
    Begin(task);
    lock.unlock();
    Outcome outcome = Run(task);
    lock.lock();
    pool_.WakeHelpers(Finish(task, std::move(outcome)));
}

bool AheadWalk::FindTask(Task& task) {
    if (!pool_.running_) {
        return false;
    }
    std::size_t seen = 0;
    for (auto it = folders_.begin(); it != folders_.end() && seen < kReadAheadWindow; ++it, ++seen) {
        Folder& folder = *it;
        if (folder.helpersFailed) {
            continue;
        }
        // The first folder is the walker's (or, before it has begun, the one it begins with).
        const bool present = hasWalker_ && it == folders_.begin();
        // The walker's present listing is its own; a subfolder listing comes before content
        // tests, so that the walk ahead becomes known early.
        if (!present && folder.matching == Job::kTodo) {
            task = {it, ListingKind(Kind::kMatching)};
            return true;
        }
        if (!bothAtOnce_ && folder.subfolders == Job::kTodo && !(present && stage_ == Stage::kSubfolders)) {
            task = {it, Kind::kSubfolders};
            return true;
        }
        const std::size_t from = present && stage_ == Stage::kEntries ? entryIndex_ + 1 : 0;
        if (!(present && stage_ == Stage::kSubfolders) && FindContent(folder, from, task)) {
            task.folder = it;
            return true;
        }
    }
    return false;
}

bool AheadWalk::FindContent(Folder& folder, std::size_t from, Task& task) {
    if (folder.matching != Job::kDone) {
        return false;
    }
    auto& content = folder.content;
    while (folder.contentNext < content.size() && content[folder.contentNext] != Content::kTodo) {
        ++folder.contentNext;
    }
    for (std::size_t i = std::max(from, folder.contentNext); i < content.size(); ++i) {
        if (content[i] == Content::kTodo) {
            task.kind = Kind::kContent;
            task.index = i;
            return true;
        }
    }
    return false;
}

void AheadWalk::Begin(const Task& task) {
    Mark(task, Job::kRunning, Content::kRunning);
}

void AheadWalk::Mark(const Task& task, Job job, Content content) {
    Folder& folder = *task.folder;
    switch (task.kind) {
    case Kind::kMatching:
        folder.matching = job;
        break;
    case Kind::kSubfolders:
        folder.subfolders = job;
        break;
    case Kind::kBoth:
        folder.matching = job;
        folder.subfolders = job;
        break;
    case Kind::kContent:
        folder.content[task.index] = content;
        break;
    }
}

AheadWalk::Outcome AheadWalk::Run(const Task& task) {
    // The folder's path and its matching entries do not change once known, so they are read
    // without the lock.
    const Folder& folder = *task.folder;
    FileSystem& files = pool_.files_;
    const std::atomic<bool>& running = pool_.running_;
    Outcome outcome;
    const auto start = std::chrono::steady_clock::now();
    switch (task.kind) {
    case Kind::kMatching:
        outcome.matching = ListMatching(files, folder.path, mask_, pool_.hitDetail_, running);
        break;
    case Kind::kSubfolders:
        outcome.subfolders = ListSubfolders(files, folder.path, running);
        break;
    case Kind::kBoth: {
        // The listing takes the parent: only it reads it, and a parent whose last subfolder this
        // is closes here, outside the lock. (Should the listing fail, the rerun lists by path.)
        const std::shared_ptr<const OpenFolder> parent = std::move(task.folder->parent);
        BothPasses passes = files.ListSubfolderBothPasses(parent.get(), folder.path, mask_, pool_.hitDetail_);
        outcome.opened = std::move(passes.opened);
        ListBoth(std::move(passes), folder.path, running, outcome.matching, outcome.subfolders);
        break;
    }
    case Kind::kContent:
        outcome.found =
            FileContainsText(files, JoinPath(folder.path, folder.entries.At(task.index).name), pool_.content_, running);
        break;
    }
    outcome.took = std::chrono::steady_clock::now() - start;
    return outcome;
}

std::size_t AheadWalk::Finish(const Task& task, Outcome outcome) {
    Folder& folder = *task.folder;
    std::size_t newSteps = 0;
    if (task.kind != Kind::kContent) {
        pool_.NoteListing(outcome.took);
    }
    if (task.kind == Kind::kMatching || task.kind == Kind::kBoth) {
        folder.entries = std::move(outcome.matching);
        folder.content.assign(folder.entries.Size(), Content::kNone);
        for (std::size_t i = 0; i < folder.content.size(); ++i) {
            if (NeedsContentTest(pool_.request_, folder.entries.At(i))) {
                folder.content[i] = Content::kTodo;
                ++newSteps;
            }
        }
        folder.matching = Job::kDone;
    }
    if (task.kind == Kind::kSubfolders || task.kind == Kind::kBoth) {
        // Right behind the folder: its own subtree comes next in walk order.
        const FolderIt behind = std::next(task.folder);
        // Below the depth limit, or of an excluded name, a subfolder is not walked.
        const int depth = folder.depth + 1;
        if (pool_.filters_.HasExclusions()) {
            std::erase_if(outcome.subfolders, [this](const std::wstring& path) {
                return pool_.filters_.Excluded(std::wstring_view(path).substr(path.rfind(L'\\') + 1));
            });
        }
        if (!pool_.filters_.GoesBelow(folder.depth)) {
            outcome.subfolders.clear();
        }
        // Each subfolder holds this folder open until its own listing is done; with none, it
        // closes here.
        for (auto& path : outcome.subfolders) {
            folders_.insert(behind, NewFolder(std::move(path), depth, outcome.opened));
        }
        newSteps += outcome.subfolders.size();
        folder.subfolders = Job::kDone;
    }
    if (task.kind == Kind::kContent) {
        folder.content[task.index] = outcome.found ? Content::kFound : Content::kNotFound;
    }
    changed_.notify_all();
    return newSteps;
}

AheadWalk::Folder AheadWalk::NewFolder(std::wstring path, int depth, std::shared_ptr<const OpenFolder> parent) const {
    Folder folder{std::move(path), depth, std::move(parent)};
    // At the depth limit its subfolders are not needed: the listing of them is left out (when it
    // is a listing of its own).
    if (!bothAtOnce_ && !pool_.filters_.GoesBelow(depth)) {
        folder.subfolders = Job::kDone;
    }
    return folder;
}

void AheadWalk::Abandon(const Task& task) {
    task.folder->helpersFailed = true;
    Mark(task, Job::kTodo, Content::kTodo);
}

} // namespace vk
