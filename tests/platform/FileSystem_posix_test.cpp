// What only POSIX systems can show: links of every kind, special files.
#include "platform/FileSystem.h"
#include "platform/WildcardName.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <climits>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// A read for names only stats no entry whose kind the folder read gives; a link still gets its
// stat, to tell a folder from a file. Its folders can be taken without the files.
TEST(FileSystemPosix, ANamesOnlyReadStatsOnlyLinks) {
    test::TempTree tree;
    tree.MakeFile("real/inside.txt", "12345");
    tree.MakeFile("file.txt", "123");
    ASSERT_TRUE(tree.MakeDirLink("dirlink", "real"));
    std::filesystem::create_symlink(tree.PathOf("real/inside.txt"), tree.PathOf("filelink"));

    const auto system = MakeSystemFileSystem();
    for (const auto detail : {ListingDetail::kNamesOnly, ListingDetail::kNamesAndSizes}) {
        const bool sized = detail == ListingDetail::kNamesAndSizes;
        const BothPasses passes = system->ListBothPasses(tree.Root(), L"*l*", detail);
        std::vector<DirEntry> entries;
        DirEntry entry;
        while (passes.matching && passes.matching->Next(entry)) {
            entries.push_back(entry);
        }
        ASSERT_EQ(entries.size(), 4U);
        EXPECT_EQ(entries[0].name, L"dirlink");
        EXPECT_TRUE(entries[0].isDirectory && entries[0].isLink);
        EXPECT_EQ(entries[1].name, L"file.txt");
        EXPECT_EQ(entries[1].size, sized ? 3U : 0U);
        EXPECT_EQ(entries[1].modified != 0, sized);
        EXPECT_EQ(entries[2].name, L"filelink");
        EXPECT_EQ(entries[2].size, 5U);
        EXPECT_EQ(entries[3].name, L"real");
        EXPECT_TRUE(entries[3].isDirectory);

        std::vector<std::wstring> folders; // of every entry, passing over the files
        while (passes.every && passes.every->NextDirectory(entry)) {
            folders.push_back(entry.name);
        }
        EXPECT_EQ(folders, (std::vector<std::wstring>{L".", L"..", L"dirlink", L"real"}));
    }
}

// A read for both passes looks where a link points during the read only when the mask matches
// it; every looks up the others when it gives them (the walk, entering no link, never asks).
TEST(FileSystemPosix, ABothPassesReadLooksUpOnlyMatchingLinksAtOnce) {
    test::TempTree tree;
    tree.MakeFile("real/inside.txt");
    tree.MakeFile("gone/inside.txt");
    ASSERT_TRUE(tree.MakeDirLink("dirlink", "gone"));
    ASSERT_TRUE(tree.MakeDirLink("linked.h", "real"));

    const auto system = MakeSystemFileSystem();
    const BothPasses passes = system->ListBothPasses(tree.Root(), L"*.h", ListingDetail::kNamesAndSizes);
    std::filesystem::remove_all(tree.PathOf("gone"));
    tree.MakeFile("gone"); // dirlink now points to a file; the read still has "gone" as a folder
    DirEntry entry;
    ASSERT_TRUE(passes.matching && passes.matching->Next(entry));
    EXPECT_EQ(entry.name, L"linked.h");
    EXPECT_TRUE(entry.isDirectory && entry.isLink);
    std::vector<std::wstring> folders;
    while (passes.every && passes.every->NextDirectory(entry)) {
        folders.push_back(entry.name);
    }
    EXPECT_EQ(folders, (std::vector<std::wstring>{L".", L"..", L"gone", L"linked.h", L"real"}));
}

// The listing of every entry of a read for both passes keeps listing order when its reader turns
// from folders alone to every entry.
TEST(FileSystemPosix, EveryEntryOfABothPassesReadComesInOrderAfterTheFolders) {
    test::TempTree tree;
    for (const char* file : {"a.txt", "b.h", "c/inside.txt", "d.txt"}) {
        tree.MakeFile(file);
    }
    const auto system = MakeSystemFileSystem();
    const BothPasses passes = system->ListBothPasses(tree.Root(), L"*.h", ListingDetail::kNamesOnly);
    ASSERT_TRUE(passes.every);
    DirEntry entry;
    std::vector<std::wstring> names;
    for (int i = 0; i < 3 && passes.every->NextDirectory(entry); ++i) {
        names.push_back(entry.name);
    }
    while (passes.every->Next(entry)) {
        names.push_back(entry.name);
    }
    EXPECT_EQ(names, (std::vector<std::wstring>{L".", L"..", L"c", L"d.txt"}));
}

