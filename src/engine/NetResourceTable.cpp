#include "engine/NetResourceTable.h"

#include <utility>

namespace vk {

std::intptr_t NetResourceTable::Append(NetResource record) {
    std::lock_guard lock(lock_);
    records_.push_back(std::move(record));
    return static_cast<std::intptr_t>(records_.size() - 1);
}

const NetResource* NetResourceTable::At(std::intptr_t index) const {
    std::lock_guard lock(lock_);
    if (index < 0 || static_cast<std::size_t>(index) >= records_.size()) {
        return nullptr;
    }
    return &records_[static_cast<std::size_t>(index)];
}

} // namespace vk
