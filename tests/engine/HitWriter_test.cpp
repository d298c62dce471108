#include "engine/EngineLocks.h"
#include "engine/HitWriter.h"
#include "results/MemoryResultList.h"
#include "support/EngineHarness.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace vk::testing {
namespace {

// The in-memory list, counting the batches it is handed.
class BatchCountingList final : public IResultList {
public:
    int GetItemCount() override { return rows.GetItemCount(); }
    int InsertRow(int position, std::wstring_view text, int image) override {
        return rows.InsertRow(position, text, image);
    }
    bool SetColumnText(int row, int column, std::wstring_view text) override {
        return rows.SetColumnText(row, column, text);
    }
    bool SetRowData(int row, std::intptr_t data) override { return rows.SetRowData(row, data); }
    std::intptr_t GetRowData(int row) override { return rows.GetRowData(row); }
    void DeleteAllRows() override { rows.DeleteAllRows(); }
    int InsertRows(int position, std::span<const NewRow> batch) override {
        ++batches;
        return IResultList::InsertRows(position, batch);
    }

    MemoryResultList rows;
    std::atomic<int> batches{0};
};

void AddFile(HitWriter& writer, const std::wstring& name, std::uint32_t size = 7) {
    std::lock_guard hit(hitLock);
    writer.Add({name, 2, size, true, L"\\\\SRV\\s"});
}

std::vector<std::wstring> Names(const MemoryResultList& list) {
    std::vector<std::wstring> names;
    for (const auto& row : list.Rows()) {
        names.push_back(row.columns[0]);
    }
    return names;
}

TEST(HitWriter, RowsCarryTheirColumnsAndStoreIndexAndAllAreInWhenTheWriterEnds) {
    BatchCountingList list;
    ResultStore store;
    HitCursors cursors;
    {
        HitWriter writer(list, store, cursors);
        AddFile(writer, L"a.txt", 12);
        std::lock_guard hit(hitLock);
        writer.Add({L"dir", 1, 0, false, L"\\\\SRV\\s"});
    }
    const auto rows = list.rows.Rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].columns, (std::array<std::wstring, 3>{L"a.txt", L"12", L"\\\\SRV\\s"}));
    EXPECT_EQ(rows[0].image, 2);
    EXPECT_EQ(rows[1].columns, (std::array<std::wstring, 3>{L"dir", L"", L"\\\\SRV\\s"}));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].data, static_cast<std::intptr_t>(i));
    }
    EXPECT_EQ(store.Path(1), L"\\\\SRV\\s\\dir");
}

// The rows of one batch keep their own texts, whatever folders and sizes come one after another.
TEST(HitWriter, RowsOfOneBatchKeepTheirOwnFolderAndSizeTexts) {
    BatchCountingList list;
    ResultStore store;
    HitCursors cursors;
    {
        HitWriter writer(list, store, cursors);
        AddFile(writer, L"first"); // goes at once; the rest wait together
        std::lock_guard hit(hitLock);
        writer.Add({L"big", 2, 18446744073709551615ULL, true, L"\\\\SRV\\s"});
        writer.Add({L"other", 2, 0, true, L"\\\\SRV\\t"});
        writer.Add({L"folder", 1, 5, false, L"\\\\SRV\\t"});
        writer.Add({L"back", 2, 1000, true, L"\\\\SRV\\s"});
    }
    EXPECT_EQ(list.batches, 2);
    const auto rows = list.rows.Rows();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[1].columns, (std::array<std::wstring, 3>{L"big", L"18446744073709551615", L"\\\\SRV\\s"}));
    EXPECT_EQ(rows[2].columns, (std::array<std::wstring, 3>{L"other", L"0", L"\\\\SRV\\t"}));
    EXPECT_EQ(rows[3].columns, (std::array<std::wstring, 3>{L"folder", L"", L"\\\\SRV\\t"}));
    EXPECT_EQ(rows[4].columns, (std::array<std::wstring, 3>{L"back", L"1000", L"\\\\SRV\\s"}));
    EXPECT_EQ(store.Path(4), L"\\\\SRV\\s\\back");
}

