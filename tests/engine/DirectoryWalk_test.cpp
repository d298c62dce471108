#include "support/EngineHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>

namespace vk::testing {
namespace {

using Names = std::vector<std::wstring>;

using DirectoryWalk = ::testing::TestWithParam<int>;

// Every case runs on the walk without read-ahead (0) and with helpers listing and testing ahead.
class DirectoryWalkTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        auto& f = h.files;
        f.AddFile(L"\\\\SRV\\share\\b.txt", "bb");
        f.AddFile(L"\\\\SRV\\share\\a.txt", "a");
        f.AddFile(L"\\\\SRV\\share\\c.doc", "cccc");
        f.AddDir(L"\\\\SRV\\share\\docs.txt");
        f.AddFile(L"\\\\SRV\\share\\docs.txt\\inner.txt", "12345");
        f.AddDir(L"\\\\SRV\\share\\zeta");
        f.AddFile(L"\\\\SRV\\share\\zeta\\deep.TXT", std::string(300, 'x'));
        f.AddDir(L"\\\\SRV\\share\\zeta\\empty");
    }
    EngineHarness h{GetParam()};
};

TEST_P(DirectoryWalkTest, HitsComeInPreOrderWithTheirColumnsAndStoreEntries) {
    h.engine.Request().fileMask = L"*.txt";
    h.Run({L"\\\\SRV\\share"});

    const auto rows = h.list.Rows();
    ASSERT_EQ(rows.size(), 5u);
    // The directory's own hits in listing order, then each subdirectory completely.
    EXPECT_EQ(h.Names(), (Names{L"a.txt", L"b.txt", L"docs.txt", L"inner.txt", L"deep.TXT"}));
    EXPECT_EQ(rows[0].columns[1], L"1");
    EXPECT_EQ(rows[0].columns[2], L"\\\\SRV\\share");
    EXPECT_EQ(rows[2].columns[1], L""); // a folder shows no size
    EXPECT_EQ(rows[3].columns[2], L"\\\\SRV\\share\\docs.txt");
    EXPECT_EQ(rows[4].columns[1], L"300");

    const auto store = h.engine.Results().Copy();
    ASSERT_EQ(store.resultPaths.size(), 5u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto index = static_cast<std::size_t>(rows[i].data);
        EXPECT_EQ(store.resultPaths[index], rows[i].columns[2] + L"\\" + rows[i].columns[0]);
    }
    EXPECT_EQ(store.resultSizes[4], 300u);

    // Folder rows get the folder icon; files share one entry per extension, whatever its case.
    EXPECT_EQ(rows[2].image, 1);
    EXPECT_EQ(rows[0].image, rows[4].image);
    EXPECT_GE(rows[0].image, 2);

    EXPECT_EQ(h.status.Last(kPaneMessage), kTextSearchCompleted);
    EXPECT_EQ(h.status.Texts(kPaneItemCount), (Names{kTextZeroItems}));
}

TEST_P(DirectoryWalkTest, StatusShowsEveryDirectoryAsItIsSearched) {
    h.engine.Request().fileMask = L"*.none";
    h.Run({L"\\\\SRV\\share"});
    const auto texts = h.status.Texts(kPaneMessage);
    const Names expected{kTextPleaseWait,
                         L"Search in \\\\SRV\\share",
                         L"Search in \\\\SRV\\share\\docs.txt",
                         L"Search in \\\\SRV\\share\\zeta",
                         L"Search in \\\\SRV\\share\\zeta\\empty",
                         kTextSearchCompleted};
    EXPECT_EQ(texts, expected);
    EXPECT_TRUE(h.list.Rows().empty());
}

TEST_P(DirectoryWalkTest, DotEntriesAreNeverHits) {
    h.engine.Request().fileMask = L"*";
    h.Run({L"\\\\SRV\\share\\zeta"});
    EXPECT_EQ(h.Names(), (Names{L"deep.TXT", L"empty"}));
}