// A folder with subfolders stays open after its read, and a subfolder's listing starts from it:
// it finds the subfolder even after the parent's path has gone. A folder without subfolders is
// not kept.
TEST(FileSystemPosix, ASubfolderIsListedFromItsParentKeptOpen) {
    test::TempTree tree;
    tree.MakeFile("top/sub/a.h", "12");
    tree.MakeFile("top/sub/b.txt");
    const auto system = MakeSystemFileSystem();
    const BothPasses top = system->ListBothPasses(tree.Native("top"), L"*.h", ListingDetail::kNamesOnly);
    ASSERT_TRUE(top.every && top.opened);
    std::filesystem::rename(tree.PathOf("top"), tree.PathOf("moved"));

    const BothPasses sub = system->ListSubfolderBothPasses(top.opened.get(), tree.Native("top/sub"), L"*.h",
                                                           ListingDetail::kNamesAndSizes);
    DirEntry entry;
    ASSERT_TRUE(sub.matching && sub.matching->Next(entry));
    EXPECT_EQ(entry.name, L"a.h");
    EXPECT_EQ(entry.size, 2U);
    EXPECT_FALSE(sub.matching->Next(entry));
    EXPECT_FALSE(sub.opened);

    const BothPasses byPath =
        system->ListSubfolderBothPasses(nullptr, tree.Native("top/sub"), L"*.h", ListingDetail::kNamesOnly);
    EXPECT_FALSE(byPath.every);
    EXPECT_EQ(byPath.everyError, kErrorPathNotFound);
}

// However many reads hold their folders, only a bounded number of descriptors stays open; the
// others are listed by path. Every descriptor closes with the last holder of its folder.
TEST(FileSystemPosix, FoldersKeptOpenAreBoundedAndClosed) {
    const auto openDescriptors = [] {
        std::size_t count = 0;
        for ([[maybe_unused]] const auto& item : std::filesystem::directory_iterator("/proc/self/fd")) {
            ++count;
        }
        return count;
    };
    test::TempTree tree;
    tree.MakeDir("folder/sub");
    const auto system = MakeSystemFileSystem();
    const std::size_t before = openDescriptors();
    constexpr std::size_t kReads = 2000;
    std::vector<std::shared_ptr<const OpenFolder>> held;
    for (std::size_t i = 0; i < kReads; ++i) {
        const BothPasses passes = system->ListBothPasses(tree.Native("folder"), L"*", ListingDetail::kNamesOnly);
        ASSERT_TRUE(passes.every);
        if (passes.opened) {
            held.push_back(passes.opened);
        }
    }
    EXPECT_FALSE(held.empty());
    EXPECT_LT(held.size(), kReads);
    EXPECT_EQ(openDescriptors(), before + held.size());
    held.clear();
    EXPECT_EQ(openDescriptors(), before);
    EXPECT_TRUE(system->ListBothPasses(tree.Native("folder"), L"*", ListingDetail::kNamesOnly).opened);
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

// Removes a folder and everything below it, however deep, a folder at a time.
void RemoveBelow(int parent, const char* name) {
    const int fd = openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0) {
        DIR* dir = fdopendir(fd);
        std::vector<std::string> children;
        while (const dirent* child = dir ? readdir(dir) : nullptr) {
            if (std::string_view(child->d_name) != "." && std::string_view(child->d_name) != "..") {
                children.emplace_back(child->d_name);
            }
        }
        for (const auto& child : children) {
            if (unlinkat(fd, child.c_str(), 0) != 0) {
                RemoveBelow(fd, child.c_str());
            }
        }
        dir ? closedir(dir) : close(fd);
    }
    static_cast<void>(unlinkat(parent, name, AT_REMOVEDIR));
}

