#pragma once
// The paths and sizes (in bytes, 64 bits) of the hits, in the order they were found. A result-list row's data value
// is its index here. Entries are only appended; deleting rows leaves them.
//
// Workers append under hitLock while the user interface thread reads (sorting, opening,
// copying, exporting). The store's own lock is held only for the append or read itself, never
// around anything that can wait, so a reader never waits for a search.

#include "engine/BlockArray.h"
#include "engine/TextPool.h"

#include <cstddef>
#include <cstdint>
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
        std::uint32_t folderRead = 0;
        bool folderKnown = false;
        for (std::size_t index = 0; index < names_.Size(); ++index) {
            const std::uint32_t run = folderOf_[index];
            if (!folderKnown || run != folderRead) {
                // The hits of one folder that came in turn share its text: read once.
                texts_.Read(folders_[run], folder);
                folderRead = run;
                folderKnown = true;
            }
            texts_.Read(names_[index], name);
            visit(std::wstring_view(folder), std::wstring_view(name), sizes_.ValueAt(index), modified_.ValueAt(index));
        }
    }

private:
    // A hit is held as its folder (with the separator at its end, one text for the hits of one
    // folder that come in turn: a run) and its name, each once in the pool. Sizes and times are
    // held only from the first hit that has one on: a search that shows neither keeps 12 bytes a
    // hit.
    [[nodiscard]] std::wstring PathOf(std::size_t index) const;
    // Under lock_: folder (with the separator at its end) and name as the next entry.
    std::size_t AppendEntry(std::wstring_view folder, std::wstring_view name, std::uint64_t size,
                            std::int64_t modified);

    mutable std::mutex lock_;
    BlockArray<TextPool::Ref> names_;
    BlockArray<std::uint32_t> folderOf_; // the run of each hit
    std::vector<TextPool::Ref> folders_; // the folder text of each run
    BlockArray<std::uint64_t> sizes_;
    BlockArray<std::int64_t> modified_;
    TextPool texts_;
    std::wstring lastFolderText_; // the last run's text
    std::wstring folderScratch_;  // AppendInFolder's folder with its separator
};

} // namespace vk
