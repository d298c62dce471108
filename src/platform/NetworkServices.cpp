#include "platform/NetworkServices.h"

#include <utility>

namespace vk {
namespace {

// True for a character that takes two UTF-16 units; with 16-bit wide characters each unit is
// a character of its own already.
template <typename Char> constexpr bool IsBeyondBmp(Char c) {
    if constexpr (sizeof(Char) > 2) {
        return static_cast<std::uint32_t>(c) > 0xFFFF;
    } else {
        return false;
    }
}

// The bytes of a string in the buffer: its UTF-16 code units and the terminator, or nothing for
// an empty string (a null pointer). Wide characters are 32-bit on POSIX, where a character
// beyond the Basic Multilingual Plane takes two UTF-16 units.
std::size_t StringBytes(const std::wstring& text) {
    if (text.empty()) {
        return 0;
    }
    std::size_t units = 1;
    for (const wchar_t c : text) {
        units += IsBeyondBmp(c) ? 2 : 1;
    }
    return units * 2;
}

} // namespace

std::size_t EnumRecordBytes(const NetResource& resource) {
    return kEnumRecordFixedBytes + StringBytes(resource.remoteName) + StringBytes(resource.provider);
}

ErrorCode RecordListEnumeration::Next(std::uint32_t& count, std::size_t bufferSize, std::vector<NetResource>& out) {
    if (beforeEachCall_) {
        beforeEachCall_();
    }
    const std::uint32_t wanted = count;
    count = 0;
    // Asking for nothing would return nothing for ever to a caller that repeats the call.
    if (wanted == 0) {
        return kErrorInvalidParameter;
    }
    if (next_ == records_.size()) {
        return kErrorNoMoreItems;
    }
    std::size_t used = 0;
    while (count < wanted && next_ < records_.size()) {
        const std::size_t bytes = EnumRecordBytes(records_[next_]);
        if (bytes > bufferSize - used) {
            break;
        }
        used += bytes;
        out.push_back(records_[next_]);
        ++next_;
        ++count;
    }
    // Nothing fitted: the next record alone is larger than the buffer. It stays next, so a
    // larger buffer gets it.
    return count == 0 ? kErrorMoreData : kErrorSuccess;
}

std::unique_ptr<ResourceEnumeration> RecordListNetworkServices::OpenEnum(const NetResource* parent, ErrorCode& error) {
    BeforeEachCall();
    std::vector<NetResource> records;
    if (parent == nullptr) {
        error = ListTop(records);
    } else if (parent->displayType == kDisplayTypeNetwork) {
        error = ListBelowProvider(*parent, records);
    } else if (parent->displayType == kDisplayTypeDomain) {
        error = ListBelowDomain(*parent, records);
    } else if (parent->displayType == kDisplayTypeServer) {
        error = ListBelowServer(*parent, records);
    } else if (parent->displayType == kDisplayTypeShare) {
        error = kErrorNotContainer;
    } else {
        error = kErrorBadNetPath;
    }
    if (error != kErrorSuccess) {
        return nullptr;
    }
    return std::make_unique<RecordListEnumeration>(std::move(records), [this] { BeforeEachCall(); });
}

} // namespace vk
