#pragma once
// The result list as a plain model: rows of three column texts, an image and a data value. The
// console tool prints it at the end of a search; tests and benchmarks read it. Each operation
// holds listLock, as the guarded operations on the real list do.

#include "engine/EngineSeams.h"

#include <array>
#include <cstdint>
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
    bool SetColumnText(int row, int column, std::wstring_view text) override;
    bool SetRowData(int row, std::intptr_t data) override;
    [[nodiscard]] std::intptr_t GetRowData(int row) override;
    void DeleteAllRows() override;

    // A copy of the rows in list order.
    [[nodiscard]] std::vector<ResultRow> Rows() const;

private:
    [[nodiscard]] bool ValidRow(int row) const { return row >= 0 && static_cast<std::size_t>(row) < rows_.size(); }

    std::vector<ResultRow> rows_;
};

} // namespace vk
