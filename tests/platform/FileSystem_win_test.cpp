#include "platform/FileSystem.h"
#include "platform/ReparsePoints_win.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace vk {
namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }
    [[nodiscard]] bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

// Another program's open of the file.
FileHandle OpenAsAnotherProgram(const std::wstring& path, DWORD access, DWORD share) {
    return FileHandle(CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

TEST(FileSystemWin, AnotherProgramMayWriteAndDeleteWhileTheContentIsRead) {
    test::TempTree tree;
    tree.MakeFile("log.txt", "line one");
    const auto system = MakeSystemFileSystem();
    ErrorCode error = kErrorSuccess;
    const auto file = system->OpenForReading(tree.Native("log.txt"), error);
    ASSERT_TRUE(file) << error;

    // A program that keeps its log open for writing, sharing it with readers, carries on...
    {
        const FileHandle writer =
            OpenAsAnotherProgram(tree.Native("log.txt"), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
        EXPECT_TRUE(writer.Valid()) << GetLastError();
    }
    // ...and so does one that renames or deletes it.
    const FileHandle remover =
        OpenAsAnotherProgram(tree.Native("log.txt"), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    EXPECT_TRUE(remover.Valid()) << GetLastError();
}

TEST(FileSystemWin, OnlyAProgramThatSharesAFileWithNoReaderKeepsItFromBeingRead) {
    test::TempTree tree;
    tree.MakeFile("held.txt", "the secret");
    const auto system = MakeSystemFileSystem();
    ErrorCode error = kErrorSuccess;
    {
        const FileHandle holder = OpenAsAnotherProgram(tree.Native("held.txt"), GENERIC_READ | GENERIC_WRITE, 0);
        ASSERT_TRUE(holder.Valid());
        EXPECT_FALSE(system->OpenForReading(tree.Native("held.txt"), error));
        EXPECT_EQ(error, kErrorSharingViolation);
    }
    const FileHandle writer = OpenAsAnotherProgram(tree.Native("held.txt"), GENERIC_WRITE, FILE_SHARE_READ);
    ASSERT_TRUE(writer.Valid());
    EXPECT_TRUE(system->OpenForReading(tree.Native("held.txt"), error)) << error;
}

WIN32_FIND_DATAW Entry(DWORD attributes, DWORD tag) {
    WIN32_FIND_DATAW data{};
    data.dwFileAttributes = attributes;
    data.dwReserved0 = tag;
    return data;
}

TEST(FileSystemWin, OnlyReparsePointsThatStandForAnotherNameAreLinks) {
    constexpr DWORD kFolderReparsePoint = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    EXPECT_TRUE(IsLinkEntry(Entry(kFolderReparsePoint, IO_REPARSE_TAG_MOUNT_POINT))); // a junction
    EXPECT_TRUE(IsLinkEntry(Entry(kFolderReparsePoint, IO_REPARSE_TAG_SYMLINK)));
    EXPECT_TRUE(IsLinkEntry(Entry(FILE_ATTRIBUTE_REPARSE_POINT, IO_REPARSE_TAG_SYMLINK)));
    // Content of their own: walked like any folder.
    EXPECT_FALSE(IsLinkEntry(Entry(kFolderReparsePoint, IO_REPARSE_TAG_CLOUD)));
    EXPECT_FALSE(IsLinkEntry(Entry(kFolderReparsePoint, IO_REPARSE_TAG_DEDUP)));
    // The tag means nothing without the attribute.
    EXPECT_FALSE(IsLinkEntry(Entry(FILE_ATTRIBUTE_DIRECTORY, IO_REPARSE_TAG_MOUNT_POINT)));
}

// Offline files and cloud placeholders are known by the listing's attributes alone; a placeholder
// whose content is on the disk (pinned, or downloaded) is read like any file.
TEST(FileSystemWin, OfflineFilesAndPlaceholdersThatWouldBeRecalledHoldNoContentOnTheDisk) {
    constexpr DWORD kPinned = 0x00080000; // FILE_ATTRIBUTE_PINNED: kept on the disk
    constexpr DWORD kPlaceholder = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_REPARSE_POINT;
    EXPECT_TRUE(IsContentOfflineEntry(Entry(FILE_ATTRIBUTE_OFFLINE, 0)));
    EXPECT_TRUE(
        IsContentOfflineEntry(Entry(kPlaceholder | FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS, IO_REPARSE_TAG_CLOUD)));
    EXPECT_TRUE(IsContentOfflineEntry(Entry(FILE_ATTRIBUTE_RECALL_ON_OPEN, 0)));
    EXPECT_FALSE(IsContentOfflineEntry(Entry(kPlaceholder | kPinned, IO_REPARSE_TAG_CLOUD)));
    EXPECT_FALSE(IsContentOfflineEntry(Entry(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SPARSE_FILE, 0)));
}

} // namespace
} // namespace vk