TEST_P(DirectoryWalkTest, SizeFilterBoundsAreUnsignedInclusiveAndApplyToFolders) {
    auto& request = h.engine.Request();
    request.fileMask = L"*";
    request.sizeFilterOn = true;

    request.sizeAtMost = false; // at least 2 bytes: no folder (size 0), but the walk descends
    request.sizeLimit = 2;
    h.Run({L"\\\\SRV\\share"});
    EXPECT_EQ(h.Names(), (Names{L"b.txt", L"c.doc", L"inner.txt", L"deep.TXT"}));

    request.sizeAtMost = true; // at most 1 byte: every folder, and the one-byte file
    request.sizeLimit = 1;
    h.Run({L"\\\\SRV\\share"});
    EXPECT_EQ(h.Names(), (Names{L"a.txt", L"docs.txt", L"zeta", L"empty"}));

    request.sizeAtMost = false; // at least 0 admits everything
    request.sizeLimit = 0;
    h.Run({L"\\\\SRV\\share"});
    EXPECT_EQ(h.list.Rows().size(), 8u);
}

// A caller that shows no sizes lets the hits go without them, where they cost a call per entry,
// unless a filter needs them.
TEST_P(DirectoryWalkTest, HitsGoWithoutSizesOnlyWhereNothingNeedsThem) {
    h.files.sizesCostACall = true;
    h.engine.SetShownDetail(ListingDetail::kNamesOnly);
    auto& request = h.engine.Request();
    request.fileMask = L"*.txt";
    for (const bool bothAtOnce : {false, true}) {
        h.files.readsBothPassesAtOnce = bothAtOnce;
        request.sizeFilterOn = false;
        h.Run({L"\\\\SRV\\share"});
        EXPECT_EQ(h.Names(), (Names{L"a.txt", L"b.txt", L"docs.txt", L"inner.txt", L"deep.TXT"}));
        EXPECT_EQ(h.engine.Results().Copy().resultSizes, (std::vector<std::uint64_t>(5, 0)));

        request.sizeFilterOn = true; // at least 2 bytes
        request.sizeLimit = 2;
        h.Run({L"\\\\SRV\\share"});
        EXPECT_EQ(h.Names(), (Names{L"b.txt", L"inner.txt", L"deep.TXT"}));
    }
}

TEST_P(DirectoryWalk, FilesOfFourGigabytesAndMoreKeepTheirWholeSize) {
    EngineHarness h(GetParam());
    h.files.AddFile(L"\\\\SRV\\s\\huge.bin", "", (std::uint64_t{1} << 32) + 10);
    h.files.AddFile(L"\\\\SRV\\s\\big.bin", "", 0xFFFFFFF0u);
    auto& request = h.engine.Request();
    request.fileMask = L"*.bin";
    request.sizeFilterOn = true;
    request.sizeAtMost = true;
    request.sizeLimit = 10;
    h.Run({L"\\\\SRV\\s"});
    EXPECT_TRUE(h.Names().empty());

    request.sizeAtMost = false;
    request.sizeLimit = std::uint64_t{1} << 32;
    h.Run({L"\\\\SRV\\s"});
    ASSERT_EQ(h.Names(), (Names{L"huge.bin"}));
    EXPECT_EQ(h.list.Rows()[0].columns[1], L"4294967306");
    EXPECT_EQ(h.engine.Results().Size(0), (std::uint64_t{1} << 32) + 10);
}

TEST_P(DirectoryWalkTest, ContainingTextAdmitsOnlyFilesThatHoldIt) {
    h.files.AddFile(L"\\\\SRV\\share\\zeta\\note.txt", "a Secret word");
    h.files.AddFile(L"\\\\SRV\\share\\zeta\\secret", "nothing");
    h.files.AddFile(L"\\\\SRV\\share\\locked.txt", "secret");
    h.files.Lock(L"\\\\SRV\\share\\locked.txt");
    h.files.AddDir(L"\\\\SRV\\share\\secret.d");
    auto& request = h.engine.Request();
    request.fileMask = L"*";
    request.textFilterOn = true;
    request.containingText = L"SECRET";
    h.Run({L"\\\\SRV\\share"});
    // No folder is a hit, a file's name does not count, and a locked file is skipped.
    EXPECT_EQ(h.Names(), (Names{L"note.txt"}));
    EXPECT_EQ(request.containingText, L"*SECRET*");
}

