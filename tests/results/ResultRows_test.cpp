#include "results/ResultRows.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vk {
namespace {

std::vector<std::intptr_t> DataInOrder(const ResultRows& rows) {
    std::vector<std::intptr_t> data;
    rows.ForEachRow([&data](const ResultRows::RowView& row) { data.push_back(row.data); });
    return data;
}

// Rows over several blocks are erased at random places, sorted stably and found again by their
// ids; a plain vector of data values says what the list must hold after each step.
TEST(ResultRows, EraseSortAndIdsKeepTheOrderOfAPlainList) {
    ResultRows rows;
    std::vector<std::intptr_t> expected;
    constexpr int kRows = 8193; // four full blocks and one row
    for (int i = 0; i < kRows; ++i) {
        ASSERT_EQ(rows.Insert(i, L"f" + std::to_wstring(i), 0), i);
        ASSERT_TRUE(rows.SetData(i, i));
        ASSERT_TRUE(rows.SetText(i, 2, L"\\\\S\\s\\"));
        expected.push_back(i);
    }
    const std::uint32_t idOf4500 = rows.IdAt(4500);
    const std::uint32_t idOfLast = rows.IdAt(kRows - 1);
    // From the back, the middle, a whole block's worth at the front, and the last row.
    for (const int row : {8192, 4000, 4000, 17, 0, 0, 1}) {
        ASSERT_TRUE(rows.Erase(row));
        expected.erase(expected.begin() + row);
    }
    for (int i = 0; i < 2100; ++i) {
        ASSERT_TRUE(rows.Erase(0));
        expected.erase(expected.begin());
    }
    EXPECT_FALSE(rows.Erase(static_cast<int>(expected.size())));
    ASSERT_EQ(DataInOrder(rows), expected);
    EXPECT_EQ(rows.Data(10), expected[10]);
    EXPECT_EQ(rows.Text(10, 0), L"f" + std::to_wstring(expected[10]));
    EXPECT_EQ(rows.Text(10, 2), L"\\\\S\\s\\");
    // The erased last row is gone; the other keeps its place.
    const std::vector<int> found = rows.RowsOf({idOfLast, idOf4500});
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(rows.Data(found[0]), 4500);

    // By data modulo 7: equal keys keep their order.
    const auto key = [](std::intptr_t data) { return data % 7; };
    // Descending too: equal keys keep their order, they are not reversed.
    const std::vector<std::intptr_t> unsorted = expected;
    rows.SortByKey([&](std::intptr_t data) { return static_cast<std::uint64_t>(key(data)); }, false);
    std::stable_sort(expected.begin(), expected.end(),
                     [&](std::intptr_t a, std::intptr_t b) { return key(b) < key(a); });
    EXPECT_EQ(DataInOrder(rows), expected);
    rows.SortByKey([&](std::intptr_t data) { return static_cast<std::uint64_t>(key(data)); }, true);
    expected = unsorted;
    std::stable_sort(expected.begin(), expected.end(),
                     [&](std::intptr_t a, std::intptr_t b) { return key(a) < key(b); });
    EXPECT_EQ(DataInOrder(rows), expected);
    EXPECT_EQ(rows.Data(rows.RowsOf({idOf4500}).at(0)), 4500);
    // Inserting after a sort goes into the sorted blocks.
    ASSERT_EQ(rows.Insert(3, L"new", 1), 3);
    expected.insert(expected.begin() + 3, 0);
    EXPECT_EQ(DataInOrder(rows), expected);
    EXPECT_EQ(rows.Image(3), 1);

    rows.Clear();
    EXPECT_EQ(rows.Size(), 0u);
    EXPECT_EQ(rows.Data(0), 0);
    EXPECT_EQ(rows.Text(0, 0), L"");
}

// Size texts are kept only from the first row that has one on: the rows before it, one given a
// size text afterwards, and the rows after it without one read back as given.
TEST(ResultRows, SizeTextsThatComeLateReadBackAsGiven) {
    ResultRows rows;
    const std::vector<NewRow> first = {{L"a", 0, L"", L"\\\\S\\x", 1}, {L"b", 0, L"", L"\\\\S\\x", 2}};
    const std::vector<NewRow> second = {{L"c", 0, L"30", L"\\\\S\\y", 3}, {L"d", 0, L"", L"", 4}};
    ASSERT_EQ(rows.InsertRows(0, first), 0);
    ASSERT_EQ(rows.InsertRows(2, second), 2);
    ASSERT_TRUE(rows.SetText(0, 1, L"10"));
    const std::vector<std::vector<std::wstring>> expected = {
        {L"a", L"10", L"\\\\S\\x"}, {L"b", L"", L"\\\\S\\x"}, {L"c", L"30", L"\\\\S\\y"}, {L"d", L"", L""}};
    for (std::size_t row = 0; row < expected.size(); ++row) {
        for (std::size_t column = 0; column < 3; ++column) {
            EXPECT_EQ(rows.Text(static_cast<int>(row), static_cast<int>(column)), expected[row][column])
                << row << ',' << column;
        }
    }
    EXPECT_EQ(DataInOrder(rows), (std::vector<std::intptr_t>{1, 2, 3, 4}));
}

} // namespace
} // namespace vk
