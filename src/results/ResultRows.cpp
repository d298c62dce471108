#include "results/ResultRows.h"

#include <limits>

namespace vk {

namespace {

constexpr auto kMostRows = static_cast<std::size_t>(std::numeric_limits<int>::max());

} // namespace

int ResultRows::Insert(int position, std::wstring_view name, int image) {
    if (position < 0 || rows_.size() >= kMostRows) {
        return -1;
    }
    // Like the list-view control, a position past the end appends.
    const auto index = std::min(static_cast<std::size_t>(position), order_.Size());
    StoredRow row;
    row.columns[0] = texts_.Add(name);
    row.image = image;
    rows_.push_back(row);
    order_.Insert(index, static_cast<std::uint32_t>(rows_.size() - 1));
    return static_cast<int>(index);
}

int ResultRows::InsertRows(int position, std::span<const NewRow> rows) {
    if (position < 0) {
        return -1;
    }
    const auto first = std::min(static_cast<std::size_t>(position), order_.Size());
    std::size_t index = first;
    for (const NewRow& row : rows) {
        if (rows_.size() >= kMostRows) {
            break;
        }
        StoredRow stored;
        stored.columns = {texts_.Add(row.name), texts_.Add(row.sizeText), PathRef(row.pathText)};
        stored.image = row.image;
        stored.data = row.data;
        rows_.push_back(stored);
        order_.Insert(index++, static_cast<std::uint32_t>(rows_.size() - 1));
    }
    return index == first ? -1 : static_cast<int>(first);
}

TextPool::Ref ResultRows::PathRef(std::wstring_view text) {
    // The rows of one folder come together: they share its text, compared as it is.
    if (text != lastPathText_) {
        lastPath_ = texts_.Add(text);
        lastPathText_.assign(text);
    }
    return lastPath_;
}

bool ResultRows::SetText(int row, int column, std::wstring_view text) {
    if (!ValidRow(row) || column < 0 || column >= 3) {
        return false;
    }
    TextPool::Ref ref;
    if (column == 2) {
        ref = PathRef(text);
    } else {
        ref = texts_.Add(text);
    }
    RowAt(row).columns[static_cast<std::size_t>(column)] = ref;
    return true;
}

bool ResultRows::SetData(int row, std::intptr_t data) {
    if (!ValidRow(row)) {
        return false;
    }
    RowAt(row).data = data;
    return true;
}

bool ResultRows::Erase(int row) {
    if (!ValidRow(row)) {
        return false;
    }
    order_.Erase(static_cast<std::size_t>(row));
    return true;
}

void ResultRows::Clear() {
    rows_.clear();
    order_.Clear();
    texts_.Clear();
    lastPath_ = {};
    lastPathText_.clear();
}

std::intptr_t ResultRows::Data(int row) const {
    return ValidRow(row) ? RowAt(row).data : 0;
}

int ResultRows::Image(int row) const {
    return ValidRow(row) ? RowAt(row).image : -1;
}

void ResultRows::ReadText(int row, int column, std::wstring& out) const {
    if (!ValidRow(row) || column < 0 || column >= 3) {
        out.clear();
        return;
    }
    texts_.Read(RowAt(row).columns[static_cast<std::size_t>(column)], out);
}

std::vector<int> ResultRows::RowsOf(const std::vector<std::uint32_t>& ids) const {
    constexpr int kGone = -1;
    std::vector<int> rowOfId(rows_.size(), kGone);
    int row = 0;
    order_.ForEach([&](std::uint32_t id) { rowOfId[id] = row++; });
    std::vector<int> rows;
    rows.reserve(ids.size());
    for (const std::uint32_t id : ids) {
        if (id < rowOfId.size() && rowOfId[id] != kGone) {
            rows.push_back(rowOfId[id]);
        }
    }
    return rows;
}

} // namespace vk
