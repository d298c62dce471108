#include "results/ResultRows.h"

#include <limits>

namespace vk {

namespace {

constexpr auto kMostRows = static_cast<std::size_t>(std::numeric_limits<int>::max());

} // namespace

std::uint32_t ResultRows::AddRow(TextPool::Ref name, int image) {
    const auto id = static_cast<std::uint32_t>(names_.Size());
    names_.PushBack(name);
    pathOf_.PushBack(0);
    images_.PushBack(image);
    data_.PushBack(0);
    return id;
}

int ResultRows::Insert(int position, std::wstring_view name, int image) {
    if (position < 0 || names_.Size() >= kMostRows) {
        return -1;
    }
    // Like the list-view control, a position past the end appends.
    const auto index = std::min(static_cast<std::size_t>(position), order_.Size());
    order_.Insert(index, AddRow(texts_.Add(name), image));
    return static_cast<int>(index);
}

int ResultRows::InsertRows(int position, std::span<const NewRow> rows) {
    if (position < 0) {
        return -1;
    }
    const auto first = std::min(static_cast<std::size_t>(position), order_.Size());
    std::size_t index = first;
    for (const NewRow& row : rows) {
        if (names_.Size() >= kMostRows) {
            break;
        }
        const std::uint32_t id = AddRow(texts_.Add(row.name), row.image);
        sizeTexts_.Set(id, texts_.Add(row.sizeText));
        pathOf_[id] = PathNumber(row.pathText);
        data_[id] = row.data;
        order_.Insert(index++, id);
    }
    return index == first ? -1 : static_cast<int>(first);
}

std::uint32_t ResultRows::PathNumber(std::wstring_view text) {
    if (text.empty()) {
        return 0;
    }
    // The rows of one folder come together: they share its text, compared as it is.
    if (paths_.size() == 1 || text != lastPathText_) {
        paths_.push_back(texts_.Add(text));
        lastPathText_.assign(text);
    }
    return static_cast<std::uint32_t>(paths_.size() - 1);
}

bool ResultRows::SetText(int row, int column, std::wstring_view text) {
    if (!ValidRow(row) || column < 0 || column >= 3) {
        return false;
    }
    const std::uint32_t id = IdOf(row);
    if (column == 0) {
        names_[id] = texts_.Add(text);
    } else if (column == 1) {
        sizeTexts_.Set(id, texts_.Add(text));
    } else {
        pathOf_[id] = PathNumber(text);
    }
    return true;
}

bool ResultRows::SetData(int row, std::intptr_t data) {
    if (!ValidRow(row)) {
        return false;
    }
    data_[IdOf(row)] = data;
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
    names_.Clear();
    sizeTexts_.Clear();
    pathOf_.Clear();
    images_.Clear();
    data_.Clear();
    paths_.assign(1, TextPool::Ref{});
    order_.Clear();
    texts_.Clear();
    lastPathText_.clear();
}

std::intptr_t ResultRows::Data(int row) const {
    return ValidRow(row) ? data_[IdOf(row)] : 0;
}

int ResultRows::Image(int row) const {
    return ValidRow(row) ? images_[IdOf(row)] : -1;
}

void ResultRows::ReadText(int row, int column, std::wstring& out) const {
    if (!ValidRow(row) || column < 0 || column >= 3) {
        out.clear();
        return;
    }
    const std::uint32_t id = IdOf(row);
    const TextPool::Ref ref = column == 0 ? names_[id] : column == 1 ? sizeTexts_.ValueAt(id) : paths_[pathOf_[id]];
    texts_.Read(ref, out);
}

std::vector<int> ResultRows::RowsOf(const std::vector<std::uint32_t>& ids) const {
    constexpr int kGone = -1;
    std::vector<int> rowOfId(names_.Size(), kGone);
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
