#pragma once
// Browse enumerations off the user interface thread: each expansion of a node runs its
// enumeration (NetworkBrowser::Enumerate) on a thread of its own, and its outcome waits here until
// the user interface thread takes it (TakeFinished) and applies it. The wake function, called by a
// thread once its outcome is waiting, tells that thread to come and take it: the window program
// posts a message to the tree pane, as the search's batches of hits post their turn.
//
// Stop abandons every running enumeration: its outcome is dropped, its node may be read again at
// once, and its thread ends as soon as the call it is in returns (the enumeration checks the stop
// flag before each call). Join waits for the threads that are still in a call.
//
// Threads: Start, TakeFinished, StopAll and Join on the user interface thread; the rest on any.

#include "engine/NetworkBrowser.h"

#include <atomic>
#include <functional>
#include <list>
#include <mutex>
#include <thread>
#include <vector>

namespace vk {

class BrowseJobs {
public:
    BrowseJobs() = default;
    // Abandons the running enumerations and waits for their threads.
    ~BrowseJobs();
    BrowseJobs(const BrowseJobs&) = delete;
    BrowseJobs& operator=(const BrowseJobs&) = delete;

    // Without a wake function (the console tool, the engine's tests) nothing runs here: browsing
    // stays on the caller's thread.
    void SetWake(std::function<void()> wake);
    [[nodiscard]] bool Enabled() const;

    // Starts reading target on a thread of its own. False, and nothing started, when its node is
    // being read already or no thread could be had.
    bool Start(const BrowseTarget& target, NetworkServices* network, FileSystem& files);
    // Whether node is being read: started and not abandoned, and its outcome not yet taken.
    [[nodiscard]] bool IsReading(TreeNode node) const;
    // Whether any node is being read.
    [[nodiscard]] bool AnyReading() const;
    // Whether a thread has not ended yet, abandoned ones included.
    [[nodiscard]] bool ThreadsRunning() const;

    struct Finished {
        BrowseTarget target;
        BrowseOutcome outcome;
    };
    // The outcomes that wait, in the order they finished; the threads that gave them are joined.
    [[nodiscard]] std::vector<Finished> TakeFinished();
    // Abandons every enumeration (and drops the outcomes that wait); returns the targets that were
    // being read.
    std::vector<BrowseTarget> StopAll();
    // Waits for every thread (call StopAll first, or it waits for the enumerations to finish).
    void Join();

private:
    struct Job {
        BrowseTarget target;
        std::atomic<bool> stop{false};
        std::thread thread;
        bool ended = false;
    };
    void Run(Job& job, NetworkServices* network, FileSystem& files);
    // Takes the threads of the jobs that ended out of the list (under lock_), to be joined.
    std::vector<std::thread> TakeEnded();

    mutable std::mutex lock_;
    std::function<void()> wake_;
    std::list<Job> jobs_; // a list: a job's address stays while its thread runs
    std::vector<Finished> finished_;
};

} // namespace vk
