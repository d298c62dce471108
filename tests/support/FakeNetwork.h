#pragma once
// An in-memory network for engine tests: containers, servers and their shares, with small
// pages so that the enumeration loops really run, unreachable servers and a hook at every call.

#include "platform/NetworkServices.h"

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace vk::testing {

class FakeNetwork final : public NetworkServices {
public:
    // Adds a child resource below parent ("" for the top of the network).
    void Add(const std::wstring& parent, NetResource child) { children_[parent].push_back(std::move(child)); }
    void AddContainer(const std::wstring& parent, const std::wstring& name, std::uint32_t displayType) {
        Add(parent, {displayType, kUsageContainer, name});
    }
    // Adds a server (\\NAME) below parent with its shares.
    void AddServer(const std::wstring& parent, const std::wstring& server, std::vector<std::wstring> shares) {
        AddContainer(parent, server, kDisplayTypeServer);
        auto& listed = shares_[server];
        for (auto& share : shares) {
            Add(server, {kDisplayTypeShare, kUsageConnectable, server + L"\\" + share});
            listed.push_back({std::move(share)});
        }
    }
    // Gives a share of a server added before another type than a disk tree.
    void SetShareType(const std::wstring& server, const std::wstring& share, std::uint32_t type) {
        for (auto& listed : shares_[server]) {
            if (listed.name == share) {
                listed.type = type;
            }
        }
    }
    void MakeUnreachable(const std::wstring& server) { unreachable_.insert(server); }
    // Opening the enumeration below a container fails with error (kErrorSuccess: no longer).
    void FailOpen(const std::wstring& container, ErrorCode error) { openErrors_[container] = error; }
    // A server that answers every share listing with "more data" and the same page, leaving the
    // resume handle as it was. It gives up after kStuckCalls calls, so that a loop that never
    // ends shows as a count instead of a test that hangs.
    static constexpr int kStuckCalls = 1000;
    void AddStuckServer(const std::wstring& parent, const std::wstring& server, std::vector<std::wstring> page) {
        AddContainer(parent, server, kDisplayTypeServer);
        for (auto& name : page) {
            stuck_[server].push_back({std::move(name)});
        }
    }

    std::size_t recordsPerCall = 2; // records per enumeration call at most
    std::size_t sharesPerPage = 2;  // share names per page
    std::function<void()> onCall;   // runs at every call
    std::atomic<int> openCalls{0};
    std::atomic<int> shareCalls{0};

    std::unique_ptr<ResourceEnumeration> OpenEnum(const NetResource* parent, ErrorCode& error) override {
        ++openCalls;
        Hook();
        const std::wstring key = parent ? parent->remoteName : L"";
        if (unreachable_.count(key)) {
            error = kErrorBadNetPath;
            return nullptr;
        }
        if (const auto failing = openErrors_.find(key);
            failing != openErrors_.end() && failing->second != kErrorSuccess) {
            error = failing->second;
            return nullptr;
        }
        const auto found = children_.find(key);
        if (parent && found == children_.end()) {
            error = kErrorBadNetPath;
            return nullptr;
        }
        auto enumeration = std::make_unique<Enumeration>(*this);
        if (found != children_.end()) {
            enumeration->records = found->second;
        }
        return enumeration;
    }

    ErrorCode ShareEnum(const std::wstring& server, std::vector<ShareInfo>& names,
                        std::uint32_t& resumeHandle) override {
        ++shareCalls;
        Hook();
        names.clear();
        if (const auto stuck = stuck_.find(server); stuck != stuck_.end()) {
            if (shareCalls > kStuckCalls) {
                return kErrorBadNetPath;
            }
            names = stuck->second;
            return kErrorMoreData;
        }
        const auto found = shares_.find(server);
        if (found == shares_.end() || unreachable_.count(server)) {
            return kErrorBadNetPath;
        }
        const auto& all = found->second;
        while (resumeHandle < all.size() && names.size() < sharesPerPage) {
            names.push_back(all[resumeHandle++]);
        }
        return resumeHandle < all.size() ? kErrorMoreData : kErrorSuccess;
    }

private:
    struct Enumeration final : ResourceEnumeration {
        explicit Enumeration(FakeNetwork& owner) : network(owner) {}
        ErrorCode Next(std::uint32_t& count, std::size_t, std::vector<NetResource>& out) override {
            network.Hook();
            std::uint32_t made = 0;
            while (next < records.size() && made < count && made < network.recordsPerCall) {
                out.push_back(records[next++]);
                ++made;
            }
            count = made;
            return made > 0 ? kErrorSuccess : kErrorNoMoreItems;
        }
        FakeNetwork& network;
        std::vector<NetResource> records;
        std::size_t next = 0;
    };

    void Hook() {
        if (onCall) {
            onCall();
        }
    }

    std::map<std::wstring, std::vector<NetResource>> children_;
    std::map<std::wstring, std::vector<ShareInfo>> shares_;
    std::map<std::wstring, std::vector<ShareInfo>> stuck_;
    std::set<std::wstring> unreachable_;
    std::map<std::wstring, ErrorCode> openErrors_;
};

} // namespace vk::testing
