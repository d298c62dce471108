#include "results/ResultComparers.h"

#include "platform/TextCompare.h"
#include "results/ResultRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vk {
namespace {

// Orders data values as the list's sort does with the comparer: by their order keys, stably.
std::vector<std::intptr_t> Sorted(const std::vector<std::intptr_t>& rows, const ResultComparer& comparer) {
    ResultRows list;
    for (const auto data : rows) {
        list.SetData(list.Insert(static_cast<int>(list.Size()), L"", 0), data);
    }
    list.SortByKey([&comparer](std::intptr_t data) { return comparer.OrderKey(data); }, comparer.Ascending());
    std::vector<std::intptr_t> sorted;
    list.ForEachRow([&sorted](const ResultRows::RowView& row) { sorted.push_back(row.data); });
    return sorted;
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

// Two rows in the order the comparer's keys put them: -1, 0 or +1.
int Order(const ResultComparer& comparer, std::intptr_t a, std::intptr_t b) {
    const std::uint64_t keyA = comparer.OrderKey(a);
    const std::uint64_t keyB = comparer.OrderKey(b);
    const int ascending = (keyA > keyB) - (keyA < keyB);
    return comparer.Ascending() ? ascending : -ascending;
}

// Two hits in the order a sort by key with the flag's value puts them: -1, 0 or +1.
int OrderOfPaths(SortKey key, std::wstring_view pathA, std::wstring_view pathB, bool flag) {
    ResultStore store;
    store.Append(pathA, 0);
    store.Append(pathB, 0);
    return Order(ResultComparer(key, flag, store), 0, 1);
}

int OrderOfSizes(std::uint64_t sizeA, std::uint64_t sizeB, bool flag) {
    ResultStore store;
    store.Append(L"\\\\S\\s\\a", sizeA);
    store.Append(L"\\\\S\\s\\b", sizeB);
    return Order(ResultComparer(SortKey::kSize, flag, store), 0, 1);
}

// Two whole paths compared one at a time, as the sort orders them: their name or folder keys
// by the locale's comparison, descending while the flag is true.
int LocaleOrder(SortKey key, std::wstring_view pathA, std::wstring_view pathB, bool flag) {
    std::wstring keyA;
    std::wstring keyB;
    WriteTextSortKey(key, {}, pathA, keyA);
    WriteTextSortKey(key, {}, pathB, keyB);
    const int ascending = CompareTextLocale(keyA, keyB);
    return flag ? -Sign(ascending) : Sign(ascending);
}

// Sizes and times: ascending while the flag is true.
template <class Number> int NumberOrder(Number a, Number b, bool flag) {
    const int ascending = (a > b) - (a < b);
    return flag ? ascending : -ascending;
}

// The names of the rows (the text after the last backslash) in their order.
std::vector<std::wstring> Names(const std::vector<std::intptr_t>& rows, const ResultStore& store) {
    std::vector<std::wstring> names;
    for (const auto row : rows) {
        const std::wstring path = store.Path(static_cast<std::size_t>(row)).value_or(L"?");
        names.push_back(path.substr(path.rfind(L'\\') + 1));
    }
    return names;
}

std::vector<std::intptr_t> AllRows(const ResultStore& store) {
    std::vector<std::intptr_t> rows(store.Count());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i] = static_cast<std::intptr_t>(i);
    }
    return rows;
}

