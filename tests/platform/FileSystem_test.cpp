#include "platform/FileSystem.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace vk {
namespace {

std::vector<DirEntry> List(FileSystem& system, const std::wstring& pattern, ListingDetail detail, ErrorCode& error) {
    std::vector<DirEntry> entries;
    const auto listing = system.FindFirst(pattern, detail, error);
    DirEntry entry;
    while (listing && listing->Next(entry)) {
        entries.push_back(entry);
    }
    return entries;
}

std::vector<std::wstring> Names(const std::vector<DirEntry>& entries) {
    std::vector<std::wstring> names;
    for (const auto& entry : entries) {
        names.push_back(entry.name);
    }
    return names;
}

class FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree_.MakeFile("b.txt", "abc");
        tree_.MakeFile("A.txt", "0123456789");
        tree_.MakeFile("c.TXT", "");
        tree_.MakeFile("notes.doc", "x");
        tree_.MakeFile("noext", "xy");
        tree_.MakeFile("sub/deep.txt", "deep");
        tree_.MakeDir("Sub2.txt");
    }

    std::vector<std::wstring> ListNames(const std::wstring& mask, ErrorCode& error) {
        return Names(List(*system_, Pattern(mask), ListingDetail::kNamesAndSizes, error));
    }
    std::wstring Pattern(const std::wstring& mask) const { return tree_.Root() + kNativeSeparator + mask; }

    test::TempTree tree_;
    std::unique_ptr<FileSystem> system_ = MakeSystemFileSystem();
};

TEST_F(FileSystemTest, ListsEveryEntrySortedWithTheDotEntriesFirst) {
    ErrorCode error = kErrorInvalidParameter;
    const std::vector<std::wstring> all = {L".",     L"..",        L"A.txt", L"b.txt",   L"c.TXT",
                                           L"noext", L"notes.doc", L"sub",   L"Sub2.txt"};
    EXPECT_EQ(ListNames(L"*", error), all);
    EXPECT_EQ(error, kErrorSuccess);
    EXPECT_EQ(ListNames(L"*.*", error), all);
}

TEST_F(FileSystemTest, MasksIgnoreCaseAndMatchFoldersToo) {
    ErrorCode error = kErrorSuccess;
    EXPECT_EQ(ListNames(L"*.txt", error), (std::vector<std::wstring>{L"A.txt", L"b.txt", L"c.TXT", L"Sub2.txt"}));
    EXPECT_EQ(ListNames(L"?.TXT", error), (std::vector<std::wstring>{L"A.txt", L"b.txt", L"c.TXT"}));
    EXPECT_EQ(ListNames(L"NOTES.DOC", error), (std::vector<std::wstring>{L"notes.doc"}));
    EXPECT_EQ(ListNames(L"no*", error), (std::vector<std::wstring>{L"noext", L"notes.doc"}));
}

TEST_F(FileSystemTest, ReportsDirectoriesAndSizes) {
    ErrorCode error = kErrorSuccess;
    const auto entries = List(*system_, Pattern(L"*"), ListingDetail::kNamesAndSizes, error);
    ASSERT_EQ(entries.size(), 9U);
    EXPECT_TRUE(entries[0].isDirectory); // "."
    EXPECT_TRUE(entries[1].isDirectory); // ".."
    EXPECT_EQ(entries[2].size, 10U);     // A.txt
    EXPECT_FALSE(entries[2].isDirectory);
    EXPECT_EQ(entries[3].size, 3U); // b.txt
    EXPECT_EQ(entries[4].size, 0U); // c.TXT
    EXPECT_TRUE(entries[7].isDirectory);
    EXPECT_EQ(entries[7].size, 0U);
    EXPECT_TRUE(entries[8].isDirectory);
    for (const auto& entry : entries) {
        EXPECT_FALSE(entry.isLink) << entry.name;
    }
}

TEST_F(FileSystemTest, SizesBeyondFourGigabytesKeepTheirHighBits) {
    tree_.MakeSparseFile("huge.bin", (std::uint64_t{1} << 32) + 10);
    ErrorCode error = kErrorSuccess;
    const auto entries = List(*system_, Pattern(L"huge.bin"), ListingDetail::kNamesAndSizes, error);
    ASSERT_EQ(entries.size(), 1U);
    EXPECT_EQ(entries[0].size, (std::uint64_t{1} << 32) + 10);
}

TEST_F(FileSystemTest, BackslashesSeparateOnEveryPlatform) {
    ErrorCode error = kErrorSuccess;
    const auto entries = List(*system_, tree_.Root() + L"\\sub\\*.txt", ListingDetail::kNamesAndSizes, error);
    EXPECT_EQ(Names(entries), (std::vector<std::wstring>{L"deep.txt"}));
}

