// The search's threads rank behind the window's thread: every thread that lists folders or hands
// rows to the list while a search runs does so below the normal priority, and the thread that
// started the search (the window's) keeps its own.
#include "engine/SearchEngine.h"
#include "platform/NetworkEnvironment.h"
#include "results/IconKeyTable.h"
#include "results/MemoryResultList.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vk {
namespace {

// The priorities of the threads, other than the test's own, that made a call through a seam.
class PriorityLog {
public:
    void Record() {
        if (GetCurrentThreadId() == testThread_) {
            return;
        }
        const std::lock_guard lock(lock_);
        priorities_.emplace(GetCurrentThreadId(), GetThreadPriority(GetCurrentThread()));
    }
    [[nodiscard]] std::set<std::pair<DWORD, int>> Seen() const {
        const std::lock_guard lock(lock_);
        return priorities_;
    }

private:
    const DWORD testThread_ = GetCurrentThreadId();
    mutable std::mutex lock_;
    std::set<std::pair<DWORD, int>> priorities_;
};

class RecordingFiles final : public FileSystem {
public:
    RecordingFiles(FileSystem& files, PriorityLog& log) : files_(files), log_(log) {}
    std::unique_ptr<DirectoryListing> FindFirst(const std::wstring& pattern, ListingDetail detail,
                                                ErrorCode& error) override {
        log_.Record();
        return files_.FindFirst(pattern, detail, error);
    }
    std::unique_ptr<ReadableFile> OpenForReading(const std::wstring& path, ErrorCode& error) override {
        log_.Record();
        return files_.OpenForReading(path, error);
    }

private:
    FileSystem& files_;
    PriorityLog& log_;
};

class RecordingList final : public IResultList {
public:
    explicit RecordingList(PriorityLog& log) : log_(log) {}
    int GetItemCount() override { return rows_.GetItemCount(); }
    int InsertRow(int position, std::wstring_view text, int image) override {
        log_.Record();
        return rows_.InsertRow(position, text, image);
    }
    int InsertRows(int position, std::span<const NewRow> rows) override {
        log_.Record();
        return rows_.InsertRows(position, rows);
    }
    bool SetColumnText(int row, int column, std::wstring_view text) override {
        return rows_.SetColumnText(row, column, text);
    }
    bool SetRowData(int row, std::intptr_t data) override { return rows_.SetRowData(row, data); }
    std::intptr_t GetRowData(int row) override { return rows_.GetRowData(row); }
    void DeleteAllRows() override { rows_.DeleteAllRows(); }

private:
    PriorityLog& log_;
    MemoryResultList rows_;
};

class SilentStatusBar final : public IStatusBar {
public:
    void SetPaneText(int, std::wstring_view) override {}
};

TEST(EngineThreadRank, ThreadsThatListFoldersAndHandOverRowsRunBelowTheWindowThread) {
    test::TempTree tree;
    for (const char* share : {"one", "two"}) {
        for (const char* file : {"a/hit1.txt", "a/b/hit2.txt", "hit3.txt"}) {
            tree.MakeFile(std::string("Net/DOM/SRV/") + share + "/" + file, "x");
        }
    }
    NetworkEnvironment environment;
    ASSERT_EQ(environment.UseFolderNetwork(tree.Root()), kErrorSuccess);
    PriorityLog log;
    RecordingFiles files(environment.Files(), log);
    RecordingList list(log);
    SilentStatusBar status;
    NoIconImages images;
    IconKeyTable icons(images);
    CSearchEngine engine({&files, &list, &status, &icons, nullptr, &environment.Network(), nullptr});
    engine.SetReadAheadJobs(2);
    engine.Request().fileMask = L"hit*";
    engine.SetScopePaths({L"\\\\SRV\\one", L"\\\\SRV\\two"});
    engine.searchRunning = true;
    ASSERT_TRUE(engine.StartSearch());
    engine.WaitForSearchEnd();

    EXPECT_EQ(list.GetItemCount(), 6);
    const auto seen = log.Seen();
    ASSERT_FALSE(seen.empty());
    for (const auto& [thread, priority] : seen) {
        EXPECT_EQ(priority, THREAD_PRIORITY_BELOW_NORMAL) << "thread " << thread;
    }
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_NORMAL);
}

} // namespace
} // namespace vk