TEST(HitWriter, TheFirstHitGoesAtOnceAndAStreamGoesInBatches) {
    BatchCountingList list;
    ResultStore store;
    HitCursors cursors;
    HitWriter writer(list, store, cursors);
    AddFile(writer, L"first");
    EXPECT_EQ(list.GetItemCount(), 1); // seen at once, before the walker is done
    const int hits = 3 * static_cast<int>(HitWriter::kMaxBatch);
    for (int i = 0; i < hits; ++i) {
        AddFile(writer, L"f" + std::to_wstring(i));
    }
    writer.Flush();
    EXPECT_EQ(list.GetItemCount(), hits + 1);
    EXPECT_LT(list.batches.load(), hits / 10);
    const auto rows = list.rows.Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].data, static_cast<std::intptr_t>(i));
    }
}

TEST(HitWriter, RowsInsertedInFrontOfAWalkerMoveItsPosition) {
    MemoryResultList list;
    ResultStore store;
    HitCursors cursors;
    list.InsertRow(0, L"earlier", 0);
    HitWriter first(list, store, cursors);  // at 1
    HitWriter second(list, store, cursors); // at 1 as well
    AddFile(first, L"a1");
    first.Flush();
    AddFile(second, L"b1"); // in front of a1
    second.Flush();
    AddFile(first, L"a2");
    first.Flush();
    AddFile(second, L"b2");
    second.Flush();
    // Each walker's rows in the order of its hits, each walker's together.
    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"earlier", L"b1", L"b2", L"a1", L"a2"}));
    EXPECT_EQ(first.Position(), 5);
    EXPECT_EQ(second.Position(), 3);
}

// The status bar records how many rows the list held when each text came.
class CountingStatusBar final : public IStatusBar {
public:
    explicit CountingStatusBar(IResultList& list) : list_(list) {}
    void SetPaneText(int pane, std::wstring_view text) override {
        std::lock_guard lock(lock_);
        if (pane == kPaneMessage && text == kTextSearchCompleted) {
            rowsAtCompletion = list_.GetItemCount();
        }
    }
    std::mutex lock_;
    int rowsAtCompletion = -1;

private:
    IResultList& list_;
};

TEST(HitWriter, ConcurrentWalkersKeepTheirOrderAndTheSearchCompletesAfterTheLastRow) {
    EngineHarness harness;
    std::vector<std::wstring> shares;
    for (int share = 0; share < 8; ++share) {
        shares.push_back(L"\\\\SRV\\share" + std::to_wstring(share));
        for (int dir = 0; dir < 4; ++dir) {
            for (int file = 0; file < 60; ++file) {
                harness.files.AddFile(shares.back() + L"\\d" + std::to_wstring(dir) + L"\\f" + std::to_wstring(file));
            }
        }
    }
    CountingStatusBar status(harness.list);
    harness.engine.Services().statusBar = &status;
    harness.engine.Request().fileMask = L"f*";
    harness.Run(shares);

    const auto rows = harness.list.Rows();
    ASSERT_EQ(rows.size(), 8u * 4 * 60);
    EXPECT_EQ(status.rowsAtCompletion, static_cast<int>(rows.size()));
    // The store counts the hits in the order found: each folder's rows come in that order.
    std::map<std::wstring, std::intptr_t> last;
    std::vector<int> seen(rows.size(), 0);
    for (const auto& row : rows) {
        const auto previous = last.find(row.columns[2]);
        if (previous != last.end()) {
            EXPECT_LT(previous->second, row.data) << std::string(row.columns[2].begin(), row.columns[2].end());
        }
        last[row.columns[2]] = row.data;
        ++seen.at(static_cast<std::size_t>(row.data));
    }
    EXPECT_EQ(seen, std::vector<int>(rows.size(), 1));
}

} // namespace
} // namespace vk::testing
