#include "platform/smb/SmbHelperPool.h"

#include "platform/smb/SmbUrl.h"

#include <algorithm>
#include <cstring>
#include <unistd.h>

namespace vk {
namespace {

// server/share of a URL, in lower case: the connection a call needs.
std::string ShareOf(std::string_view url) {
    url.remove_prefix(std::min(url.size(), kSmbNetworkUrl.size()));
    const std::size_t server = url.find('/');
    const std::size_t share = server == std::string_view::npos ? server : url.find('/', server + 1);
    std::string place(url.substr(0, share));
    std::transform(place.begin(), place.end(), place.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return place;
}

std::string UrlRequest(SmbRequest kind, const std::string& url) {
    return WireWriter().U8(static_cast<std::uint8_t>(kind)).Text(url).Body();
}

// The entries of a listing's reply: its error, then its entries to the end.
template <typename Entry>
ErrorCode EntriesOfReply(std::string_view reply, std::vector<Entry>& entries, bool (*take)(WireReader&, Entry&)) {
    WireReader in(reply);
    ErrorCode error = kErrorSuccess;
    if (!in.U32(error)) {
        return kErrorUnexpectedNetwork;
    }
    while (in.More()) {
        if (!take(in, entries.emplace_back())) {
            entries.clear();
            return kErrorUnexpectedNetwork;
        }
    }
    return error;
}

} // namespace

struct SmbHelperPool::Helper {
    std::unique_ptr<SmbHelper> process;
    bool busy = false;
    bool ended = false;
    std::wstring how;       // how it ended, once it has
    std::size_t shares = 0; // bound to it
};

// A file open in a helper, read by handle.
class SmbHelperPool::File final : public ReadableFile {
public:
    File(SmbHelperPool& pool, std::shared_ptr<Helper> helper, std::string url, std::uint32_t handle,
         std::uint64_t length)
        : pool_(pool), helper_(std::move(helper)), url_(std::move(url)), handle_(handle), length_(length) {}
    ~File() override {
        const std::string request = WireWriter().U8(static_cast<std::uint8_t>(SmbRequest::kClose)).U32(handle_).Body();
        std::string reply;
        (void)pool_.CallOn(helper_, [&](SmbHelper& helper) { return helper.Call(request, reply); });
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    std::uint64_t Length() const override { return length_; }

    std::size_t Read(void* buffer, std::size_t count) override {
        auto* bytes = static_cast<char*>(buffer);
        std::size_t done = 0;
        while (done < count) {
            const auto step = static_cast<std::uint32_t>(std::min<std::size_t>(count - done, kMaxSmbReadCount));
            const std::string request =
                WireWriter().U8(static_cast<std::uint8_t>(SmbRequest::kRead)).U32(handle_).U32(step).Body();
            std::size_t got = 0;
            if (!pool_.CallOn(helper_,
                              [&](SmbHelper& helper) { return helper.Call(request, bytes + done, step, got); })) {
                if (!lost_) {
                    lost_ = true;
                    pool_.ReportLost(url_, *helper_);
                }
                break;
            }
            done += got;
            if (got < step) {
                break;
            }
        }
        return done;
    }

private:
    SmbHelperPool& pool_;
    std::shared_ptr<Helper> helper_;
    std::string url_;
    std::uint32_t handle_;
    std::uint64_t length_;
    bool lost_ = false;
};

std::unique_ptr<SmbClient> SmbClient::Make(SmbSettings settings, ErrorCode& error) {
    return SmbHelperPool::Start(std::move(settings), error);
}

std::unique_ptr<SmbHelperPool> SmbHelperPool::Start(SmbSettings settings, ErrorCode& error) {
    auto pool = std::make_unique<SmbHelperPool>(StartOnly{}, std::move(settings));
    const std::shared_ptr<Helper> first = pool->Acquire(std::string(), error);
    if (!first) {
        return nullptr;
    }
    pool->Release(first);
    error = kErrorSuccess;
    return pool;
}

SmbHelperPool::SmbHelperPool(StartOnly /*only Start makes one*/, SmbSettings settings)
    : settings_(std::move(settings)),
      program_(settings_.helperProgram.empty() ? DefaultSmbHelperProgram() : settings_.helperProgram),
      environment_(SmbHelperEnvironment(environ)),
      maxHelpers_(static_cast<std::size_t>(std::clamp(settings_.helpers, 1, kMaxSmbHelpers))) {}

SmbHelperPool::~SmbHelperPool() {
    // Every helper is told at once, so that they end side by side; the launcher goes last.
    for (const auto& helper : helpers_) {
        helper->process->CloseSocket();
    }
    bound_.clear();
    helpers_.clear();
    launcher_.reset();
    WipeText(settings_.credentials.password);
}

std::unique_ptr<SmbHelper> SmbHelperPool::StartHelper(ErrorCode& error) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!launcher_ || launcher_->Ended()) {
            launcher_ = SmbHelperLauncher::Start(program_, environment_, settings_, error);
            if (!launcher_) {
                return nullptr;
            }
        }
        if (auto helper = launcher_->NewHelper(error)) {
            return helper;
        }
        if (!launcher_->Ended()) {
            return nullptr; // the launcher runs but the helper could not: that is the answer
        }
    }
    return nullptr;
}

