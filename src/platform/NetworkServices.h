#pragma once
// The two network enumerations the engine needs, as the system provides them: the child
// resources of a network resource (providers, domains, servers, shares), a buffer at a time, and
// the shares of a server, a page at a time. Implementations: the system's (the Windows network
// provider and server functions) and the folder network's.

#include "platform/ErrorCodes.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vk {

// Display types of a network resource.
constexpr std::uint32_t kDisplayTypeGeneric = 0;
constexpr std::uint32_t kDisplayTypeDomain = 1;
constexpr std::uint32_t kDisplayTypeServer = 2;
constexpr std::uint32_t kDisplayTypeShare = 3;
constexpr std::uint32_t kDisplayTypeNetwork = 6; // a network provider

// Usage flags.
constexpr std::uint32_t kUsageConnectable = 1;
constexpr std::uint32_t kUsageContainer = 2;

// An enumeration was asked for below a resource that holds none (a share).
constexpr ErrorCode kErrorNotContainer = 1207;

// One network resource record, as the enumeration reports it.
struct NetResource {
    std::uint32_t displayType = kDisplayTypeGeneric;
    std::uint32_t usage = 0;
    // The resource's name: a provider's or domain's name, \\SERVER for a server,
    // \\SERVER\share for a share.
    std::wstring remoteName;
    // The name of the network provider that reported the resource (empty when unknown). Handed
    // back with a parent, it lets the system ask that provider alone.
    std::wstring provider;
};

// The size of the buffer the engine hands to each enumeration call, and the request for as
// many entries as fit.
constexpr std::size_t kEnumBufferSize = 16384;
constexpr std::uint32_t kEnumAllEntries = 0xFFFFFFFF;

// The fixed part of a record in an enumeration buffer as 64-bit Windows lays it out: four 32-bit
// fields (scope, type, display type, usage) and four string pointers (local name, remote name,
// comment, provider).
constexpr std::size_t kEnumRecordFixedBytes = 4 * 4 + 4 * 8;

// The bytes one record takes in an enumeration buffer: the fixed record, then the remote name and
// the provider name in UTF-16 with their terminators (2 bytes a code unit). An empty string is a
// null pointer and takes no room; the local name and the comment are never filled in.
[[nodiscard]] std::size_t EnumRecordBytes(const NetResource& resource);

// An open enumeration of one resource's children. Closing it is destroying it.
class ResourceEnumeration {
public:
    virtual ~ResourceEnumeration() = default;
    // Appends to out the next records: at most count of them and as many as fit in bufferSize
    // bytes; sets count to the number appended. Returns kErrorSuccess while it yields records,
    // kErrorNoMoreItems at the end, kErrorMoreData when the next single record does not fit in
    // bufferSize, or another error.
    [[nodiscard]] virtual ErrorCode Next(std::uint32_t& count, std::size_t bufferSize,
                                         std::vector<NetResource>& out) = 0;
};

// An enumeration of records listed when it opened, handed out a buffer at a time as the system
// fills its buffers. beforeEachCall (when set) runs at the start of every Next call.
class RecordListEnumeration final : public ResourceEnumeration {
public:
    explicit RecordListEnumeration(std::vector<NetResource> records, std::function<void()> beforeEachCall = {})
        : records_(std::move(records)), beforeEachCall_(std::move(beforeEachCall)) {}

    [[nodiscard]] ErrorCode Next(std::uint32_t& count, std::size_t bufferSize, std::vector<NetResource>& out) override;

private:
    std::vector<NetResource> records_;
    std::function<void()> beforeEachCall_;
    std::size_t next_ = 0;
};

class NetworkServices {
public:
    virtual ~NetworkServices() = default;

    // Opens the enumeration of parent's children (every type, the whole network), or of the top
    // of the network when parent is null. Returns null and sets error when it cannot.
    [[nodiscard]] virtual std::unique_ptr<ResourceEnumeration> OpenEnum(const NetResource* parent,
                                                                        ErrorCode& error) = 0;

    // Lists one page of a server's shares (share names, hidden ones included) into names, which
    // is cleared first. server is \\SERVER. resumeHandle starts at 0 and carries over from one
    // call to the next. Returns kErrorSuccess for the last page, kErrorMoreData when more pages
    // follow, or another error.
    [[nodiscard]] virtual ErrorCode ShareEnum(const std::wstring& server, std::vector<std::wstring>& names,
                                              std::uint32_t& resumeHandle) = 0;
};

// A network whose enumerations list a whole level of records when they open (the folder network,
// the SMB network): OpenEnum asks for the level below the parent by the parent's display type,
// and its enumeration hands the records out a buffer at a time. Below a share there is nothing
// (kErrorNotContainer), below a record of another display type no network (kErrorBadNetPath).
class RecordListNetworkServices : public NetworkServices {
public:
    [[nodiscard]] std::unique_ptr<ResourceEnumeration> OpenEnum(const NetResource* parent, ErrorCode& error) final;

protected:
    // The records of a level: at the top of the network, below a provider, a domain, a server.
    [[nodiscard]] virtual ErrorCode ListTop(std::vector<NetResource>& records) = 0;
    [[nodiscard]] virtual ErrorCode ListBelowProvider(const NetResource& provider,
                                                      std::vector<NetResource>& records) = 0;
    [[nodiscard]] virtual ErrorCode ListBelowDomain(const NetResource& domain, std::vector<NetResource>& records) = 0;
    [[nodiscard]] virtual ErrorCode ListBelowServer(const NetResource& server, std::vector<NetResource>& records) = 0;
    // Runs as each call begins: OpenEnum, and every Next of the enumerations it opens (which must
    // not outlive this object).
    virtual void BeforeEachCall() {}
};

// Whether to ask a server for another page of its shares after a ShareEnum call that returned
// status and names and moved the resume handle from resumeBefore to resumeAfter. A "more data"
// answer that brought no share, or left the resume handle where it was, made no progress: asking
// again could go on for ever, so the listing ends there, as the network enumerations end at a call
// that yields nothing.
[[nodiscard]] inline bool AnotherSharePageFollows(ErrorCode status, const std::vector<std::wstring>& names,
                                                  std::uint32_t resumeBefore, std::uint32_t resumeAfter) {
    return status == kErrorMoreData && !names.empty() && resumeAfter != resumeBefore;
}

// The system's network (on POSIX a network that is not there: every call fails with
// kErrorNoNetwork).
std::unique_ptr<NetworkServices> MakeSystemNetworkServices();

} // namespace vk