TEST(FileSystemPosix, TreesDeeperThanOneSystemCallTakesAreWalked) {
    test::TempTree tree;
    tree.MakeDir("deep");
    // Folders made one inside the other, until the path is longer than the system takes at once.
    int folder = open(tree.PathOf("deep").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(folder, 0);
    const std::string name(200, 'd');
    std::wstring path = tree.Native("deep");
    while (path.size() <= PATH_MAX + 100) {
        ASSERT_EQ(mkdirat(folder, name.c_str(), 0700), 0);
        const int inner = openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        close(folder);
        ASSERT_GE(inner, 0);
        folder = inner;
        path += L'/' + std::wstring(name.begin(), name.end());
    }
    const int file = openat(folder, "far.txt", O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(file, 0);
    ASSERT_EQ(write(file, "far", 3), 3);
    close(file);
    close(folder);

    const auto system = MakeSystemFileSystem();
    ErrorCode error = kErrorSuccess;
    const auto entries = List(*system, path + L"/*.txt", ListingDetail::kNamesAndSizes, error);
    ASSERT_EQ(entries.size(), 1U) << error;
    EXPECT_EQ(entries[0].name, L"far.txt");
    EXPECT_EQ(entries[0].size, 3U);
    const auto opened = system->OpenForReading(path + L"\\far.txt", error);
    ASSERT_TRUE(opened) << error;
    char text[4] = {};
    EXPECT_EQ(opened->Read(text, 3), 3U);
    EXPECT_STREQ(text, "far");

    const int root = open(tree.Path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    RemoveBelow(root, "deep");
    close(root);
}

TEST(FileSystemPosix, NamesThatAreNotUtf8StayDistinctAndOpen) {
    test::TempTree tree;
    // Two names that differ only in bytes that are not UTF-8, and a folder with such a name.
    tree.MakeFile("caf\xE9.txt", "latin-1");
    tree.MakeFile("caf\xE8.txt", "other");
    tree.MakeFile("dir\xFF/inside.txt", "inside");
    const auto system = MakeSystemFileSystem();
    ErrorCode error = kErrorSuccess;
    const auto entries = List(*system, tree.Native("*"), ListingDetail::kNamesAndSizes, error);
    std::vector<std::wstring> names;
    for (const auto& entry : entries) {
        names.push_back(entry.name);
    }
    EXPECT_EQ(names, (std::vector<std::wstring>{L".", L"..", L"caf\xDCE8.txt", L"caf\xDCE9.txt", L"dir\xDCFF"}));

    const auto file = system->OpenForReading(tree.Root() + L"/caf\xDCE9.txt", error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(file->Length(), 7U);
    const auto inside = List(*system, tree.Root() + L"/dir\xDCFF/*", ListingDetail::kNamesOnly, error);
    ASSERT_EQ(inside.size(), 3U) << error;
    EXPECT_EQ(inside[2].name, L"inside.txt");
}

TEST(FileSystemPosix, ListingsAreInWindowsOrderWhateverTheNamesShare) {
    // Names that share a long prefix and differ beyond it in case, in length, far behind it, and
    // in characters beyond the Basic Multilingual Plane (U+1F600, U+1F601) or at its end (U+FFFF).
    test::TempTree tree;
    const std::vector<std::string> names = {"shared-prefix-a",
                                            "SHARED-PREFIX-A",
                                            "shared-prefix-b",
                                            "shared-prefix-A-tail",
                                            "shared-prefix-12345678x",
                                            "shared-prefix-12345678a",
                                            "shared-prefix-\xF0\x9F\x98\x81"
                                            "A",
                                            "shared-prefix-\xF0\x9F\x98\x80Z",
                                            "shared-prefix-\xEF\xBF\xBFZ",
                                            "shared-prefix-\xFF",
                                            "shared-prefix-",
                                            "Shared-prefix-a1"};
    for (const auto& name : names) {
        tree.MakeFile(name);
    }
    const auto system = MakeSystemFileSystem();
    ErrorCode error = kErrorSuccess;
    std::vector<std::wstring> listed;
    for (const auto& entry : List(*system, tree.Native("*"), ListingDetail::kNamesOnly, error)) {
        listed.push_back(entry.name);
    }
    std::vector<std::wstring> expected = listed;
    std::sort(expected.begin(), expected.end(),
              [](const std::wstring& a, const std::wstring& b) { return CompareNamesForListing(a, b) < 0; });
    EXPECT_EQ(listed.size(), names.size() + 2);
    EXPECT_EQ(listed, expected);

    // Both listings of one read keep that order, the matching one with only what matches.
    const BothPasses passes = system->ListBothPasses(tree.Root(), L"shared-prefix-1*", ListingDetail::kNamesAndSizes);
    std::vector<std::wstring> every;
    std::vector<std::wstring> matching;
    DirEntry entry;
    while (passes.every && passes.every->Next(entry)) {
        every.push_back(entry.name);
    }
    while (passes.matching && passes.matching->Next(entry)) {
        matching.push_back(entry.name);
    }
    EXPECT_EQ(every, expected);
    EXPECT_EQ(matching, (std::vector<std::wstring>{L"shared-prefix-12345678a", L"shared-prefix-12345678x"}));
}

} // namespace
} // namespace vk
