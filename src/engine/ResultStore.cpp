#include "engine/ResultStore.h"

namespace vk {

std::size_t ResultStore::Append(std::wstring path, std::uint64_t size, std::int64_t modified) {
    std::lock_guard lock(lock_);
    resultPaths_.push_back(std::move(path));
    resultSizes_.push_back(size);
    resultModified_.push_back(modified);
    return resultPaths_.size() - 1;
}

void ResultStore::Clear() {
    std::lock_guard lock(lock_);
    resultPaths_.clear();
    resultSizes_.clear();
    resultModified_.clear();
}

std::size_t ResultStore::Count() const {
    std::lock_guard lock(lock_);
    return resultPaths_.size();
}

std::optional<std::wstring> ResultStore::Path(std::size_t index) const {
    std::lock_guard lock(lock_);
    if (index >= resultPaths_.size()) {
        return std::nullopt;
    }
    return resultPaths_[index];
}

std::optional<std::uint64_t> ResultStore::Size(std::size_t index) const {
    std::lock_guard lock(lock_);
    if (index >= resultSizes_.size()) {
        return std::nullopt;
    }
    return resultSizes_[index];
}

std::optional<std::int64_t> ResultStore::Modified(std::size_t index) const {
    std::lock_guard lock(lock_);
    if (index >= resultModified_.size()) {
        return std::nullopt;
    }
    return resultModified_[index];
}

ResultStore::Snapshot ResultStore::Copy() const {
    std::lock_guard lock(lock_);
    return {{resultPaths_.begin(), resultPaths_.end()}, {resultSizes_.begin(), resultSizes_.end()}};
}

} // namespace vk
