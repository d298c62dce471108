#include "results/IconKeyTable.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace vk {
namespace {

// Counts what the table asks of the image lists.
class CountingImages final : public IIconImages {
public:
    void ResetImages() override { ++resets; }
    void AppendIconsFor(std::wstring_view key) override { appended.emplace_back(key); }
    int resets = 0;
    std::vector<std::wstring> appended;
};

TEST(IconKeyTable, FixedEntriesAndOneEntryPerLowerCaseKey) {
    CountingImages images;
    IconKeyTable table(images);
    table.ResetCache();
    EXPECT_EQ(table.IndexOfKey(L"*"), 0);
    EXPECT_EQ(table.IndexOfKey(L"."), 1);
    EXPECT_EQ(table.IndexOfKey(L".txt"), -1);

    EXPECT_EQ(table.IconIndexForFile(L"report.txt"), 2);
    EXPECT_EQ(table.IconIndexForFile(L"notes.TXT"), 2);
    EXPECT_EQ(table.IconIndexForFile(L"a.tar.gz"), 3); // the key is ".gz"
    EXPECT_EQ(table.IconIndexForFile(L"Makefile"), 4); // no dot: the whole name, lowered
    EXPECT_EQ(table.IconIndexForFile(L"README"), 5);
    EXPECT_EQ(table.IconIndexForFile(L"makefile"), 4);
    EXPECT_EQ(table.IconIndexForFile(L"ends.with.dot."), 1); // key "." is the folder icon
    EXPECT_EQ(images.appended, (std::vector<std::wstring>{L".txt", L".gz", L"makefile", L"readme"}));
    EXPECT_EQ(table.KeyCount(), 6u);
    const std::wstring longKey = L"." + std::wstring(40, L'Q'); // longer than the look-up's buffer
    EXPECT_EQ(table.IconIndexForFile(L"x" + longKey), 6);
    EXPECT_EQ(table.IndexOfKey(LowerAsciiLetters(longKey)), 6);

    table.ResetCache();
    EXPECT_EQ(table.KeyCount(), 2u);
    EXPECT_EQ(images.resets, 2);
}

TEST(IconKeyTable, ThreadsMeetingTheSameNewExtensionAddItOnce) {
    CountingImages images;
    IconKeyTable table(images);
    table.ResetCache();
    std::atomic<bool> go{false};
    std::vector<int> indexes(8, -1);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < indexes.size(); ++t) {
        threads.emplace_back([&, t] {
            while (!go) {
            }
            indexes[t] = table.IconIndexForFile(t % 2 ? L"x.PDF" : L"y.pdf");
        });
    }
    go = true;
    for (auto& thread : threads) {
        thread.join();
    }
    for (const int index : indexes) {
        EXPECT_EQ(index, 2);
    }
    EXPECT_EQ(images.appended.size(), 1u);
}

} // namespace
} // namespace vk
