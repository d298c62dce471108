#include "support/EngineHarness.h"

#include <gtest/gtest.h>

namespace vk::testing {
namespace {

using Names = std::vector<std::wstring>;

class DirectoryWalkTest : public ::testing::Test {
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
    EngineHarness h;
};

TEST_F(DirectoryWalkTest, HitsComeInPreOrderWithTheirColumnsAndStoreEntries) {
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

TEST_F(DirectoryWalkTest, StatusShowsEveryDirectoryAsItIsSearched) {
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

TEST_F(DirectoryWalkTest, DotEntriesAreNeverHits) {
    h.engine.Request().fileMask = L"*";
    h.Run({L"\\\\SRV\\share\\zeta"});
    EXPECT_EQ(h.Names(), (Names{L"deep.TXT", L"empty"}));
}

TEST_F(DirectoryWalkTest, SizeFilterBoundsAreUnsignedInclusiveAndApplyToFolders) {
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

TEST(DirectoryWalk, FilesOfFourGigabytesAndMoreCountByTheirLow32Bits) {
    EngineHarness h;
    h.files.AddFile(L"\\\\SRV\\s\\huge.bin", "", (std::uint64_t{1} << 32) + 10);
    h.files.AddFile(L"\\\\SRV\\s\\big.bin", "", 0xFFFFFFF0u);
    auto& request = h.engine.Request();
    request.fileMask = L"*.bin";
    request.sizeFilterOn = true;
    request.sizeAtMost = true;
    request.sizeLimit = 10;
    h.Run({L"\\\\SRV\\s"});
    ASSERT_EQ(h.Names(), (Names{L"huge.bin"}));
    EXPECT_EQ(h.list.Rows()[0].columns[1], L"10");

    request.sizeAtMost = false; // unsigned: 0xFFFFFFF0 is large, not negative
    request.sizeLimit = 0x80000000u;
    h.Run({L"\\\\SRV\\s"});
    EXPECT_EQ(h.Names(), (Names{L"big.bin"}));
    EXPECT_EQ(h.list.Rows()[0].columns[1], L"4294967280");
}

TEST_F(DirectoryWalkTest, ContainingTextAdmitsOnlyFilesThatHoldIt) {
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

TEST_F(DirectoryWalkTest, UnlistableFoldersAreSkippedSilently) {
    h.files.Deny(L"\\\\SRV\\share\\zeta");
    h.engine.Request().fileMask = L"*.txt";
    h.Run({L"\\\\SRV\\share", L"\\\\NOSUCH\\share"});
    EXPECT_EQ(h.Names(), (Names{L"a.txt", L"b.txt", L"docs.txt", L"inner.txt"}));
    EXPECT_EQ(h.status.Last(kPaneMessage), kTextSearchCompleted);
}

TEST(DirectoryWalk, DirectoryLinksAreListedButNotEntered) {
    EngineHarness h;
    h.files.AddFile(L"\\\\SRV\\s\\a\\x.txt");
    h.files.AddLink(L"\\\\SRV\\s\\a\\loop");
    h.files.AddFile(L"\\\\SRV\\s\\a\\loop\\y.txt"); // what the link would lead to
    h.engine.Request().fileMask = L"*";
    h.Run({L"\\\\SRV\\s"});
    EXPECT_EQ(h.Names(), (Names{L"a", L"loop", L"x.txt"}));
}

TEST(DirectoryWalk, PathsLongerThan259CharactersAreWalked) {
    EngineHarness h;
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

TEST(DirectoryWalk, MaskPiecesThatNameAnotherFolderFindNothing) {
    EngineHarness h;
    h.files.AddFile(L"\\\\SRV\\s\\Templates\\invoice.xlt");
    h.files.AddFile(L"\\\\SRV\\s\\sub\\a.txt");
    h.files.AddFile(L"\\\\SRV\\s\\b.txt");
    // Each of these would list another folder and show its entries under the folder walked.
    h.engine.Request().fileMask = L"Templates\\*.xlt;sub/*.txt,..\\*.txt;C:*.txt;*.xlt";
    h.Run({L"\\\\SRV\\s"});
    EXPECT_EQ(h.Names(), (Names{L"invoice.xlt"}));
    EXPECT_EQ(h.list.Rows()[0].columns[2], L"\\\\SRV\\s\\Templates");
}

TEST(DirectoryWalk, EveryMaskPieceIsAFullWalkInTheOrderGiven) {
    EngineHarness h;
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

} // namespace
} // namespace vk::testing
