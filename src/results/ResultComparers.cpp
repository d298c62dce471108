#include "results/ResultComparers.h"

#include "results/TextRanks.h"

#include <unordered_map>

namespace vk {

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

void WriteTextSortKey(SortKey key, std::wstring_view folder, std::wstring_view name, std::wstring& out) {
    // The path's last backslash: in the name, else in the folder; with none, the whole path is
    // the name and the folder is empty.
    std::size_t folderCut = folder.size();
    std::size_t nameCut = name.rfind(L'\\');
    if (nameCut == std::wstring_view::npos) {
        nameCut = 0;
        folderCut = folder.rfind(L'\\');
        if (folderCut == std::wstring_view::npos) {
            folderCut = 0;
        }
    }
    if (key == SortKey::kName) {
        out.assign(folder.substr(folderCut));
        out.append(name.substr(nameCut));
    } else {
        out.assign(folder.substr(0, folderCut));
        out.append(name.substr(0, nameCut));
    }
    for (auto& c : out) {
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
    }
}

namespace {

// The rank of each hit's name or folder key, by store index; the empty key's rank last.
std::vector<std::uint64_t> TextKeyRanks(SortKey key, const ResultStore& store) {
    constexpr std::size_t kTypicalNameLength = 16;
    const std::size_t hits = store.Count();
    TextList texts;
    std::vector<std::uint32_t> textOfHit;
    textOfHit.reserve(hits);
    std::wstring scratch;
    const std::uint32_t empty = texts.Start();
    if (key == SortKey::kName) {
        texts.Reserve(hits + 1, hits * kTypicalNameLength);
        store.ForEachHit([&](std::wstring_view folder, std::wstring_view name, std::uint64_t, std::int64_t) {
            textOfHit.push_back(texts.Start());
            WriteTextSortKey(SortKey::kName, folder, name, scratch);
            texts.Append(scratch);
        });
    } else {
        // Many hits share a folder: its key is made and ranked once.
        std::unordered_map<std::wstring, std::uint32_t> folders;
        std::wstring lastFolder;
        std::uint32_t lastText = empty;
        store.ForEachHit([&](std::wstring_view folder, std::wstring_view, std::uint64_t, std::int64_t) {
            if (folder != lastFolder) {
                lastFolder.assign(folder);
                auto [place, added] = folders.try_emplace(lastFolder, 0);
                if (added) {
                    place->second = texts.Start();
                    WriteTextSortKey(SortKey::kFolder, folder, {}, scratch);
                    texts.Append(scratch);
                }
                lastText = place->second;
            }
            textOfHit.push_back(lastText);
        });
    }
    const std::vector<std::uint32_t> ranks = RankTexts(texts);
    std::vector<std::uint64_t> keys;
    keys.reserve(textOfHit.size() + 1);
    for (const std::uint32_t text : textOfHit) {
        keys.push_back(ranks[text]);
    }
    keys.push_back(ranks[empty]);
    return keys;
}

// A file time as a number that orders as the signed time does.
std::uint64_t TimeKey(std::int64_t time) {
    return static_cast<std::uint64_t>(time) ^ (std::uint64_t{1} << 63);
}

} // namespace

ResultComparer::ResultComparer(SortKey key, bool flag, const ResultStore& store)
    : ascending_(SortsAscending(key, flag)) {
    if (key == SortKey::kSize || key == SortKey::kModified) {
        keys_.reserve(store.Count());
    }
    switch (key) {
    case SortKey::kSize:
        store.ForEachHit(
            [this](std::wstring_view, std::wstring_view, std::uint64_t size, std::int64_t) { keys_.push_back(size); });
        outsideKey_ = 0;
        return;
    case SortKey::kModified:
        store.ForEachHit([this](std::wstring_view, std::wstring_view, std::uint64_t, std::int64_t modified) {
            keys_.push_back(TimeKey(modified));
        });
        outsideKey_ = TimeKey(0);
        return;
    case SortKey::kName:
    case SortKey::kFolder:
        keys_ = TextKeyRanks(key, store);
        outsideKey_ = keys_.back();
        keys_.pop_back();
        return;
    }
}

std::uint64_t ResultComparer::OrderKey(std::intptr_t data) const {
    if (data < 0 || static_cast<std::size_t>(data) >= keys_.size()) {
        return outsideKey_;
    }
    return keys_[static_cast<std::size_t>(data)];
}

void SortResults(SortKey key, SortFlags& flags, const ResultStore& store,
                 const std::function<void(const ResultComparer&)>& sortRows) {
    bool& flag = flags.FlagFor(key);
    const ResultComparer comparer(key, flag, store);
    sortRows(comparer);
    flag = !flag;
}

} // namespace vk
