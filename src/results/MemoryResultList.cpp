#include "results/MemoryResultList.h"

#include "engine/EngineLocks.h"

#include <algorithm>
#include <mutex>

namespace vk {

int MemoryResultList::GetItemCount() {
    std::lock_guard lock(listLock);
    return static_cast<int>(rows_.size());
}

int MemoryResultList::InsertRow(int position, std::wstring_view text, int image) {
    std::lock_guard lock(listLock);
    if (position < 0) {
        return -1;
    }
    // Like the list-view control, a position past the end appends.
    const auto index = std::min(static_cast<std::size_t>(position), rows_.size());
    ResultRow row;
    row.columns[0] = text;
    row.image = image;
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(index), std::move(row));
    return static_cast<int>(index);
}

bool MemoryResultList::SetColumnText(int row, int column, std::wstring_view text) {
    std::lock_guard lock(listLock);
    if (!ValidRow(row) || column < 0 || column >= 3) {
        return false;
    }
    rows_[static_cast<std::size_t>(row)].columns[static_cast<std::size_t>(column)] = text;
    return true;
}

bool MemoryResultList::SetRowData(int row, std::intptr_t data) {
    std::lock_guard lock(listLock);
    if (!ValidRow(row)) {
        return false;
    }
    rows_[static_cast<std::size_t>(row)].data = data;
    return true;
}

std::intptr_t MemoryResultList::GetRowData(int row) {
    std::lock_guard lock(listLock);
    return ValidRow(row) ? rows_[static_cast<std::size_t>(row)].data : 0;
}

void MemoryResultList::DeleteAllRows() {
    std::lock_guard lock(listLock);
    rows_.clear();
}

std::vector<ResultRow> MemoryResultList::Rows() const {
    std::lock_guard lock(listLock);
    return rows_;
}

} // namespace vk
