#pragma once
// Sorting the result list by name, size, folder or modified time. The list's sort hands the comparer the data
// values of two rows, which are indexes into the result store; the comparer looks up the paths
// or sizes there.
//
// Each key has a direction flag that starts true and is inverted after every sort by that key,
// whether the sort came from a column header or from the "Arrange Icons" menu. The flags are
// never reset, so the directions carry over from one search to the next:
//   name, folder  true: descending (Z before A)
//   size          true: ascending (smallest first)
//   modified      true: ascending (oldest first; unknown times before every known one)

#include "engine/ResultStore.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

enum class SortKey { kName, kSize, kFolder, kModified };

// The key of a clicked column: 0 name, 1 size, 3 modified, any other folder.
[[nodiscard]] SortKey SortKeyForColumn(int column);
// The column that shows a key: 0 name, 1 size, 2 folder, 3 modified.
[[nodiscard]] int ColumnOfSortKey(SortKey key);
// Whether a sort by the key with the flag's value puts the rows in ascending order (the header's
// arrow points up).
[[nodiscard]] bool SortsAscending(SortKey key, bool flag);

struct SortFlags {
    bool nameSortFlag = true;
    bool sizeSortFlag = true;
    bool folderSortFlag = true;
    bool modifiedSortFlag = true;

    [[nodiscard]] bool& FlagFor(SortKey key);
};

// The key of a path for a sort by name or folder, written into out (its contents replaced, its
// capacity reused, so that keying many paths allocates nothing per path). The path is folder
// followed by name: whole in either piece, or in the two pieces the result store holds it in.
//   name:   from the path's last backslash (included) to the end, the whole path when it holds none;
//   folder: the text before the path's last backslash, empty when there is none;
// A-Z lowered.
void WriteTextSortKey(SortKey key, std::wstring_view folder, std::wstring_view name, std::wstring& out);

// A comparer over row data values for one sort. It works on the store as it was when it was
// made: each row's key is worked out once, as a number (a size, a time, or the rank of a name or
// folder text among all of them), so ordering the rows costs no lock, no allocation and no text
// comparison. A data value outside the store (a row whose data was not set yet) counts as an empty
// path of size 0 and an unknown time.
class ResultComparer {
public:
    ResultComparer(SortKey key, bool flag, const ResultStore& store);

    // The sort as keys: the rows go in the order of their OrderKey, ascending or descending as
    // Ascending() says; rows with equal keys are equal for the sort.
    [[nodiscard]] std::uint64_t OrderKey(std::intptr_t data) const;
    [[nodiscard]] bool Ascending() const { return ascending_; }

private:
    bool ascending_;
    std::vector<std::uint64_t> keys_; // by store index
    std::uint64_t outsideKey_ = 0;    // for a data value outside the store
};

// One sort by key: sortRows orders the rows with a comparer that uses the flag's current value,
// then the flag is inverted, so the next sort by the same key goes the other way.
void SortResults(SortKey key, SortFlags& flags, const ResultStore& store,
                 const std::function<void(const ResultComparer&)>& sortRows);

} // namespace vk