std::shared_ptr<SmbHelperPool::Helper> SmbHelperPool::Acquire(const std::string& share, ErrorCode& error) {
    std::unique_lock lock(lock_);
    for (;;) {
        if (const auto bound = bound_.find(share); bound != bound_.end()) {
            if (bound->second && !bound->second->busy) {
                bound->second->busy = true;
                return bound->second;
            }
            changed_.wait(lock); // busy, or the helper it will have is starting
            continue;
        }
        std::shared_ptr<Helper> free;
        for (const auto& helper : helpers_) {
            if (!helper->busy && (!free || helper->shares < free->shares)) {
                free = helper;
            }
        }
        if ((!free || free->shares > 0) && !starting_ && helpers_.size() < maxHelpers_) {
            starting_ = true;
            if (!share.empty()) {
                bound_.emplace(share, nullptr); // the share's other calls wait for the new helper
            }
            lock.unlock();
            auto process = StartHelper(error);
            lock.lock();
            starting_ = false;
            bound_.erase(share);
            changed_.notify_all();
            if (process) {
                auto helper = std::make_shared<Helper>();
                helper->process = std::move(process);
                helper->busy = true;
                helpers_.push_back(helper);
                Bind(share, helper);
                return helper;
            }
            if (helpers_.empty()) {
                return nullptr; // no helper at all: the call fails with the reason
            }
            maxHelpers_ = helpers_.size(); // no more can start: the ones there are take the calls
            continue;
        }
        if (free) {
            free->busy = true;
            Bind(share, free);
            return free;
        }
        changed_.wait(lock);
    }
}

void SmbHelperPool::Bind(const std::string& share, const std::shared_ptr<Helper>& helper) {
    if (!share.empty() && bound_.emplace(share, helper).second) {
        ++helper->shares;
    }
}

void SmbHelperPool::Release(const std::shared_ptr<Helper>& helper) {
    std::lock_guard lock(lock_);
    helper->busy = false;
    changed_.notify_all();
}

void SmbHelperPool::Retire(const std::shared_ptr<Helper>& helper) {
    std::wstring how = helper->process->HowEnded();
    std::lock_guard lock(lock_);
    helper->how = std::move(how);
    helper->busy = false;
    helper->ended = true;
    std::erase(helpers_, helper);
    std::erase_if(bound_, [&helper](const auto& bound) { return bound.second == helper; });
    changed_.notify_all();
}

void SmbHelperPool::ReportLost(const std::string& url, const Helper& helper) const {
    if (settings_.onHelperLost) {
        settings_.onHelperLost(UncFromSmbUrl(url), helper.how);
    }
}

ErrorCode SmbHelperPool::Call(const std::string& url, std::string_view request, std::string& reply,
                              std::shared_ptr<Helper>* used) {
    const std::string share = ShareOf(url);
    for (;;) {
        ErrorCode error = kErrorSuccess;
        const std::shared_ptr<Helper> helper = Acquire(share, error);
        if (!helper) {
            return error;
        }
        if (!helper->process->Waiting()) {
            Retire(helper); // it ended with nothing to do: nothing is lost, the call goes to another
            continue;
        }
        if (!helper->process->Call(request, reply)) {
            Retire(helper);
            ReportLost(url, *helper);
            return kErrorUnexpectedNetwork;
        }
        Release(helper);
        if (used != nullptr) {
            *used = helper;
        }
        return kErrorSuccess;
    }
}

template <typename Exchange> bool SmbHelperPool::CallOn(const std::shared_ptr<Helper>& helper, Exchange exchange) {
    {
        std::unique_lock lock(lock_);
        changed_.wait(lock, [&] { return !helper->busy; });
        if (helper->ended) {
            return false;
        }
        helper->busy = true;
    }
    if (!exchange(*helper->process)) {
        Retire(helper);
        return false;
    }
    Release(helper);
    return true;
}

template <typename Entry>
ErrorCode SmbHelperPool::List(const std::string& url, SmbRequest kind, std::vector<Entry>& entries,
                              bool (*take)(WireReader&, Entry&)) {
    entries.clear();
    std::string reply;
    if (const ErrorCode error = Call(url, UrlRequest(kind, url), reply); error != kErrorSuccess) {
        return error;
    }
    return EntriesOfReply(reply, entries, take);
}

ErrorCode SmbHelperPool::ListNetwork(const std::string& url, std::vector<SmbNetworkEntry>& entries) {
    return List(url, SmbRequest::kListNetwork, entries, TakeNetworkEntry);
}

ErrorCode SmbHelperPool::ListFolder(const std::string& url, std::vector<DirEntry>& entries) {
    return List(url, SmbRequest::kListFolder, entries, TakeFolderEntry);
}

std::unique_ptr<ReadableFile> SmbHelperPool::OpenFile(const std::string& url, ErrorCode& error) {
    std::string reply;
    std::shared_ptr<Helper> helper;
    if (error = Call(url, UrlRequest(SmbRequest::kOpen, url), reply, &helper); error != kErrorSuccess) {
        return nullptr;
    }
    WireReader in(reply);
    std::uint32_t handle = 0;
    std::uint64_t length = 0;
    if (!in.U32(error) || !in.U32(handle) || !in.U64(length) || !in.Complete()) {
        error = kErrorUnexpectedNetwork;
        return nullptr;
    }
    if (error != kErrorSuccess) {
        return nullptr;
    }
    return std::make_unique<File>(*this, std::move(helper), url, handle, length);
}

} // namespace vk