TEST(SortKeys, NameFromLastBackslashFolderBeforeIt) {
    struct Case {
        std::wstring_view path;
        std::wstring_view nameKey;
        std::wstring_view folderKey;
    };
    const Case cases[] = {
        {L"\\\\SRV\\Share\\Docs\\Report.TXT", L"\\report.txt", L"\\\\srv\\share\\docs"},
        // A share's path: the name key is the share with its backslash.
        {L"\\\\SRV\\Public", L"\\public", L"\\\\srv"},
        // No backslash at all: the whole text is the name, the folder is empty.
        {L"Loose.Name", L"loose.name", L""},
        {L"", L"", L""},
        // A trailing backslash leaves an empty name after it.
        {L"\\\\SRV\\", L"\\", L"\\\\srv"},
    };
    std::wstring key = L"left over from the last key";
    for (const Case& c : cases) {
        // The path whole, in either piece, and split as the result store holds it.
        const std::size_t cut = c.path.rfind(L'\\') + 1;
        const std::pair<std::wstring_view, std::wstring_view> pieces[] = {
            {c.path, {}}, {{}, c.path}, {c.path.substr(0, cut), c.path.substr(cut)}};
        for (std::size_t i = 0; i < std::size(pieces); ++i) {
            WriteTextSortKey(SortKey::kName, pieces[i].first, pieces[i].second, key);
            EXPECT_EQ(key, c.nameKey) << "pieces " << i;
            WriteTextSortKey(SortKey::kFolder, pieces[i].first, pieces[i].second, key);
            EXPECT_EQ(key, c.folderKey) << "pieces " << i;
        }
    }
}

TEST(SortKeys, OnlyLettersAToZAreLowered) {
    std::wstring key;
    WriteTextSortKey(SortKey::kName, {}, L"\\ÄRGER_Ω[Z]@.Txt", key);
    EXPECT_EQ(key, L"\\Ärger_Ω[z]@.txt");
    WriteTextSortKey(SortKey::kName, {}, L"\\ДОКУМЕНТ.DOC", key);
    EXPECT_EQ(key, L"\\ДОКУМЕНТ.doc");
}

TEST(SortKeys, ColumnsChooseTheirKey) {
    EXPECT_EQ(SortKeyForColumn(0), SortKey::kName);
    EXPECT_EQ(SortKeyForColumn(1), SortKey::kSize);
    EXPECT_EQ(SortKeyForColumn(2), SortKey::kFolder);
    EXPECT_EQ(SortKeyForColumn(3), SortKey::kModified);
    EXPECT_EQ(SortKeyForColumn(7), SortKey::kFolder);
    EXPECT_EQ(SortKeyForColumn(-1), SortKey::kFolder);
}

TEST(Comparers, NameAndFolderAreDescendingWhileTheirFlagIsTrue) {
    const std::wstring a = L"\\\\S\\x\\apple.txt";
    const std::wstring z = L"\\\\S\\y\\zebra.txt";
    EXPECT_EQ(OrderOfPaths(SortKey::kName, a, z, true), 1);
    EXPECT_EQ(OrderOfPaths(SortKey::kName, z, a, true), -1);
    EXPECT_EQ(OrderOfPaths(SortKey::kName, a, z, false), -1);
    EXPECT_EQ(OrderOfPaths(SortKey::kName, z, a, false), 1);
    EXPECT_EQ(OrderOfPaths(SortKey::kFolder, a, z, true), 1);
    EXPECT_EQ(OrderOfPaths(SortKey::kFolder, a, z, false), -1);
}

TEST(Comparers, NameUsesTheLastPartFolderTheRest) {
    // The folder of the first sorts before that of the second, its name after.
    const std::wstring first = L"\\\\S\\share\\aaa\\zeta";
    const std::wstring second = L"\\\\S\\share\\bbb\\alpha";
    EXPECT_EQ(OrderOfPaths(SortKey::kName, first, second, false), 1);
    EXPECT_EQ(OrderOfPaths(SortKey::kFolder, first, second, false), -1);
    // Two hits of one folder are equal by folder, whatever their names.
    EXPECT_EQ(OrderOfPaths(SortKey::kFolder, L"\\\\S\\share\\d\\one", L"\\\\S\\share\\d\\two", true), 0);
    EXPECT_EQ(OrderOfPaths(SortKey::kFolder, L"\\\\S\\share\\d\\one", L"\\\\S\\share\\d\\two", false), 0);
}