// An offline file or a cloud placeholder would be recalled or downloaded by reading it: the
// content test never opens it, so it is no hit of a search with a containing text. It is one of a
// search by name.
TEST_P(DirectoryWalkTest, FilesWhoseContentIsOfflineAreNeverOpenedForTheContentTest) {
    h.files.AddFile(L"\\\\SRV\\share\\zeta\\cloud.txt", "secret");
    h.files.MarkContentOffline(L"\\\\SRV\\share\\zeta\\cloud.txt");
    h.files.AddFile(L"\\\\SRV\\share\\zeta\\local.txt", "secret");
    std::mutex lock;
    std::vector<std::wstring> opened;
    h.files.onOpen = [&](const std::wstring& path) {
        std::lock_guard guard(lock);
        opened.push_back(path);
    };
    auto& request = h.engine.Request();
    request.fileMask = L"*.txt";
    request.textFilterOn = true;
    request.containingText = L"secret";
    h.Run({L"\\\\SRV\\share"});
    EXPECT_EQ(h.Names(), (Names{L"local.txt"}));
    EXPECT_EQ(std::count(opened.begin(), opened.end(), L"\\\\SRV\\share\\zeta\\cloud.txt"), 0);

    request.textFilterOn = false;
    h.Run({L"\\\\SRV\\share"});
    EXPECT_EQ(h.Names(),
              (Names{L"a.txt", L"b.txt", L"docs.txt", L"inner.txt", L"cloud.txt", L"deep.TXT", L"local.txt"}));
}

TEST_P(DirectoryWalkTest, UnlistableFoldersAreSkippedSilently) {
    h.files.Deny(L"\\\\SRV\\share\\zeta");
    h.engine.Request().fileMask = L"*.txt";
    h.Run({L"\\\\SRV\\share", L"\\\\NOSUCH\\share"});
    EXPECT_EQ(h.Names(), (Names{L"a.txt", L"b.txt", L"docs.txt", L"inner.txt"}));
    EXPECT_EQ(h.status.Last(kPaneMessage), kTextSearchCompleted);
}

TEST_P(DirectoryWalk, DirectoryLinksAreListedButNotEntered) {
    EngineHarness h(GetParam());
    h.files.AddFile(L"\\\\SRV\\s\\a\\x.txt");
    h.files.AddLink(L"\\\\SRV\\s\\a\\loop");
    h.files.AddFile(L"\\\\SRV\\s\\a\\loop\\y.txt"); // what the link would lead to
    h.engine.Request().fileMask = L"*";
    h.Run({L"\\\\SRV\\s"});
    EXPECT_EQ(h.Names(), (Names{L"a", L"loop", L"x.txt"}));
}

TEST_P(DirectoryWalk, PathsLongerThan259CharactersAreWalked) {
    EngineHarness h(GetParam());
    const std::wstring share = L"\\\\SRV\\s";
    const std::wstring longFolder(240, L'f');
    const std::wstring folder = share + L"\\" + longFolder; // 248 characters
    const std::wstring longName(300, L'n');
    h.files.AddFile(folder + L"\\short.txt");   // 259 characters
    h.files.AddFile(folder + L"\\toolong.txt"); // 260
    h.files.AddFile(folder + L"\\" + std::wstring(20, L'd') + L"\\below.txt");
    h.files.AddFile(share + L"\\" + longName);
    // The limit was once applied to the folder and the mask together: "*.*" missed what "*"
    // found, and a mask longer than 259 characters found nothing.
    for (const std::wstring mask : {L"*", L"*.*"}) {
        h.engine.Request().fileMask = mask;
        h.Run({share});
        EXPECT_EQ(h.Names(),
                  (Names{longFolder, longName, std::wstring(20, L'd'), L"short.txt", L"toolong.txt", L"below.txt"}))
            << mask;
    }
    h.engine.Request().fileMask = longName;
    h.Run({share});
    EXPECT_EQ(h.Names(), (Names{longName}));
}

TEST_P(DirectoryWalk, MaskPiecesThatNameAnotherFolderFindNothing) {
    EngineHarness h(GetParam());
    h.files.AddFile(L"\\\\SRV\\s\\Templates\\invoice.xlt");
    h.files.AddFile(L"\\\\SRV\\s\\sub\\a.txt");
    h.files.AddFile(L"\\\\SRV\\s\\b.txt");
    // Each of these would list another folder and show its entries under the folder walked.
    h.engine.Request().fileMask = L"Templates\\*.xlt;sub/*.txt,..\\*.txt;C:*.txt;*.xlt";
    h.Run({L"\\\\SRV\\s"});
    EXPECT_EQ(h.Names(), (Names{L"invoice.xlt"}));
    EXPECT_EQ(h.list.Rows()[0].columns[2], L"\\\\SRV\\s\\Templates");
}

