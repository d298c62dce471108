#include "results/MemoryResultList.h"

namespace vk {

int MemoryResultList::GetItemCount() {
    std::lock_guard lock(listLock);
    return static_cast<int>(rows_.Size());
}

int MemoryResultList::InsertRow(int position, std::wstring_view text, int image) {
    std::lock_guard lock(listLock);
    return rows_.Insert(position, text, image);
}

int MemoryResultList::InsertRows(int position, std::span<const NewRow> rows) {
    std::lock_guard lock(listLock);
    return rows_.InsertRows(position, rows);
}

bool MemoryResultList::SetColumnText(int row, int column, std::wstring_view text) {
    std::lock_guard lock(listLock);
    return rows_.SetText(row, column, text);
}

bool MemoryResultList::SetRowData(int row, std::intptr_t data) {
    std::lock_guard lock(listLock);
    return rows_.SetData(row, data);
}

std::intptr_t MemoryResultList::GetRowData(int row) {
    std::lock_guard lock(listLock);
    return rows_.Data(row);
}

void MemoryResultList::DeleteAllRows() {
    std::lock_guard lock(listLock);
    rows_.Clear();
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
