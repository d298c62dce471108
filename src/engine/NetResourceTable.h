#pragma once
// The network records that the tree's network nodes refer to: such a node's data value is its
// record's index here (see ScopeTree.h).
//
// Threads: browsing appends (on the user interface thread) while a search's controller reads,
// each under the table's lock. Records are only appended and kept for the table's life, so the
// address of a record never changes once it is in.

#include "platform/NetworkServices.h"

#include <cstdint>
#include <deque>
#include <mutex>

namespace vk {

class NetResourceTable {
public:
    // Appends a record; returns its index.
    std::intptr_t Append(NetResource record);
    // The record at index; null for an index that is not in the table (NODE_IS_PATH, -1).
    [[nodiscard]] const NetResource* At(std::intptr_t index) const;

private:
    mutable std::mutex lock_;
    std::deque<NetResource> records_;
};

} // namespace vk