TEST_P(DirectoryWalk, EveryMaskPieceIsAFullWalkInTheOrderGiven) {
    EngineHarness h(GetParam());
    h.files.AddFile(L"\\\\SRV\\s\\1.c");
    h.files.AddFile(L"\\\\SRV\\s\\sub\\2.a");
    h.files.AddFile(L"\\\\SRV\\s\\sub\\3.b");
    h.files.AddFile(L"\\\\SRV\\s\\4.a");
    h.engine.Request().fileMask = L"*.b; *.a,,*.c";
    h.Run({L"\\\\SRV\\s"});
    EXPECT_EQ(h.Names(), (Names{L"3.b", L"4.a", L"2.a", L"1.c"}));
    // Each walk lists every directory twice (hits, then subdirectories).
    EXPECT_EQ(h.files.ListedDirectories().size(), 3u * 2u * 2u);
}

// Stops the search at the stopAt-th file the walker hands off as a hit (it asks for the file's
// icon) and counts every hand-off.
class StopAtHit final : public IIconIndex {
public:
    StopAtHit(IIconIndex& inner, CSearchEngine& engine, int stopAt) : inner_(inner), engine_(engine), stopAt_(stopAt) {}
    int IndexOfKey(std::wstring_view key) override { return inner_.IndexOfKey(key); }
    int IconIndexForFile(std::wstring_view name) override {
        if (++handedOff == stopAt_) {
            engine_.StopSearch();
        }
        return inner_.IconIndexForFile(name);
    }
    std::atomic<int> handedOff{0};

private:
    IIconIndex& inner_;
    CSearchEngine& engine_;
    int stopAt_;
};

TEST_P(DirectoryWalk, StopInALargeFolderHandsOffNoFurtherEntry) {
    EngineHarness h(GetParam());
    for (int i = 0; i < 40; ++i) {
        h.files.AddFile(L"\\\\SRV\\s\\f" + std::to_wstring(100 + i) + L".txt");
    }
    StopAtHit stop(h.icons, h.engine, 3);
    h.engine.Services().iconIndex = &stop;
    h.engine.Request().fileMask = L"*.txt";
    h.Run({L"\\\\SRV\\s"});
    EXPECT_EQ(stop.handedOff, 3);
    EXPECT_LE(h.list.Rows().size(), 3u);
}

// The rows of a folder are in the list before its subfolders are listed: the listing waits
// (up to a bound) for them, so a walk that held them back until after the listing shows here.
// With read-ahead a helper may make that listing while the walker is still at the folder's
// entries; the walker then needs the listing and must not hold the rows while it waits for it.
TEST_P(DirectoryWalk, AFoldersHitsAreInTheListBeforeItsSubfoldersAreListed) {
    EngineHarness h(GetParam());
    h.files.AddFile(L"\\\\SRV\\s\\a.txt");
    h.files.AddFile(L"\\\\SRV\\s\\b.txt");
    h.files.AddFile(L"\\\\SRV\\s\\sub\\c.txt");
    Names rowsAtListing;
    h.files.onFindFirstPattern = [&](const std::wstring& pattern) {
        if (pattern != L"\\\\SRV\\s\\*") {
            return;
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (h.list.Rows().size() < 2 && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        for (const auto& row : h.list.Rows()) {
            rowsAtListing.push_back(row.columns[0]);
        }
    };
    h.engine.Request().fileMask = L"*.txt";
    h.Run({L"\\\\SRV\\s"});
    EXPECT_EQ(rowsAtListing, (Names{L"a.txt", L"b.txt"}));
    EXPECT_EQ(h.Names(), (Names{L"a.txt", L"b.txt", L"c.txt"}));
}

INSTANTIATE_TEST_SUITE_P(ReadAhead, DirectoryWalkTest, ::testing::Values(0, 3));
INSTANTIATE_TEST_SUITE_P(ReadAhead, DirectoryWalk, ::testing::Values(0, 3));

} // namespace
} // namespace vk::testing
