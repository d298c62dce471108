#include "results/MemoryResultList.h"

#include <algorithm>
#include <limits>

namespace vk {

int MemoryResultList::GetItemCount() {
    std::lock_guard lock(listLock);
    return static_cast<int>(order_.Size());
}

int MemoryResultList::InsertRow(int position, std::wstring_view text, int image) {
    std::lock_guard lock(listLock);
    if (position < 0 || order_.Size() >= static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return -1;
    }
    // Like the list-view control, a position past the end appends.
    const auto index = std::min(static_cast<std::size_t>(position), order_.Size());
    StoredRow row;
    row.columns[0] = texts_.Add(text);
    row.image = image;
    rows_.push_back(row);
    order_.Insert(index, static_cast<std::uint32_t>(rows_.size() - 1));
    return static_cast<int>(index);
}

bool MemoryResultList::SetColumnText(int row, int column, std::wstring_view text) {
    std::lock_guard lock(listLock);
    if (!ValidRow(row) || column < 0 || column >= 3) {
        return false;
    }
    TextPool::Ref ref;
    if (column == 2) {
        // The rows of one folder come together: they share its text.
        if (!texts_.Holds(lastPath_, text)) {
            lastPath_ = texts_.Add(text);
        }
        ref = lastPath_;
    } else {
        ref = texts_.Add(text);
    }
    RowAt(row).columns[static_cast<std::size_t>(column)] = ref;
    return true;
}

bool MemoryResultList::SetRowData(int row, std::intptr_t data) {
    std::lock_guard lock(listLock);
    if (!ValidRow(row)) {
        return false;
    }
    RowAt(row).data = data;
    return true;
}

std::intptr_t MemoryResultList::GetRowData(int row) {
    std::lock_guard lock(listLock);
    return ValidRow(row) ? RowAt(row).data : 0;
}

void MemoryResultList::DeleteAllRows() {
    std::lock_guard lock(listLock);
    rows_.clear();
    order_.Clear();
    texts_.Clear();
    lastPath_ = {};
}

std::vector<ResultRow> MemoryResultList::Rows() const {
    std::vector<ResultRow> rows;
    ForEachRow([&rows](const RowView& view) {
        rows.push_back({{std::wstring(view.columns[0]), std::wstring(view.columns[1]), std::wstring(view.columns[2])},
                        view.image,
                        view.data});
    });
    return rows;
}

} // namespace vk
