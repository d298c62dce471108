#include "results/TextRanks.h"

#include "platform/TextCompare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

namespace vk {
namespace {

// Enough texts that several threads key them (where the machine has several cores), with
// repeats across the runs they are split into: the ranks must order them as the comparison does
// and give equal texts one rank.
TEST(TextRanks, RanksOrderTextsAsTheComparisonAndTieEqualOnes) {
    constexpr std::size_t kTexts = 120'001;
    TextList list;
    std::vector<std::wstring> texts;
    for (std::size_t i = 0; i < kTexts; ++i) {
        // A number that comes round again, written backwards so that the list is not in order.
        std::wstring text = std::to_wstring((i * 7919) % 50'021);
        std::reverse(text.begin(), text.end());
        list.Start();
        list.Append(text);
        texts.push_back(std::move(text));
    }
    const std::vector<std::uint32_t> ranks = RankTexts(list);
    ASSERT_EQ(ranks.size(), kTexts);
    std::vector<std::size_t> order(kTexts);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return CompareTextLocale(texts[a], texts[b]) < 0; });
    EXPECT_EQ(ranks[order.front()], 0u);
    for (std::size_t i = 1; i < kTexts; ++i) {
        const std::size_t before = order[i - 1];
        const std::size_t after = order[i];
        const bool equal = CompareTextLocale(texts[before], texts[after]) == 0;
        ASSERT_EQ(ranks[after], ranks[before] + (equal ? 0 : 1)) << "texts " << before << " and " << after;
    }
}

} // namespace
} // namespace vk
