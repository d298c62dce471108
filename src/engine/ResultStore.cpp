#include "engine/ResultStore.h"

namespace vk {

std::size_t ResultStore::Append(std::wstring_view path, std::uint64_t size, std::int64_t modified) {
    const std::size_t cut = path.rfind(L'\\') + 1; // 0 when there is no separator
    const std::wstring_view folder = path.substr(0, cut);
    std::lock_guard lock(lock_);
    return AppendEntry(folder, path.substr(cut), size, modified);
}

std::size_t ResultStore::AppendInFolder(std::wstring_view folder, std::wstring_view name, std::uint64_t size,
                                        std::int64_t modified) {
    std::lock_guard lock(lock_);
    // A name in no folder is its own path, as Append gives it.
    folderScratch_.assign(folder);
    if (!folderScratch_.empty() && folderScratch_.back() != L'\\') {
        folderScratch_.push_back(L'\\');
    }
    return AppendEntry(folderScratch_, name, size, modified);
}

std::size_t ResultStore::AppendEntry(std::wstring_view folder, std::wstring_view name, std::uint64_t size,
                                     std::int64_t modified) {
    // The hits of one folder come in turn: compared as it is, its text is not encoded again.
    if (folder != lastFolderText_) {
        lastFolder_ = texts_.Add(folder);
        lastFolderText_.assign(folder);
    }
    entries_.push_back({lastFolder_, texts_.Add(name), size, modified});
    return entries_.size() - 1;
}

void ResultStore::Clear() {
    std::lock_guard lock(lock_);
    entries_.clear();
    texts_.Clear();
    lastFolder_ = {};
    lastFolderText_.clear();
}

std::size_t ResultStore::Count() const {
    std::lock_guard lock(lock_);
    return entries_.size();
}

std::wstring ResultStore::PathOf(const Entry& entry) const {
    std::wstring path = texts_.Text(entry.folder);
    path += texts_.Text(entry.name);
    return path;
}

std::optional<std::wstring> ResultStore::Path(std::size_t index) const {
    std::lock_guard lock(lock_);
    if (index >= entries_.size()) {
        return std::nullopt;
    }
    return PathOf(entries_[index]);
}

std::optional<std::uint64_t> ResultStore::Size(std::size_t index) const {
    std::lock_guard lock(lock_);
    if (index >= entries_.size()) {
        return std::nullopt;
    }
    return entries_[index].size;
}

std::optional<std::int64_t> ResultStore::Modified(std::size_t index) const {
    std::lock_guard lock(lock_);
    if (index >= entries_.size()) {
        return std::nullopt;
    }
    return entries_[index].modified;
}

ResultStore::Snapshot ResultStore::Copy() const {
    std::lock_guard lock(lock_);
    Snapshot snapshot;
    snapshot.resultPaths.reserve(entries_.size());
    snapshot.resultSizes.reserve(entries_.size());
    snapshot.resultModified.reserve(entries_.size());
    for (const Entry& entry : entries_) {
        snapshot.resultPaths.push_back(PathOf(entry));
        snapshot.resultSizes.push_back(entry.size);
        snapshot.resultModified.push_back(entry.modified);
    }
    return snapshot;
}

} // namespace vk
