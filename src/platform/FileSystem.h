#pragma once
// The file operations the engine needs, with find-first/find-next semantics on every platform.
// Paths are UNC paths (\\SERVER\share\folder) or, for the system file system, native paths.

#include "platform/ErrorCodes.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace vk {

// The classic limit of a path, in characters (a 260-character buffer less its terminator). Windows
// takes longer paths only in their long form (\\?\C:\..., \\?\UNC\SERVER\share\...), which
// the system file system uses for them.
constexpr std::size_t kMaxPathLength = 259;
// The longest path the program handles: the longest the systems take at all (Windows, in the long
// form). The walks go as deep as that.
constexpr std::size_t kMaxLongPathLength = 32767;

// The separator of native paths (the system file system's, and the folder network's root).
#ifdef _WIN32
constexpr wchar_t kNativeSeparator = L'\\';
#else
constexpr wchar_t kNativeSeparator = L'/';
#endif

// File times as Windows keeps them: 100-nanosecond intervals since 1601-01-01 UTC.
constexpr std::int64_t kFileTimeTicksPerSecond = 10'000'000;
constexpr std::int64_t kUnixEpochFileTime = 116'444'736'000'000'000; // 1970-01-01 UTC

[[nodiscard]] constexpr std::int64_t FileTimeFromUnix(std::int64_t seconds, std::int64_t nanoseconds) {
    return kUnixEpochFileTime + seconds * kFileTimeTicksPerSecond + nanoseconds / 100;
}

struct DirEntry {
    std::wstring name;
    bool isDirectory = false;
    // A link: a symbolic link, a junction or another reparse point that stands for another name
    // (a link counts as what it points to, a dangling one as a file). Reparse points with content
    // of their own (cloud placeholders, deduplicated folders) are no links. The walk lists a
    // directory link but does not descend into it, so a link back to an ancestor cannot make it
    // run for ever.
    bool isLink = false;
    // The file's content is not on the disk: it lies in offline storage, or the entry is a cloud
    // placeholder whose content the system would recall or download when the file is opened or
    // read. Taken from the listing itself (its attributes), at no extra call.
    bool contentOffline = false;
    std::uint64_t size = 0;
    // The last write time (file time ticks), taken from the listing with the size; 0 unknown.
    std::int64_t modified = 0;
};

// An entry as DirEntry holds it, its name a view of text kept elsewhere (a listing read into
// one buffer of names); valid while that text is. Made from a DirEntry wherever one is taken.
struct DirEntryView {
    DirEntryView() = default;
    DirEntryView(const DirEntry& entry) // NOLINT(google-explicit-constructor): an entry is a view of itself
        : name(entry.name), isDirectory(entry.isDirectory), isLink(entry.isLink), contentOffline(entry.contentOffline),
          size(entry.size), modified(entry.modified) {}

    std::wstring_view name;
    bool isDirectory = false;
    bool isLink = false;
    bool contentOffline = false;
    std::uint64_t size = 0;
    std::int64_t modified = 0;
};

// What a listing must report. Sizes and times may cost a call per entry on some platforms (a stat
// on POSIX); a pass that only looks for subdirectories, or a search that shows and filters by
// neither, asks for names and the directory and link flags alone, and its entries may then carry
// no size or time. Listings that get them at no cost (Windows) carry them anyway.
enum class ListingDetail { kNamesAndSizes, kNamesOnly };

class DirectoryListing {
public:
    virtual ~DirectoryListing() = default;
    // Yields the next entry; false at the end. The first call yields the first entry.
    [[nodiscard]] virtual bool Next(DirEntry& entry) = 0;
    // A listing that reads its folder into memory keeps the names: it yields the next entry here
    // with a name that stays valid as long as the listing, so that a reader keeps it without a
    // copy. False at the end, and at once from a listing that does not keep them (then use Next).
    [[nodiscard]] virtual bool NextKept(DirEntryView& entry) {
        static_cast<void>(entry);
        return false;
    }
    [[nodiscard]] virtual bool KeepsNames() const { return false; }
    // How many entries are left at most, where the listing knows (0 where it does not): a reader
    // makes room for them at once.
    [[nodiscard]] virtual std::size_t EntriesLeftAtMost() const { return 0; }
    // Yields the next entry that is a directory (a link to one included), passing over the others;
    // false at the end. A listing that knows each entry's kind passes over them without making
    // their names.
    [[nodiscard]] virtual bool NextDirectory(DirEntry& entry) {
        while (Next(entry)) {
            if (entry.isDirectory) {
                return true;
            }
        }
        return false;
    }
    // Yields the next entry that is a directory and no link ("." and ".." included): the folders
    // a walk enters. A listing that must look up where a link points (a stat on POSIX) passes
    // over the links without that look-up.
    [[nodiscard]] virtual bool NextRealDirectory(DirEntry& entry) {
        while (NextDirectory(entry)) {
            if (!entry.isLink) {
                return true;
            }
        }
        return false;
    }
};

