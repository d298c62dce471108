#include "results/ResultComparers.h"

#include "platform/TextCompare.h"
#include "results/IconKeyTable.h"

namespace vk {
namespace {

int Sign(int value) {
    return (value > 0) - (value < 0);
}

// Name and folder: descending while the flag is true.
int CompareTextKeys(std::wstring_view keyA, std::wstring_view keyB, bool flag) {
    return flag ? Sign(CompareTextLocale(keyB, keyA)) : Sign(CompareTextLocale(keyA, keyB));
}

} // namespace

SortKey SortKeyForColumn(int column) {
    switch (column) {
    case 0:
        return SortKey::kName;
    case 1:
        return SortKey::kSize;
    case 3:
        return SortKey::kModified;
    default:
        return SortKey::kFolder;
    }
}

int ColumnOfSortKey(SortKey key) {
    switch (key) {
    case SortKey::kName:
        return 0;
    case SortKey::kSize:
        return 1;
    case SortKey::kModified:
        return 3;
    case SortKey::kFolder:
    default:
        return 2;
    }
}

bool SortsAscending(SortKey key, bool flag) {
    return key == SortKey::kSize || key == SortKey::kModified ? flag : !flag;
}

bool& SortFlags::FlagFor(SortKey key) {
    switch (key) {
    case SortKey::kName:
        return nameSortFlag;
    case SortKey::kSize:
        return sizeSortFlag;
    case SortKey::kModified:
        return modifiedSortFlag;
    case SortKey::kFolder:
        break;
    }
    return folderSortFlag;
}

std::wstring NameSortKey(std::wstring_view path) {
    const std::size_t slash = path.rfind(L'\\');
    return LowerAsciiLetters(slash == std::wstring_view::npos ? path : path.substr(slash));
}

std::wstring FolderSortKey(std::wstring_view path) {
    const std::size_t slash = path.rfind(L'\\');
    return LowerAsciiLetters(slash == std::wstring_view::npos ? std::wstring_view() : path.substr(0, slash));
}

int CompareByName(std::wstring_view pathA, std::wstring_view pathB, bool nameSortFlag) {
    return CompareTextKeys(NameSortKey(pathA), NameSortKey(pathB), nameSortFlag);
}

int CompareByFolder(std::wstring_view pathA, std::wstring_view pathB, bool folderSortFlag) {
    return CompareTextKeys(FolderSortKey(pathA), FolderSortKey(pathB), folderSortFlag);
}

int CompareBySize(std::uint64_t sizeA, std::uint64_t sizeB, bool sizeSortFlag) {
    const int ascending = (sizeA > sizeB) - (sizeA < sizeB);
    return sizeSortFlag ? ascending : -ascending;
}

int CompareByModified(std::int64_t timeA, std::int64_t timeB, bool modifiedSortFlag) {
    const int ascending = (timeA > timeB) - (timeA < timeB);
    return modifiedSortFlag ? ascending : -ascending;
}

ResultComparer::ResultComparer(SortKey key, bool flag, const ResultStore& store) : key_(key), flag_(flag) {
    ResultStore::Snapshot snapshot = store.Copy();
    if (key_ == SortKey::kSize) {
        sizes_ = std::move(snapshot.resultSizes);
        return;
    }
    if (key_ == SortKey::kModified) {
        modified_ = std::move(snapshot.resultModified);
        return;
    }
    textKeys_.reserve(snapshot.resultPaths.size());
    for (const auto& path : snapshot.resultPaths) {
        textKeys_.push_back(key_ == SortKey::kName ? NameSortKey(path) : FolderSortKey(path));
    }
}

const std::wstring& ResultComparer::TextKey(std::intptr_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= textKeys_.size()) {
        return empty_;
    }
    return textKeys_[static_cast<std::size_t>(index)];
}

std::uint64_t ResultComparer::Size(std::intptr_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= sizes_.size()) {
        return 0;
    }
    return sizes_[static_cast<std::size_t>(index)];
}

std::int64_t ResultComparer::Modified(std::intptr_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= modified_.size()) {
        return 0;
    }
    return modified_[static_cast<std::size_t>(index)];
}

int ResultComparer::Compare(std::intptr_t a, std::intptr_t b) const {
    if (key_ == SortKey::kSize) {
        return CompareBySize(Size(a), Size(b), flag_);
    }
    if (key_ == SortKey::kModified) {
        return CompareByModified(Modified(a), Modified(b), flag_);
    }
    return CompareTextKeys(TextKey(a), TextKey(b), flag_);
}

void SortResults(SortKey key, SortFlags& flags, const ResultStore& store,
                 const std::function<void(const ResultComparer&)>& sortRows) {
    bool& flag = flags.FlagFor(key);
    const ResultComparer comparer(key, flag, store);
    sortRows(comparer);
    flag = !flag;
}

} // namespace vk
