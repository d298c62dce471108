#pragma once
// The in-memory result list with a watch on its callers: it counts the calls, and tells the
// thread watch of each one (which threads still use it, and whether one does after the test
// declared it gone).

#include "results/MemoryResultList.h"
#include "support/ThreadWatch.h"

#include <atomic>

namespace vk::testing {

class WatchedResultList final : public IResultList {
public:
    explicit WatchedResultList(ThreadWatch& watch) : watch_(watch) {}

    int GetItemCount() override {
        Note();
        return rows.GetItemCount();
    }
    int InsertRow(int position, std::wstring_view text, int image) override {
        Note();
        return rows.InsertRow(position, text, image);
    }
    bool SetColumnText(int row, int column, std::wstring_view text) override {
        Note();
        return rows.SetColumnText(row, column, text);
    }
    bool SetRowData(int row, std::intptr_t data) override {
        Note();
        return rows.SetRowData(row, data);
    }
    std::intptr_t GetRowData(int row) override {
        Note();
        return rows.GetRowData(row);
    }
    void DeleteAllRows() override {
        Note();
        rows.DeleteAllRows();
    }

    [[nodiscard]] int Calls() const { return calls_.load(); }

    MemoryResultList rows;

private:
    void Note() {
        ++calls_;
        watch_.Touch();
    }

    ThreadWatch& watch_;
    std::atomic<int> calls_{0};
};

} // namespace vk::testing