TEST_F(FileSystemTest, NamesBeyondAsciiRoundTrip) {
    tree_.MakeFile("\xC3\x84rger-\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82.txt", "x");
    ErrorCode error = kErrorSuccess;
    EXPECT_EQ(ListNames(L"\u00E4RGER*", error),
              (std::vector<std::wstring>{L"\u00C4rger-\u041F\u0440\u0438\u0432\u0435\u0442.txt"}));
}

TEST_F(FileSystemTest, ListingErrors) {
    ErrorCode error = kErrorSuccess;
    EXPECT_TRUE(List(*system_, tree_.Native("missing/*"), ListingDetail::kNamesOnly, error).empty());
    EXPECT_EQ(error, kErrorPathNotFound);

    EXPECT_TRUE(List(*system_, Pattern(L"*.none"), ListingDetail::kNamesOnly, error).empty());
    EXPECT_EQ(error, kErrorFileNotFound);

    const std::wstring tooLong = tree_.Root() + kNativeSeparator + std::wstring(kMaxLongPathLength, L'd');
    EXPECT_TRUE(List(*system_, tooLong + kNativeSeparator + L"*", ListingDetail::kNamesOnly, error).empty());
    EXPECT_EQ(error, kErrorFilenameTooLong);
    EXPECT_FALSE(system_->OpenForReading(tooLong, error));
    EXPECT_EQ(error, kErrorFilenameTooLong);
}

TEST_F(FileSystemTest, PathsLongerThanTheClassicLimitWork) {
    std::string deep = "sub";
    while (tree_.Root().size() + deep.size() <= kMaxPathLength + 20) {
        deep += "/" + std::string(30, 'f');
    }
    tree_.MakeFile(deep + "/far.txt", "far");
    std::wstring pattern = tree_.Native(deep);
    pattern += kNativeSeparator;
    pattern += L"*.txt";
    ASSERT_GT(pattern.size(), kMaxPathLength);

    ErrorCode error = kErrorSuccess;
    EXPECT_EQ(Names(List(*system_, pattern, ListingDetail::kNamesAndSizes, error)),
              (std::vector<std::wstring>{L"far.txt"}));
    EXPECT_EQ(error, kErrorSuccess);
    const auto file = system_->OpenForReading(tree_.Native(deep + "/far.txt"), error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(file->Length(), 3U);

    // A file system held to the classic limit refuses them.
    const auto classic = MakeSystemFileSystem(kMaxPathLength);
    EXPECT_FALSE(classic->OpenForReading(tree_.Native(deep + "/far.txt"), error));
    EXPECT_EQ(error, kErrorFilenameTooLong);
}

TEST_F(FileSystemTest, OpenForReadingReadsInChunks) {
    std::string content;
    for (int i = 0; i < 100000; ++i) {
        content += static_cast<char>('a' + i % 26);
    }
    tree_.MakeFile("big.txt", content);
    ErrorCode error = kErrorInvalidParameter;
    const auto file = system_->OpenForReading(tree_.Native("big.txt"), error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(error, kErrorSuccess);
    EXPECT_EQ(file->Length(), 100000U);

    std::string read;
    std::vector<char> buffer(30000);
    while (const std::size_t got = file->Read(buffer.data(), buffer.size())) {
        read.append(buffer.data(), got);
    }
    EXPECT_EQ(read, content);
    EXPECT_EQ(file->Read(buffer.data(), buffer.size()), 0U);
}

TEST_F(FileSystemTest, AFileOpenForReadingStaysOpenToOtherReadersWritersAndDeletion) {
    ErrorCode error = kErrorSuccess;
    const auto first = system_->OpenForReading(tree_.Native("A.txt"), error);
    ASSERT_TRUE(first) << error;
    // Another search, or another program, reads the same file meanwhile...
    const auto second = system_->OpenForReading(tree_.Native("A.txt"), error);
    ASSERT_TRUE(second) << error;
    char byte = 0;
    EXPECT_EQ(second->Read(&byte, 1), 1U);
    EXPECT_EQ(byte, '0');
    // ...writes to it, and deletes it.
    {
        std::ofstream writer(tree_.PathOf("A.txt"), std::ios::binary | std::ios::app);
        EXPECT_TRUE(writer.is_open());
        writer << "more";
        EXPECT_TRUE(writer.good());
    }
    std::error_code removeError;
    EXPECT_TRUE(std::filesystem::remove(tree_.PathOf("A.txt"), removeError)) << removeError.message();
}

TEST_F(FileSystemTest, OpenForReadingErrors) {
    ErrorCode error = kErrorSuccess;
    EXPECT_FALSE(system_->OpenForReading(tree_.Native("missing.txt"), error));
    EXPECT_EQ(error, kErrorFileNotFound);
    EXPECT_FALSE(system_->OpenForReading(tree_.Native("sub"), error));
    EXPECT_EQ(error, kErrorAccessDenied);
}

} // namespace
} // namespace vk
