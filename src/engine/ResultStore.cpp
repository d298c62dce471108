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
    if (folders_.empty() || folder != lastFolderText_) {
        folders_.push_back(texts_.Add(folder));
        lastFolderText_.assign(folder);
    }
    const std::size_t index = names_.Size();
    names_.PushBack(texts_.Add(name));
    folderOf_.PushBack(static_cast<std::uint32_t>(folders_.size() - 1));
    sizes_.Set(index, size);
    modified_.Set(index, modified);
    return index;
}

void ResultStore::Clear() {
    std::lock_guard lock(lock_);
    names_.Clear();
    folderOf_.Clear();
    folders_.clear();
    sizes_.Clear();
    modified_.Clear();
    texts_.Clear();
    lastFolderText_.clear();
}

std::size_t ResultStore::Count() const {
    std::lock_guard lock(lock_);
    return names_.Size();
}

std::wstring ResultStore::PathOf(std::size_t index) const {
    std::wstring path = texts_.Text(folders_[folderOf_[index]]);
    path += texts_.Text(names_[index]);
    return path;
}

std::optional<std::wstring> ResultStore::Path(std::size_t index) const {
    std::lock_guard lock(lock_);
    if (index >= names_.Size()) {
        return std::nullopt;
    }
    return PathOf(index);
}

std::optional<std::uint64_t> ResultStore::Size(std::size_t index) const {
    std::lock_guard lock(lock_);
    if (index >= names_.Size()) {
        return std::nullopt;
    }
    return sizes_.ValueAt(index);
}

std::optional<std::int64_t> ResultStore::Modified(std::size_t index) const {
    std::lock_guard lock(lock_);
    if (index >= names_.Size()) {
        return std::nullopt;
    }
    return modified_.ValueAt(index);
}

ResultStore::Snapshot ResultStore::Copy() const {
    std::lock_guard lock(lock_);
    Snapshot snapshot;
    const std::size_t count = names_.Size();
    snapshot.resultPaths.reserve(count);
    snapshot.resultSizes.reserve(count);
    snapshot.resultModified.reserve(count);
    for (std::size_t index = 0; index < count; ++index) {
        snapshot.resultPaths.push_back(PathOf(index));
        snapshot.resultSizes.push_back(sizes_.ValueAt(index));
        snapshot.resultModified.push_back(modified_.ValueAt(index));
    }
    return snapshot;
}

} // namespace vk