class ReadableFile {
public:
    virtual ~ReadableFile() = default;
    [[nodiscard]] virtual std::uint64_t Length() const = 0;
    // Reads up to count bytes at the current position; returns the number read (0 at the end
    // or on a read error).
    [[nodiscard]] virtual std::size_t Read(void* buffer, std::size_t count) = 0;
};

// A folder that a listing read, kept open by the file system that read it, so that the listings of
// its subfolders start from it: the system then looks up one name rather than every name of the
// path again. Only that file system looks inside; it holds a system resource while it lives, and
// the file system keeps a bounded number of them (beyond that it keeps none, and the subfolders
// are listed by their full paths).
class OpenFolder {
public:
    OpenFolder() = default;
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;
    virtual ~OpenFolder() = default;
};

// The two listings the directory walk makes of a folder: the entries that match a mask, with the
// detail asked for (as FindFirst(dir\mask, detail) gives them), and every entry, by name with
// the directory and link flags (as FindFirst(dir\*, kNamesOnly)). A null listing failed with its
// error, kErrorFileNotFound when nothing matched.
struct BothPasses {
    std::unique_ptr<DirectoryListing> matching;
    ErrorCode matchingError = kErrorSuccess;
    std::unique_ptr<DirectoryListing> every;
    ErrorCode everyError = kErrorSuccess;
    // The folder, kept open for ListSubfolderBothPasses where the file system can and the folder
    // has subfolders; else null.
    std::shared_ptr<const OpenFolder> opened;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // True when ListBothPasses reads a folder once for both of its listings. Otherwise it makes
    // the two FindFirst calls, one after the other (Windows keeps the system's two listings: its
    // pattern rules, short names included, are the system's).
    [[nodiscard]] virtual bool ReadsBothPassesAtOnce() const { return false; }

    // Both listings of dir (no trailing separator needed) for a mask that is a name pattern; detail
    // is the matching listing's.
    [[nodiscard]] virtual BothPasses ListBothPasses(const std::wstring& dir, std::wstring_view mask,
                                                    ListingDetail detail);
    // The same for dir, a subfolder that an earlier listing of parent found (dir is its full path,
    // its last name the subfolder's); parent is what that listing kept open (BothPasses::opened),
    // or null. The same listings as ListBothPasses(dir, mask, detail) gives, which is what a file
    // system that keeps no folders open does.
    [[nodiscard]] virtual BothPasses ListSubfolderBothPasses(const OpenFolder* parent, const std::wstring& dir,
                                                             std::wstring_view mask, ListingDetail detail);

    // Whether dir (no trailing separator) is a folder that can be listed: kErrorSuccess (an empty
    // folder too), or the error a listing of every entry in it, FindFirst(dir\*), fails with. A
    // file system that can tell without listing the folder does (on POSIX, one open).
    [[nodiscard]] virtual ErrorCode CheckFolder(const std::wstring& dir);

    // Starts a listing of pattern: a directory, a backslash (or the native separator) and a
    // wildcard, matched without regard to case by Windows' listing rules (WildcardName.h; on
    // Windows the system's own, which also match 8.3 short names).
    // "." and ".." are listed where the system lists them. Returns null and sets error when the
    // listing cannot start, no entry matching included (kErrorFileNotFound).
    [[nodiscard]] virtual std::unique_ptr<DirectoryListing> FindFirst(const std::wstring& pattern, ListingDetail detail,
                                                                      ErrorCode& error) = 0;

    // Opens an existing file for reading. Other programs may go on reading, writing, renaming
    // and deleting it meanwhile (read, write and delete sharing), so reading a file never makes
    // another program fail. Returns null and sets error when it cannot (missing, held by another
    // program that shares it with no reader, access denied).
    [[nodiscard]] virtual std::unique_ptr<ReadableFile> OpenForReading(const std::wstring& path, ErrorCode& error) = 0;
};

// The operating system's own file system (Win32 or POSIX), refusing paths over kMaxLongPathLength.
// On Windows, absolute paths over the classic limit are passed in the long form; on POSIX, paths
// too long for one system call are opened a folder at a time.
std::unique_ptr<FileSystem> MakeSystemFileSystem();

// The same with another limit (tests use the classic one).
std::unique_ptr<FileSystem> MakeSystemFileSystem(std::size_t maxPathLength);

} // namespace vk
