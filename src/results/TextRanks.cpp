#include "results/TextRanks.h"

#include "platform/TextCompare.h"

#include <algorithm>
#include <numeric>
#include <thread>

namespace vk {
namespace {

// The ranks of texts in sorted order: a new rank wherever a text differs from the one before.
template <class Same> std::vector<std::uint32_t> RanksInOrder(const std::vector<std::uint32_t>& order, Same same) {
    std::vector<std::uint32_t> ranks(order.size());
    std::uint32_t rank = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && !same(order[i - 1], order[i])) {
            ++rank;
        }
        ranks[order[i]] = rank;
    }
    return ranks;
}

// The keys of the texts [begin, end) of list, one after another, and where each ends.
struct KeyRun {
    std::string keys;
    std::vector<std::uint32_t> ends;
    bool made = true;
};

void MakeKeyRun(const TextSortKeys& sortKeys, const TextList& list, std::size_t begin, std::size_t end, KeyRun& run) {
    if (begin >= end) {
        return;
    }
    // Room for the keys as most texts need (about two bytes a character and a few more), so that
    // the run is written once: fresh memory costs more than the keys' bytes.
    const std::size_t chars =
        static_cast<std::size_t>(list.At(end - 1).data() + list.At(end - 1).size() - list.At(begin).data());
    run.keys.reserve(chars * 2 + (end - begin) * 8);
    run.ends.reserve(end - begin);
    for (std::size_t i = begin; i < end && run.made; ++i) {
        run.made = sortKeys.Append(list.At(i), run.keys);
        run.ends.push_back(static_cast<std::uint32_t>(run.keys.size()));
    }
}

// A text's sort key where it was made, and the text's number.
struct KeyRecord {
    const char* bytes;
    std::uint32_t length;
    std::uint32_t text;

    [[nodiscard]] std::string_view Key() const { return {bytes, length}; }
};

// The sort key of every text, by number. A long list is keyed by several threads at once, in
// the locale of this one; runs holds the keys. Empty when a key could not be made.
std::vector<KeyRecord> MakeSortKeys(const TextList& list, std::vector<KeyRun>& runs) {
    constexpr std::size_t kTextsPerThread = 50'000;
    constexpr std::size_t kMostThreads = 8;
    const TextSortKeys sortKeys;
    const std::size_t count = list.Size();
    const std::size_t threads = std::clamp<std::size_t>(
        std::min<std::size_t>(std::thread::hardware_concurrency(), count / kTextsPerThread), 1, kMostThreads);
    runs.resize(threads);
    std::vector<std::thread> helpers;
    for (std::size_t run = 1; run < threads; ++run) {
        const std::size_t begin = count * run / threads;
        const std::size_t end = count * (run + 1) / threads;
        try {
            helpers.emplace_back([&, begin, end, run] { MakeKeyRun(sortKeys, list, begin, end, runs[run]); });
        } catch (...) {
            // No thread to be had: this one keys the run.
            MakeKeyRun(sortKeys, list, begin, end, runs[run]);
        }
    }
    MakeKeyRun(sortKeys, list, 0, count / threads, runs[0]);
    for (auto& helper : helpers) {
        helper.join();
    }
    std::vector<KeyRecord> records;
    records.reserve(count);
    for (const KeyRun& run : runs) {
        if (!run.made) {
            return {};
        }
        std::uint32_t start = 0;
        for (const std::uint32_t end : run.ends) {
            records.push_back({run.keys.data() + start, end - start, static_cast<std::uint32_t>(records.size())});
            start = end;
        }
    }
    return records;
}

} // namespace

std::uint32_t TextList::Start() {
    starts_.push_back(chars_.size());
    return static_cast<std::uint32_t>(starts_.size() - 1);
}

void TextList::Reserve(std::size_t texts, std::size_t chars) {
    starts_.reserve(texts);
    chars_.reserve(chars);
}

std::wstring_view TextList::At(std::size_t index) const {
    const std::size_t end = index + 1 < starts_.size() ? starts_[index + 1] : chars_.size();
    return std::wstring_view(chars_).substr(starts_[index], end - starts_[index]);
}

std::vector<std::uint32_t> RankTexts(const TextList& list) {
    const std::size_t count = list.Size();
    std::vector<KeyRun> runs;
    std::vector<KeyRecord> records = MakeSortKeys(list, runs);
    if (records.size() != count) {
        // No key for a text: the texts themselves are compared (slower, the same order).
        std::vector<std::uint32_t> order(count);
        std::iota(order.begin(), order.end(), 0u);
        std::sort(order.begin(), order.end(),
                  [&list](std::uint32_t a, std::uint32_t b) { return CompareTextLocale(list.At(a), list.At(b)) < 0; });
        return RanksInOrder(order, [&list](std::uint32_t a, std::uint32_t b) {
            return CompareTextLocale(list.At(a), list.At(b)) == 0;
        });
    }
    // The records are sorted themselves, not numbers that point at them: each comparison then
    // reads the two keys only. std::string_view compares bytes as unsigned values, as keys are.
    std::sort(records.begin(), records.end(), [](const KeyRecord& a, const KeyRecord& b) { return a.Key() < b.Key(); });
    std::vector<std::uint32_t> ranks(count);
    std::uint32_t rank = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0 && records[i - 1].Key() != records[i].Key()) {
            ++rank;
        }
        ranks[records[i].text] = rank;
    }
    return ranks;
}

} // namespace vk
