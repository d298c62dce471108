#include "engine/ResultStore.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace vk {
namespace {

TEST(ResultStore, PathsAndSizesStayParallelAndOutOfRangeReadsAreEmpty) {
    ResultStore store;
    EXPECT_EQ(store.Append(L"\\\\S\\a", 1), 0u);
    EXPECT_EQ(store.Append(L"\\\\S\\b", 2), 1u);
    EXPECT_EQ(store.Path(1), L"\\\\S\\b");
    EXPECT_EQ(store.Size(0), 1u);
    EXPECT_EQ(store.Append(L"no-separator", 3), 2u);
    EXPECT_EQ(store.Append(L"\\\\S\\b\\c", 4), 3u); // a folder that is another hit's path
    EXPECT_EQ(store.Path(2), L"no-separator");
    EXPECT_EQ(store.Path(3), L"\\\\S\\b\\c");
    EXPECT_EQ(store.Copy().resultPaths,
              (std::vector<std::wstring>{L"\\\\S\\a", L"\\\\S\\b", L"no-separator", L"\\\\S\\b\\c"}));
    EXPECT_FALSE(store.Path(4).has_value());
    EXPECT_FALSE(store.Size(99).has_value());
    store.Clear();
    EXPECT_EQ(store.Count(), 0u);
}

TEST(ResultStore, HitsAreVisitedInOrderAsFolderAndName) {
    ResultStore store;
    store.Append(L"\\\\S\\x\\a", 1, 10);
    store.Append(L"\\\\S\\y\\b", 2, 20);
    store.Append(L"\\\\S\\x\\c", 3, 30); // the first folder again, after another
    store.Append(L"no-separator", 4, 40);
    std::vector<std::wstring> seen;
    store.ForEachHit([&](std::wstring_view folder, std::wstring_view name, std::uint64_t size, std::int64_t modified) {
        seen.push_back(std::wstring(folder) + L"|" + std::wstring(name) + L"|" + std::to_wstring(size) + L"|" +
                       std::to_wstring(modified));
    });
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"\\\\S\\x\\|a|1|10", L"\\\\S\\y\\|b|2|20", L"\\\\S\\x\\|c|3|30",
                                               L"|no-separator|4|40"}));
}

// A hit given as its folder and name has the path the walk would join for it, whether or not the
// folder ends with a separator, and a folder shared with the hit before it stays its own.
TEST(ResultStore, HitsGivenByFolderAndNameHaveTheJoinedPath) {
    ResultStore store;
    store.AppendInFolder(L"\\\\S\\docs", L"a.txt", 1, 5);
    store.AppendInFolder(L"\\\\S\\docs", L"b.txt", 2);
    store.AppendInFolder(L"\\\\S\\", L"share", 0);
    // A name in no folder is its own path, given either way.
    store.AppendInFolder(L"", L"loose", 0);
    store.Append(L"loose", 0);
    store.Append(L"\\\\S\\docs\\c.txt", 3);
    EXPECT_EQ(store.Copy().resultPaths,
              (std::vector<std::wstring>{L"\\\\S\\docs\\a.txt", L"\\\\S\\docs\\b.txt", L"\\\\S\\share", L"loose",
                                         L"loose", L"\\\\S\\docs\\c.txt"}));
    EXPECT_EQ(store.Size(1), 2u);
    EXPECT_EQ(store.Modified(0), 5);
}

// Sizes and times are kept only from the first hit that has one on: the hits before it, and the
// zeros after it, read back as they went in, across the blocks the hits are kept in.
TEST(ResultStore, SizesAndTimesThatComeLateReadBackAsGiven) {
    ResultStore store;
    constexpr std::size_t kHits = 20000;
    const auto sizeOf = [](std::size_t i) -> std::uint64_t { return i >= 9000 && i % 3 == 0 ? i : 0; };
    const auto timeOf = [](std::size_t i) -> std::int64_t { return i == 15000 ? -7 : 0; };
    const auto folderOf = [](std::size_t i) { return L"\\\\S\\d" + std::to_wstring(i / 5000); };
    for (std::size_t i = 0; i < kHits; ++i) {
        store.AppendInFolder(folderOf(i), L"f" + std::to_wstring(i), sizeOf(i), timeOf(i));
    }
    ASSERT_EQ(store.Count(), kHits);
    for (std::size_t i = 0; i < kHits; ++i) {
        ASSERT_EQ(store.Size(i), sizeOf(i)) << i;
        ASSERT_EQ(store.Modified(i), timeOf(i)) << i;
    }
    EXPECT_EQ(store.Path(12345), L"\\\\S\\d2\\f12345");
    std::size_t visited = 0;
    store.ForEachHit([&](std::wstring_view folder, std::wstring_view name, std::uint64_t size, std::int64_t modified) {
        EXPECT_EQ(std::wstring(folder) + std::wstring(name), folderOf(visited) + L"\\f" + std::to_wstring(visited));
        EXPECT_EQ(size, sizeOf(visited));
        EXPECT_EQ(modified, timeOf(visited));
        ++visited;
    });
    EXPECT_EQ(visited, kHits);
}

TEST(ResultStore, ReadersSeeConsistentEntriesWhileWritersAppend) {
    ResultStore store;
    std::atomic<bool> done{false};
    std::vector<std::thread> writers;
    for (int w = 0; w < 4; ++w) {
        writers.emplace_back([&store, w] {
            for (std::uint32_t i = 0; i < 2000; ++i) {
                store.Append(std::to_wstring(i), i + static_cast<std::uint32_t>(w) * 100000u);
            }
        });
    }
    std::thread reader([&] {
        while (!done) {
            const auto snapshot = store.Copy();
            ASSERT_EQ(snapshot.resultPaths.size(), snapshot.resultSizes.size());
            for (std::size_t i = 0; i < snapshot.resultPaths.size(); ++i) {
                ASSERT_EQ(std::stoul(snapshot.resultPaths[i]), snapshot.resultSizes[i] % 100000u);
            }
        }
    });
    for (auto& writer : writers) {
        writer.join();
    }
    done = true;
    reader.join();
    EXPECT_EQ(store.Count(), 8000u);
}

} // namespace
} // namespace vk
