#pragma once
// The result list as a plain model: rows of three column texts, an image and a data value. The
// console tool prints it at the end of a search; tests and benchmarks read it. Each operation
// holds listLock, as the guarded operations on the real list do.
//
// Rows are held compactly, for searches of a million hits: their texts in a pool (a folder text
// shared by the rows of that folder that come in turn), their order in a row sequence, so that
// an insertion in the middle does not move the rows behind it.

#include "engine/EngineLocks.h"
#include "engine/EngineSeams.h"
#include "engine/TextPool.h"
#include "results/RowSequence.h"

#include <array>
#include <cstdint>
#include <deque>
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
    bool SetColumnText(int row, int column, std::wstring_view text) override;
    bool SetRowData(int row, std::intptr_t data) override;
    [[nodiscard]] std::intptr_t GetRowData(int row) override;
    void DeleteAllRows() override;

    // A copy of the rows in list order.
    [[nodiscard]] std::vector<ResultRow> Rows() const;

    // A row as it stands in the list; its texts are valid during the visit only.
    struct RowView {
        std::array<std::wstring_view, 3> columns; // Name, Size, Path
        int image = -1;
        std::intptr_t data = 0;
    };
    // Calls visit(const RowView&) for each row in list order, without copying the list.
    template <class Visit> void ForEachRow(Visit visit) const {
        std::lock_guard lock(listLock);
        std::array<std::wstring, 3> texts;
        order_.ForEach([&](std::uint32_t id) {
            const StoredRow& row = rows_[id];
            for (std::size_t column = 0; column < texts.size(); ++column) {
                texts_.Read(row.columns[column], texts[column]);
            }
            visit(RowView{{texts[0], texts[1], texts[2]}, row.image, row.data});
        });
    }

private:
    struct StoredRow {
        std::array<TextPool::Ref, 3> columns;
        int image = -1;
        std::intptr_t data = 0;
    };
    [[nodiscard]] bool ValidRow(int row) const { return row >= 0 && static_cast<std::size_t>(row) < order_.Size(); }
    [[nodiscard]] StoredRow& RowAt(int row) { return rows_[order_.At(static_cast<std::size_t>(row))]; }

    std::deque<StoredRow> rows_; // in the order they came
    RowSequence order_;          // the ids of rows_ in list order
    TextPool texts_;
    TextPool::Ref lastPath_;
};

} // namespace vk
