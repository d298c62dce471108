// What only POSIX systems can show: links of every kind, special files.
#include "platform/FileSystem.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>

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

TEST(FileSystemPosix, LinksCountAsWhatTheyPointTo) {
    test::TempTree tree;
    tree.MakeFile("real/inside.txt", "12345");
    ASSERT_TRUE(tree.MakeDirLink("dirlink", "real"));
    std::filesystem::create_symlink(tree.PathOf("real/inside.txt"), tree.PathOf("filelink"));
    std::filesystem::create_symlink(tree.PathOf("nowhere"), tree.PathOf("dangling"));

    const auto system = MakeSystemFileSystem();
    ErrorCode error = kErrorSuccess;
    const auto entries = List(*system, tree.Native("*l*"), ListingDetail::kNamesAndSizes, error);
    ASSERT_EQ(entries.size(), 4U);
    EXPECT_EQ(entries[0].name, L"dangling");
    EXPECT_FALSE(entries[0].isDirectory);
    EXPECT_EQ(entries[1].name, L"dirlink");
    EXPECT_TRUE(entries[1].isDirectory);
    EXPECT_TRUE(entries[1].isLink);
    EXPECT_EQ(entries[2].name, L"filelink");
    EXPECT_FALSE(entries[2].isDirectory);
    EXPECT_EQ(entries[2].size, 5U);
    EXPECT_EQ(entries[3].name, L"real");
    EXPECT_FALSE(entries[3].isLink);
}

TEST(FileSystemPosix, AFileIsNoDirectoryToList) {
    test::TempTree tree;
    tree.MakeFile("file.txt", "x");
    const auto system = MakeSystemFileSystem();
    ErrorCode error = kErrorSuccess;
    EXPECT_TRUE(List(*system, tree.Native("file.txt/*"), ListingDetail::kNamesOnly, error).empty());
    EXPECT_EQ(error, kErrorDirectory);
}

TEST(FileSystemPosix, OpeningAFifoNeitherHangsNorSucceeds) {
    test::TempTree tree;
    ASSERT_EQ(mkfifo(tree.PathOf("pipe").c_str(), 0600), 0);
    const auto system = MakeSystemFileSystem();
    ErrorCode error = kErrorSuccess;
    EXPECT_FALSE(system->OpenForReading(tree.Native("pipe"), error));
    EXPECT_EQ(error, kErrorAccessDenied);
}

} // namespace
} // namespace vk
