#include "engine/BrowseJobs.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace vk {

BrowseJobs::~BrowseJobs() {
    StopAll();
    Join();
}

void BrowseJobs::SetWake(std::function<void()> wake) {
    std::lock_guard lock(lock_);
    wake_ = std::move(wake);
}

bool BrowseJobs::Enabled() const {
    std::lock_guard lock(lock_);
    return static_cast<bool>(wake_);
}

bool BrowseJobs::Start(const BrowseTarget& target, NetworkServices* network, FileSystem& files) {
    for (std::thread& ended : TakeEnded()) {
        ended.join();
    }
    if (IsReading(target.node)) {
        return false;
    }
    std::lock_guard lock(lock_);
    Job& job = jobs_.emplace_back();
    job.target = target;
    try {
        job.thread = std::thread([this, &job, network, &files] { Run(job, network, files); });
    } catch (const std::system_error&) {
        jobs_.pop_back();
        return false;
    }
    return true;
}

void BrowseJobs::Run(Job& job, NetworkServices* network, FileSystem& files) {
    std::function<void()> wake;
    try {
        BrowseOutcome outcome = NetworkBrowser::Enumerate(job.target, network, files, &job.stop);
        std::lock_guard lock(lock_);
        if (!job.stop) {
            finished_.push_back({job.target, std::move(outcome)});
            wake = wake_;
        }
        job.ended = true;
    } catch (...) {
        // Out of memory on the way: the node is simply not read.
        std::lock_guard lock(lock_);
        job.ended = true;
        wake = wake_;
    }
    if (wake) {
        wake();
    }
}

bool BrowseJobs::IsReading(TreeNode node) const {
    std::lock_guard lock(lock_);
    return std::any_of(jobs_.begin(), jobs_.end(),
                       [&](const Job& job) { return !job.ended && !job.stop && job.target.node == node; }) ||
           std::any_of(finished_.begin(), finished_.end(),
                       [&](const Finished& done) { return done.target.node == node; });
}

bool BrowseJobs::AnyReading() const {
    std::lock_guard lock(lock_);
    return !finished_.empty() ||
           std::any_of(jobs_.begin(), jobs_.end(), [](const Job& job) { return !job.ended && !job.stop; });
}

bool BrowseJobs::ThreadsRunning() const {
    std::lock_guard lock(lock_);
    return std::any_of(jobs_.begin(), jobs_.end(), [](const Job& job) { return !job.ended; });
}

std::vector<std::thread> BrowseJobs::TakeEnded() {
    std::vector<std::thread> ended;
    std::lock_guard lock(lock_);
    for (auto job = jobs_.begin(); job != jobs_.end();) {
        if (job->ended) {
            ended.push_back(std::move(job->thread));
            job = jobs_.erase(job);
        } else {
            ++job;
        }
    }
    return ended;
}

std::vector<BrowseJobs::Finished> BrowseJobs::TakeFinished() {
    for (std::thread& ended : TakeEnded()) {
        ended.join();
    }
    std::lock_guard lock(lock_);
    return std::exchange(finished_, {});
}

std::vector<BrowseTarget> BrowseJobs::StopAll() {
    std::vector<BrowseTarget> abandoned;
    std::lock_guard lock(lock_);
    for (Job& job : jobs_) {
        if (!job.ended && !job.stop.exchange(true)) {
            abandoned.push_back(job.target);
        }
    }
    finished_.clear();
    return abandoned;
}

void BrowseJobs::Join() {
    // A thread's last step takes the lock: join outside it.
    std::vector<std::thread> threads;
    {
        std::lock_guard lock(lock_);
        for (Job& job : jobs_) {
            threads.push_back(std::move(job.thread));
        }
    }
    for (std::thread& thread : threads) {
        if (thread.joinable()) {
            thread.join();
        }
    }
    std::lock_guard lock(lock_);
    jobs_.clear();
}

} // namespace vk
