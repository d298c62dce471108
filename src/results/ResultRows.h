#pragma once
// The result list's rows as a model: three column texts, an image and a data value (the result
// store's index of the hit) for each row, in the order they are shown. Rows are held compactly,
// for searches of a million hits: their texts in a pool (a folder text shared by the rows of that
// folder that come in turn), their order in a row sequence, so that an insertion or a deletion in
// the middle does not move the rows behind it. Each row also has an id that stays with it while
// it is sorted or rows come and go around it. Not thread-safe: the owner guards it.

#include "engine/BlockArray.h"
#include "engine/EngineSeams.h"
#include "engine/TextPool.h"
#include "results/RowSequence.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vk {

class ResultRows {
public:
    [[nodiscard]] std::size_t Size() const { return order_.Size(); }
    [[nodiscard]] bool ValidRow(int row) const { return row >= 0 && static_cast<std::size_t>(row) < order_.Size(); }

    // Inserts a row with its name and image at position, at the end when position is past it.
    // Returns its index, or -1 when position is negative or the list is full.
    int Insert(int position, std::wstring_view name, int image);
    // Inserts rows one after the other from position, as InsertRowsInTurn does with Insert, SetData
    // and SetText, in one step. Returns the index of the first row, or -1 when none went in.
    int InsertRows(int position, std::span<const NewRow> rows);
    // Column 0 name, 1 size, 2 path. False for a row or column that does not exist.
    bool SetText(int row, int column, std::wstring_view text);
    bool SetData(int row, std::intptr_t data);
    bool Erase(int row);
    void Clear();

    // 0, -1 and empty texts for a row that does not exist.
    [[nodiscard]] std::intptr_t Data(int row) const;
    [[nodiscard]] int Image(int row) const;
    // The text of a cell, replacing out's contents (its capacity is reused).
    void ReadText(int row, int column, std::wstring& out) const;
    [[nodiscard]] std::wstring Text(int row, int column) const {
        std::wstring text;
        ReadText(row, column, text);
        return text;
    }

    // The id of a row (row must exist), and the rows that hold the given ids now, in the ids'
    // order (ids of rows gone since are left out).
    [[nodiscard]] std::uint32_t IdAt(int row) const { return order_.At(static_cast<std::size_t>(row)); }
    [[nodiscard]] std::vector<int> RowsOf(const std::vector<std::uint32_t>& ids) const;

    // Orders the rows by a number worked out once for each data value, keyOf(data), ascending or
    // descending, stably: rows with equal numbers keep their order either way.
    template <class KeyOf> void SortByKey(KeyOf keyOf, bool ascending) {
        std::vector<std::pair<std::uint64_t, std::uint32_t>> keyed;
        keyed.reserve(order_.Size());
        order_.ForEach([&](std::uint32_t id) { keyed.emplace_back(keyOf(data_[id]), id); });
        const auto byKey = [ascending](const auto& a, const auto& b) {
            return ascending ? a.first < b.first : b.first < a.first;
        };
        std::stable_sort(keyed.begin(), keyed.end(), byKey);
        std::vector<std::uint32_t> ids;
        ids.reserve(keyed.size());
        for (const auto& [key, id] : keyed) {
            ids.push_back(id);
        }
        order_.Assign(ids);
    }

    // A row as it stands in the list; its texts are valid during the visit only.
    struct RowView {
        std::array<std::wstring_view, 3> columns; // Name, Size, Path
        int image = -1;
        std::intptr_t data = 0;
    };
    // Calls visit(const RowView&) for each row in list order, without copying the list.
    template <class Visit> void ForEachRow(Visit visit) const {
        std::array<std::wstring, 3> texts;
        std::uint32_t pathRead = 0;
        bool pathKnown = false;
        order_.ForEach([&](std::uint32_t id) {
            texts_.Read(names_[id], texts[0]);
            texts_.Read(sizeTexts_.ValueAt(id), texts[1]);
            // The rows of one folder that stand in turn share its text: read once.
            const std::uint32_t path = pathOf_[id];
            if (!pathKnown || path != pathRead) {
                texts_.Read(paths_[path], texts[2]);
                pathRead = path;
                pathKnown = true;
            }
            visit(RowView{{texts[0], texts[1], texts[2]}, images_[id], data_[id]});
        });
    }

private:
    // A row's id indexes its columns, held apart: a row is 24 bytes, and its size text takes room
    // only once some row has one. The path texts are held once for the rows of a folder that come
    // in turn; a row holds the number of its path (0: the empty one).
    [[nodiscard]] std::uint32_t IdOf(int row) const { return order_.At(static_cast<std::size_t>(row)); }
    [[nodiscard]] std::uint32_t AddRow(TextPool::Ref name, int image);

    // The number of the path text of column 2 as one for the rows that share it.
    [[nodiscard]] std::uint32_t PathNumber(std::wstring_view text);

    // By id, in the order rows came; a deleted row's entries stay until Clear.
    BlockArray<TextPool::Ref> names_;
    BlockArray<TextPool::Ref> sizeTexts_;
    BlockArray<std::uint32_t> pathOf_;
    BlockArray<int> images_;
    BlockArray<std::intptr_t> data_;
    std::vector<TextPool::Ref> paths_{TextPool::Ref{}};
    RowSequence order_; // the ids in list order
    TextPool texts_;
    std::wstring lastPathText_; // the last path's text
};

} // namespace vk