TEST(Comparers, CaseOfAToZDoesNotCountOtherLettersDo) {
    EXPECT_EQ(OrderOfPaths(SortKey::kName, L"\\\\S\\s\\REPORT.doc", L"\\\\S\\s\\report.DOC", true), 0);
    EXPECT_EQ(OrderOfPaths(SortKey::kName, L"\\\\S\\s\\REPORT.doc", L"\\\\S\\s\\report.DOC", false), 0);
    EXPECT_EQ(OrderOfPaths(SortKey::kFolder, L"\\\\SRV\\Share\\x", L"\\\\srv\\SHARE\\y", false), 0);
    // Cyrillic capitals are not lowered: the platform's case-sensitive comparison decides.
    const int cyrillic = OrderOfPaths(SortKey::kName, L"\\\\S\\s\\ДОМ", L"\\\\S\\s\\дом", false);
    EXPECT_NE(cyrillic, 0);
    EXPECT_EQ(OrderOfPaths(SortKey::kName, L"\\\\S\\s\\ДОМ", L"\\\\S\\s\\дом", true), -cyrillic);
}

TEST(Comparers, SizesAreUnsigned64BitAscendingWhileTheFlagIsTrue) {
    const std::uint64_t big = 5'368'709'120u; // 5 GiB: more than 32 bits hold
    const std::uint64_t smaller = 2'000'000'000u;
    EXPECT_EQ(OrderOfSizes(big, smaller, true), 1);
    EXPECT_EQ(OrderOfSizes(smaller, big, true), -1);
    EXPECT_EQ(OrderOfSizes(0, big, true), -1);
    EXPECT_EQ(OrderOfSizes(big, smaller, false), -1);
    EXPECT_EQ(OrderOfSizes(0, big, false), 1);
    EXPECT_EQ(OrderOfSizes(7, 7, true), 0);
    EXPECT_EQ(OrderOfSizes(7, 7, false), 0);
    EXPECT_EQ(OrderOfSizes(0xFFFFFFFFu, 0, true), 1);
    EXPECT_EQ(OrderOfSizes(std::uint64_t{1} << 32, 0xFFFFFFFFu, true), 1);
}

