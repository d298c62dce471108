#pragma once
// The SMB client of the program: up to SmbSettings::helpers helper processes, each with the SMB
// client library's context of its own (SmbClient.h says why), to which the callers' threads hand
// their calls over sockets (SmbWire.h). A launcher makes the helpers (SmbHelperLauncher.h).
//
// - The library opens a connection of its own for every share a context calls, so a share is
//   bound to the helper that called it first: its calls go there and wait for that helper while
//   it is busy, and the share costs one connection, as with a single context. A share that no
//   helper holds yet goes to a helper that holds none, else to a new helper (a fork of the
//   launcher: a millisecond), else, at the limit, to the free helper that holds the fewest. So
//   the shares of a search are walked side by side, each by a helper of its own.
// - A file stays with the helper that opened it; its reads wait for that helper.
// - The first helper starts when the client is made, so that a missing helper program or
//   library is reported before anything else; the others start when calls need them.
// - A helper that ends (crashes, is killed) is replaced: the call it was making fails with
//   kErrorUnexpectedNetwork, and SmbSettings::onHelperLost is told what was lost and how the
//   helper ended. Reads of the files it held fail the same way. A helper found ended while it had
//   nothing to do costs nothing: its shares go to others. A launcher that ends is started again.
// - The pool ends its helpers when it is destroyed (after every call has returned and every file
//   has been destroyed): each ends when its socket closes, then the launcher.

#include "platform/smb/SmbClient.h"
#include "platform/smb/SmbHelper.h"
#include "platform/smb/SmbHelperLauncher.h"
#include "platform/smb/SmbWire.h"

#include <condition_variable>
#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

class SmbHelperPool final : public SmbClient {
    struct StartOnly {
        explicit StartOnly() = default;
    };

public:
    // Starts the launcher and the first helper. Returns null and sets error when it cannot.
    [[nodiscard]] static std::unique_ptr<SmbHelperPool> Start(SmbSettings settings, ErrorCode& error);
    SmbHelperPool(StartOnly /*only Start makes one*/, SmbSettings settings);
    ~SmbHelperPool() override;
    SmbHelperPool(const SmbHelperPool&) = delete;
    SmbHelperPool& operator=(const SmbHelperPool&) = delete;

    [[nodiscard]] ErrorCode ListNetwork(const std::string& url, std::vector<SmbNetworkEntry>& entries) override;
    [[nodiscard]] ErrorCode ListFolder(const std::string& url, std::vector<DirEntry>& entries) override;
    [[nodiscard]] std::unique_ptr<ReadableFile> OpenFile(const std::string& url, ErrorCode& error) override;

private:
    struct Helper;
    class File;

    // One call on the helper of url's share. Returns kErrorSuccess with the reply, the error of
    // starting a helper when none runs and none can start, or kErrorUnexpectedNetwork when the
    // helper ended during the call (url is then reported lost). used: the helper that answered.
    [[nodiscard]] ErrorCode Call(const std::string& url, std::string_view request, std::string& reply,
                                 std::shared_ptr<Helper>* used = nullptr);
    // One exchange (bool(SmbHelper&)) with the given helper, once it is free. False when the
    // helper has ended.
    template <typename Exchange> [[nodiscard]] bool CallOn(const std::shared_ptr<Helper>& helper, Exchange exchange);
    // A listing's entries, each read from the reply by take.
    template <typename Entry>
    [[nodiscard]] ErrorCode List(const std::string& url, SmbRequest kind, std::vector<Entry>& entries,
                                 bool (*take)(WireReader&, Entry&));

    // The helper for a call on share (server/share; empty: no share), marked busy.
    [[nodiscard]] std::shared_ptr<Helper> Acquire(const std::string& share, ErrorCode& error);
    // A new helper; called by one thread at a time, without the lock.
    [[nodiscard]] std::unique_ptr<SmbHelper> StartHelper(ErrorCode& error);
    void Bind(const std::string& share, const std::shared_ptr<Helper>& helper);
    void Release(const std::shared_ptr<Helper>& helper);
    // Takes an ended helper out, after learning how it ended.
    void Retire(const std::shared_ptr<Helper>& helper);
    void ReportLost(const std::string& url, const Helper& helper) const;

    SmbSettings settings_; // kept to start a launcher again; the password wiped at the end
    const std::string program_;
    const std::vector<std::string> environment_;
    std::shared_ptr<SmbHelperLauncher> launcher_; // used by the thread that starts a helper

    std::mutex lock_;
    std::condition_variable changed_; // a helper became free, ended or started, or a start failed
    std::vector<std::shared_ptr<Helper>> helpers_;
    std::map<std::string, std::shared_ptr<Helper>> bound_; // share -> its helper (null: starting)
    std::size_t maxHelpers_;
    bool starting_ = false;
};

} // namespace vk
