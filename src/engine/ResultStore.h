#pragma once
// The paths and sizes (in bytes, 64 bits) of the hits, in the order they were found. A result-list row's data value
// is its index here. Entries are only appended; deleting rows leaves them.
//
// Workers append under hitLock while the user interface thread reads (sorting, opening,
// copying, exporting). The store's own lock is held only for the append or read itself, never
// around anything that can wait, so a reader never waits for a search.

#include "engine/TextPool.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace vk {

class ResultStore {
public:
    // Appends one hit; returns its index.
    std::size_t Append(std::wstring_view path, std::uint64_t size, std::int64_t modified = 0);
    // Appends the hit name in folder, whose path is the folder, a separator unless the folder
    // is empty or ends with one, and the name; returns its index. The path is not made on the way.
    std::size_t AppendInFolder(std::wstring_view folder, std::wstring_view name, std::uint64_t size,
                               std::int64_t modified = 0);
    void Clear();

    [[nodiscard]] std::size_t Count() const;
    [[nodiscard]] std::optional<std::wstring> Path(std::size_t index) const;
    [[nodiscard]] std::optional<std::uint64_t> Size(std::size_t index) const;
    // The last write time (file time ticks; 0 unknown).
    [[nodiscard]] std::optional<std::int64_t> Modified(std::size_t index) const;

    struct Snapshot {
        std::vector<std::wstring> resultPaths;
        std::vector<std::uint64_t> resultSizes;
        std::vector<std::int64_t> resultModified; // file time ticks; 0 unknown
    };
    [[nodiscard]] Snapshot Copy() const;

    // Calls visit(folder, name, size, modified) for each hit in order, without copying the
    // store: folder is the path up to and with its last separator (empty when it has none), name
    // the rest; both are valid during the visit only. The store's lock is held throughout, so
    // visit must be quick, never wait and never call the store.
    template <class Visit> void ForEachHit(Visit visit) const {
        std::lock_guard lock(lock_);
        std::wstring folder;
        std::wstring name;
        TextPool::Ref folderRead;
        bool folderKnown = false;
        for (const Entry& entry : entries_) {
            const TextPool::Ref& ref = entry.folder;
            if (!folderKnown || ref != folderRead) {
                // The hits of one folder that came in turn share its text: read once.
                texts_.Read(ref, folder);
                folderRead = ref;
                folderKnown = true;
            }
            texts_.Read(entry.name, name);
            visit(std::wstring_view(folder), std::wstring_view(name), entry.size, entry.modified);
        }
    }

private:
    // A hit is held as its folder (with the separator at its end, shared by the hits of one
    // folder that come in turn) and its name, each once in the pool.
    struct Entry {
        TextPool::Ref folder;
        TextPool::Ref name;
        std::uint64_t size = 0;
        std::int64_t modified = 0;
    };
    [[nodiscard]] std::wstring PathOf(const Entry& entry) const;
    // Under lock_: folder (with the separator at its end) and name as the next entry.
    std::size_t AppendEntry(std::wstring_view folder, std::wstring_view name, std::uint64_t size,
                            std::int64_t modified);

    mutable std::mutex lock_;
    std::deque<Entry> entries_;
    TextPool texts_;
    TextPool::Ref lastFolder_;
    std::wstring lastFolderText_; // lastFolder_'s text
    std::wstring folderScratch_;  // AppendInFolder's folder with its separator
};

} // namespace vk