class StoreComparers : public ::testing::Test {
protected:
    StoreComparers() {
        store.Append(L"\\\\SRV\\share\\Middle.txt", 5, 300);                  // 0
        store.Append(L"\\\\SRV\\share\\sub", 0, 100);                         // 1 (folder)
        store.Append(L"\\\\SRV\\share\\sub\\Alpha.bin", 3'000'000'000u, 200); // 2
        store.Append(L"\\\\SRV\\share\\zulu.dat", 2'000'000'000u, 300);       // 3
        store.Append(L"\\\\SRV\\Public", 0);                                  // 4 (share: time unknown)
    }
    ResultStore store;
};

TEST_F(StoreComparers, AgreeWithTheSingleComparisons) {
    for (const SortKey key : {SortKey::kName, SortKey::kSize, SortKey::kFolder, SortKey::kModified}) {
        for (const bool flag : {true, false}) {
            const ResultComparer comparer(key, flag, store);
            for (std::size_t a = 0; a < store.Count(); ++a) {
                for (std::size_t b = 0; b < store.Count(); ++b) {
                    const std::wstring pathA = *store.Path(a);
                    const std::wstring pathB = *store.Path(b);
                    int expected = 0;
                    switch (key) {
                    case SortKey::kName:
                    case SortKey::kFolder:
                        expected = LocaleOrder(key, pathA, pathB, flag);
                        break;
                    case SortKey::kSize:
                        expected = NumberOrder(*store.Size(a), *store.Size(b), flag);
                        break;
                    case SortKey::kModified:
                        expected = NumberOrder(*store.Modified(a), *store.Modified(b), flag);
                        break;
                    }
                    EXPECT_EQ(Order(comparer, static_cast<std::intptr_t>(a), static_cast<std::intptr_t>(b)), expected)
                        << "key " << static_cast<int>(key) << " flag " << flag << " rows " << a << ", " << b;
                }
            }
        }
    }
}

TEST_F(StoreComparers, FirstSortsNameDescendingSizeAscending) {
    SortFlags flags;
    std::vector<std::intptr_t> rows = AllRows(store);
    const auto sortRows = [&](const ResultComparer& comparer) { rows = Sorted(rows, comparer); };

    SortResults(SortKey::kName, flags, store, sortRows);
    EXPECT_EQ(Names(rows, store),
              (std::vector<std::wstring>{L"zulu.dat", L"sub", L"Public", L"Middle.txt", L"Alpha.bin"}));
    EXPECT_FALSE(flags.nameSortFlag);

    SortResults(SortKey::kSize, flags, store, sortRows);
    // Folder and share (0) first, then 5, then 2,000,000,000, then 3,000,000,000.
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(*store.Size(static_cast<std::size_t>(rows[0])), 0u);
    EXPECT_EQ(*store.Size(static_cast<std::size_t>(rows[1])), 0u);
    EXPECT_EQ(Names({rows[2], rows[3], rows[4]}, store),
              (std::vector<std::wstring>{L"Middle.txt", L"zulu.dat", L"Alpha.bin"}));
    EXPECT_FALSE(flags.sizeSortFlag);
    EXPECT_FALSE(flags.nameSortFlag);
    EXPECT_TRUE(flags.folderSortFlag);
}

TEST_F(StoreComparers, EachSortByAKeyInvertsTheDirectionOfTheNext) {
    SortFlags flags;
    std::vector<std::intptr_t> rows = AllRows(store);
    const auto sortRows = [&](const ResultComparer& comparer) { rows = Sorted(rows, comparer); };

    SortResults(SortKey::kName, flags, store, sortRows); // as a header click
    SortResults(SortKey::kName, flags, store, sortRows); // as "by Name" from the menu
    EXPECT_EQ(Names(rows, store),
              (std::vector<std::wstring>{L"Alpha.bin", L"Middle.txt", L"Public", L"sub", L"zulu.dat"}));
    EXPECT_TRUE(flags.nameSortFlag);

    SortResults(SortKey::kSize, flags, store, sortRows);
    SortResults(SortKey::kSize, flags, store, sortRows); // descending now: the largest first
    EXPECT_EQ(Names({rows[0], rows[1], rows[2]}, store),
              (std::vector<std::wstring>{L"Alpha.bin", L"zulu.dat", L"Middle.txt"}));

    // The folder sort: "\\srv" (the share) is the smallest folder, so it comes last while the
    // flag is true and first after the inversion.
    SortResults(SortKey::kFolder, flags, store, sortRows);
    EXPECT_EQ(Names({rows.back()}, store), (std::vector<std::wstring>{L"Public"}));
    SortResults(SortKey::kFolder, flags, store, sortRows);
    EXPECT_EQ(Names({rows.front()}, store), (std::vector<std::wstring>{L"Public"}));
}

TEST_F(StoreComparers, FlagsCarryOverToTheNextSearch) {
    SortFlags flags;
    SortResults(SortKey::kName, flags, store, [](const ResultComparer&) {});
    // A new search empties the store; the direction is not reset with it.
    store.Clear();
    store.Append(L"\\\\S\\s\\b", 0);
    store.Append(L"\\\\S\\s\\a", 0);
    std::vector<std::intptr_t> rows{0, 1};
    SortResults(SortKey::kName, flags, store, [&](const ResultComparer& comparer) { rows = Sorted(rows, comparer); });
    EXPECT_EQ(rows, (std::vector<std::intptr_t>{1, 0})); // ascending: a, b
}

TEST_F(StoreComparers, RowsOutsideTheStoreCountAsEmptyAndZero) {
    const ResultComparer bySize(SortKey::kSize, true, store);
    EXPECT_EQ(Order(bySize, 99, 1), 0);  // 0 against the folder's 0
    EXPECT_EQ(Order(bySize, -1, 0), -1); // 0 against 5
    const ResultComparer byName(SortKey::kName, false, store);
    EXPECT_EQ(Order(byName, 99, -5), 0);
    EXPECT_EQ(Order(byName, 99, 0), -1); // the empty name sorts first
}

} // namespace
} // namespace vk
