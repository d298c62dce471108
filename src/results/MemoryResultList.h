#pragma once
// The result list as a plain model: rows of three column texts, an image and a data value. The
// console tool prints it at the end of a search; tests and benchmarks read it. Each operation
// holds listLock, as the guarded operations on the real list do.
//
// The rows are a ResultRows model.

#include "engine/EngineLocks.h"
#include "engine/EngineSeams.h"
#include "results/ResultRows.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace vk {

struct ResultRow {
    std::array<std::wstring, 3> columns; // Name, Size, Path
    int image = -1;
    std::intptr_t data = 0;
};

class MemoryResultList final : public IResultList {
public:
    [[nodiscard]] int GetItemCount() override;
    int InsertRow(int position, std::wstring_view text, int image) override;
    int InsertRows(int position, std::span<const NewRow> rows) override;
    bool SetColumnText(int row, int column, std::wstring_view text) override;
    bool SetRowData(int row, std::intptr_t data) override;
    [[nodiscard]] std::intptr_t GetRowData(int row) override;
    void DeleteAllRows() override;

    // A copy of the rows in list order.
    [[nodiscard]] std::vector<ResultRow> Rows() const;

    using RowView = ResultRows::RowView;
    // Calls visit(const RowView&) for each row in list order, without copying the list.
    template <class Visit> void ForEachRow(Visit visit) const {
        std::lock_guard lock(listLock);
        rows_.ForEachRow(visit);
    }

private:
    ResultRows rows_;
};

} // namespace vk
