#include "results/MemoryResultList.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace vk {
namespace {

// Ten writers insert at positions of their own, as walkers do, across many blocks of rows; the
// list must hold what a plain vector of rows holds.
TEST(MemoryResultList, InterleavedInsertsKeepTheOrderOfAPlainList) {
    MemoryResultList list;
    std::vector<ResultRow> expected;
    std::array<int, 10> positions{};
    int next = 0;
    for (int round = 0; round < 700; ++round) {
        for (std::size_t writer = 0; writer < positions.size(); ++writer) {
            const int position = positions[writer];
            const std::wstring folder = L"\\\\S\\share" + std::to_wstring(writer) + L"\\";
            const std::wstring name = L"file" + std::to_wstring(next) + L".dat";
            const int index = list.InsertRow(position, name, static_cast<int>(writer));
            ASSERT_EQ(index, position);
            ASSERT_TRUE(list.SetColumnText(index, 1, std::to_wstring(next)));
            ASSERT_TRUE(list.SetColumnText(index, 2, folder));
            ASSERT_TRUE(list.SetRowData(index, next));
            expected.insert(expected.begin() + position,
                            ResultRow{{name, std::to_wstring(next), folder}, static_cast<int>(writer), next});
            // This writer's next row follows its last; the rows it pushed down carry their writers along.
            for (std::size_t other = 0; other < positions.size(); ++other) {
                if (positions[other] >= position) {
                    ++positions[other];
                }
            }
            ++next;
        }
    }
    ASSERT_EQ(list.GetItemCount(), static_cast<int>(expected.size()));
    const std::vector<ResultRow> rows = list.Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].columns, expected[i].columns) << "row " << i;
        ASSERT_EQ(rows[i].image, expected[i].image) << "row " << i;
        ASSERT_EQ(list.GetRowData(static_cast<int>(i)), expected[i].data) << "row " << i;
    }
    EXPECT_EQ(list.InsertRow(1 << 30, L"last", 0), static_cast<int>(expected.size())) << "past the end appends";
    EXPECT_FALSE(list.SetColumnText(-1, 0, L"x"));
    EXPECT_EQ(list.GetRowData(1 << 30), 0);
    list.DeleteAllRows();
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_TRUE(list.Rows().empty());
}

} // namespace
} // namespace vk
