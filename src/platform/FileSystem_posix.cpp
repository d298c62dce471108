#include "platform/FileSystem.h"

#include "platform/ErrnoErrors.h"
#include "platform/Utf8.h"
#include "platform/WildcardName.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vk {
namespace {

// What the system's calls fail with, where their errno says nothing more.
ErrorCode SystemError(int code) {
    return ErrorFromErrno(code, kErrorPathNotFound);
}

// Appends a file name as wide characters (undecodable bytes kept, see Utf8.h); most names are
// ASCII and take the short way.
void AppendWideName(const char* name, std::wstring& out) {
    std::size_t length = 0;
    bool ascii = true;
    for (; name[length] != '\0'; ++length) {
        ascii = ascii && static_cast<unsigned char>(name[length]) < 0x80;
    }
    if (!ascii) {
        out += WideFromFileName(std::string_view(name, length));
        return;
    }
    const std::size_t start = out.size();
    out.resize(start + length);
    for (std::size_t i = 0; i < length; ++i) {
        out[start + i] = static_cast<wchar_t>(name[i]);
    }
}

class UniqueFd {
public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    UniqueFd& operator=(UniqueFd&&) = delete;
    ~UniqueFd() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    [[nodiscard]] int Get() const { return fd_; }
    [[nodiscard]] int Release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// Opens a native path. A path too long for one system call is opened a folder at a time, so
// that a tree of any depth can be walked.
int OpenPath(const std::string& path, int flags) {
    if (path.size() < PATH_MAX) {
        return open(path.c_str(), flags);
    }
#ifdef O_PATH
    constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
    constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif
    std::size_t start = path.find_first_not_of('/');
    if (start == std::string::npos) {
        return open("/", flags);
    }
    int folder = path.front() == '/' ? open("/", kFolderFlags) : AT_FDCWD;
    if (folder < 0 && folder != AT_FDCWD) {
        return -1;
    }
    for (;;) {
        const std::size_t end = path.find('/', start);
        const std::string name = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        const std::size_t next = end == std::string::npos ? end : path.find_first_not_of('/', end);
        const bool last = next == std::string::npos;
        const int fd = openat(folder, name.c_str(), last ? flags : kFolderFlags);
        const int saved = errno;
        if (folder != AT_FDCWD) {
            close(folder);
        }
        errno = saved;
        if (fd < 0 || last) {
            return fd;
        }
        folder = fd;
        start = next;
    }
}

// The most folder descriptors the process keeps open for the listings of subfolders (a deep or
// wide tree, or many walks at once, must not use up the descriptors it may open).
constexpr long kMaxKeptFolders = 256;

// A quarter of the descriptors the process may open, at most kMaxKeptFolders: the rest stay free
// for the listings and files the walks open at the same time.
long KeptFolderLimit() {
    static const long limit = [] {
        rlimit bounds{};
        if (getrlimit(RLIMIT_NOFILE, &bounds) != 0 || bounds.rlim_cur == RLIM_INFINITY) {
            return kMaxKeptFolders;
        }
        return std::min(kMaxKeptFolders, static_cast<long>(bounds.rlim_cur / 4));
    }();
    return limit;
}

// One of the kept folder descriptors the limit allows, counted for the whole process while it lives;
// Taken() is false when none was left.
class KeptFolderSlot {
public:
    KeptFolderSlot() {
        long kept = Count().load(std::memory_order_relaxed);
        while (kept < KeptFolderLimit()) {
            if (Count().compare_exchange_weak(kept, kept + 1, std::memory_order_relaxed)) {
                taken_ = true;
                return;
            }
        }
    }
    KeptFolderSlot(KeptFolderSlot&& other) noexcept : taken_(std::exchange(other.taken_, false)) {}
    KeptFolderSlot(const KeptFolderSlot&) = delete;
    KeptFolderSlot& operator=(const KeptFolderSlot&) = delete;
    KeptFolderSlot& operator=(KeptFolderSlot&&) = delete;
    ~KeptFolderSlot() {
        if (taken_) {
            Count().fetch_sub(1, std::memory_order_relaxed);
        }
    }
    [[nodiscard]] bool Taken() const { return taken_; }

private:
    static std::atomic<long>& Count() {
        static std::atomic<long> count{0};
        return count;
    }
    bool taken_ = false;
};

class PosixOpenFolder final : public OpenFolder {
public:
    PosixOpenFolder(UniqueFd fd, KeptFolderSlot slot) : fd_(std::move(fd)), slot_(std::move(slot)) {}
    [[nodiscard]] int Descriptor() const { return fd_.Get(); }

private:
    UniqueFd fd_;
    KeptFolderSlot slot_;
};

// Opens the native folder directory: by its last name from parent where a parent is given (the
// folder's other names are not looked up again), else by its path.
int OpenFolderAt(const OpenFolder* parent, const std::wstring& directory) {
    constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
    const auto* from = dynamic_cast<const PosixOpenFolder*>(parent);
    const std::size_t slash = directory.rfind(L'/');
    if (from != nullptr && slash != std::wstring::npos) {
        const std::wstring_view name = std::wstring_view(directory).substr(slash + 1);
        if (!name.empty() && name != L"." && name != L"..") {
            return openat(from->Descriptor(), FileNameFromWide(name).c_str(), kFlags);
        }
    }
    return OpenPath(FileNameFromWide(directory), kFlags);
}

// The entries of an open directory, as the system gives them: name and type (DT_...).
#ifdef __linux__
// Straight from the system, without the calls a directory stream makes to set itself up.
class EntryReader {
public:
    explicit EntryReader(int fd) : fd_(fd) {}
    // The next entry's name; null at the end (or on a read error, which ends the listing).
    const char* Next(unsigned char& type) {
        if (offset_ >= size_) {
            const ssize_t got = getdents64(fd_, buffer_, sizeof buffer_);
            if (got <= 0) {
                return nullptr;
            }
            size_ = static_cast<std::size_t>(got);
            offset_ = 0;
        }
        const auto* entry = reinterpret_cast<const dirent64*>(buffer_ + offset_);
        offset_ += entry->d_reclen;
        type = entry->d_type;
        return entry->d_name;
    }
    [[nodiscard]] bool Opened() const { return true; }

private:
    int fd_;
    std::size_t offset_ = 0;
    std::size_t size_ = 0;
    alignas(dirent64) char buffer_[32768];
};
#else
class EntryReader {
public:
    explicit EntryReader(int fd) : dir_(fdopendir(dup(fd))) {}
    EntryReader(const EntryReader&) = delete;
    EntryReader& operator=(const EntryReader&) = delete;
    ~EntryReader() {
        if (dir_) {
            closedir(dir_);
        }
    }
    const char* Next(unsigned char& type) {
        const dirent* entry = dir_ ? readdir(dir_) : nullptr;
        if (!entry) {
            return nullptr;
        }
        type = entry->d_type;
        return entry->d_name;
    }
    [[nodiscard]] bool Opened() const { return dir_ != nullptr; }

private:
    DIR* dir_;
};
#endif

// One entry of a folder read: its name (a stretch of the read's name buffer) and what the listing
// reports of it.
struct ListedItem {
    std::size_t offset = 0;
    std::array<std::uint64_t, 2> sortKey{}; // see SortForListing
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    std::uint32_t length = 0;
    std::uint8_t rank = 0; // "." and ".." first
    bool isDirectory = false;
    bool isLink = false;
    // In a read for both passes: the entry matches the mask. Where a link that does not match
    // points is not looked up during the read (see Classify).
    bool matches = true;
};

// A folder read once: the names of the entries kept, one after another, and an item for each,
// in listing order. The two listings of one read (BothPasses) share it. A read for both passes
// sorts only what the walk takes from it (the matching entries and the folders and links); the
// other files wait in others, unsorted, for a listing of every entry that is read in full.
struct FolderRead {
    std::wstring names;
    std::vector<ListedItem> items;
    std::vector<ListedItem> others;
    std::string folder; // the native path, where a link's target is left to look up when asked
};

void SortForListing(const std::wstring& names, std::vector<ListedItem>& items);

// Looks up where a link of the folder read points, as Classify does while reading: by path now,
// since the folder is no longer open.
ListedItem LookUpLink(const FolderRead& read, const ListedItem& link);

// The whole listing is read when it starts, sorted the way Windows file systems return names, so
// that runs do not depend on the order on disk.
class PosixListing final : public DirectoryListing {
public:
    // With matchingOnly, the listing yields only the entries of the read that match its mask.
    PosixListing(std::shared_ptr<const FolderRead> read, bool matchingOnly)
        : read_(std::move(read)), matchingOnly_(matchingOnly) {}

    bool Next(DirEntry& entry) override { return NextWhere(entry, Kinds::kAll); }
    bool NextDirectory(DirEntry& entry) override { return NextWhere(entry, Kinds::kDirectories); }
    bool NextRealDirectory(DirEntry& entry) override { return NextWhere(entry, Kinds::kRealDirectories); }
    bool NextKept(DirEntryView& entry) override {
        const ListedItem* item = NextItem(Kinds::kAll);
        if (item == nullptr) {
            return false;
        }
        entry.name = std::wstring_view(read_->names).substr(item->offset, item->length);
        Describe(*item, entry);
        return true;
    }
    bool KeepsNames() const override { return true; }
    std::size_t EntriesLeftAtMost() const override {
        // The matching entries are all among the items.
        if (!merged_.empty()) {
            return merged_.size() - next_;
        }
        return read_->items.size() + (matchingOnly_ ? 0 : read_->others.size()) - next_;
    }

private:
    enum class Kinds : std::uint8_t { kAll, kDirectories, kRealDirectories };

    bool NextWhere(DirEntry& entry, Kinds kinds) {
        const ListedItem* item = NextItem(kinds);
        if (item == nullptr) {
            return false;
        }
        entry.name.assign(read_->names, item->offset, item->length);
        Describe(*item, entry);
        return true;
    }
    // The next item of the kinds asked for; a link not looked up yet is looked up, unless only
    // real directories are asked for (a link is none, wherever it points).
    const ListedItem* NextItem(Kinds kinds) {
        if (kinds == Kinds::kAll && !matchingOnly_ && !read_->others.empty() && merged_.empty()) {
            Merge();
        }
        const auto& items = merged_.empty() ? read_->items : merged_;
        for (; next_ < items.size(); ++next_) {
            const ListedItem* item = &items[next_];
            if (matchingOnly_ && !item->matches) {
                continue;
            }
            if (kinds == Kinds::kRealDirectories) {
                if (!item->isDirectory || item->isLink) {
                    continue;
                }
            } else if (item->isLink && !item->matches) {
                lookedUp_ = LookUpLink(*read_, *item);
                item = &lookedUp_;
            }
            if (kinds == Kinds::kDirectories && !item->isDirectory) {
                continue;
            }
            ++next_;
            return item;
        }
        return nullptr;
    }
    template <class Entry> static void Describe(const ListedItem& item, Entry& entry) {
        entry.isDirectory = item.isDirectory;
        entry.isLink = item.isLink;
        entry.size = item.size;
        entry.modified = item.modified;
        entry.contentOffline = false;
    }

    // Sorts the other files in among the items, for a listing that gives every entry, and goes on
    // behind the item it gave last.
    void Merge() {
        const auto& items = read_->items;
        merged_.reserve(items.size() + read_->others.size());
        merged_ = items;
        merged_.insert(merged_.end(), read_->others.begin(), read_->others.end());
        SortForListing(read_->names, merged_);
        if (next_ > 0) {
            const std::size_t lastOffset = items[next_ - 1].offset;
            next_ = static_cast<std::size_t>(
                        std::find_if(merged_.begin(), merged_.end(),
                                     [lastOffset](const ListedItem& item) { return item.offset == lastOffset; }) -
                        merged_.begin()) +
                    1;
        }
    }

    std::shared_ptr<const FolderRead> read_;
    bool matchingOnly_;
    std::size_t next_ = 0;
    ListedItem lookedUp_;            // the last link looked up on the way
    std::vector<ListedItem> merged_; // every entry in order, once asked for (see FolderRead)
};

// Fills in the directory and link flags and, when asked, the size and modified time of one
// entry (from the one stat call the size needs; a folder's time costs that call too). A link
// counts as what it points to; a dangling link is a file. Without resolveLinks a link is only
// marked as one: where it points costs a stat, which the entries of a read for both passes that
// the mask does not match are spared (the walk enters no link).
void Classify(int dirFd, const char* name, unsigned char type, ListingDetail detail, bool resolveLinks,
              ListedItem& item) {
    struct stat info; // read only where a call filled it
    const auto takeDetails = [&item, &info] {
        item.size = item.isDirectory ? 0 : static_cast<std::uint64_t>(info.st_size);
        item.modified = FileTimeFromUnix(info.st_mtim.tv_sec, info.st_mtim.tv_nsec);
    };
    if (type == DT_UNKNOWN) {
        if (fstatat(dirFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
            return;
        }
        if (S_ISLNK(info.st_mode)) {
            type = DT_LNK;
        } else {
            item.isDirectory = S_ISDIR(info.st_mode);
            takeDetails();
            return;
        }
    }
    if (type == DT_LNK) {
        item.isLink = true;
        if (resolveLinks && fstatat(dirFd, name, &info, 0) == 0) {
            item.isDirectory = S_ISDIR(info.st_mode);
            takeDetails();
        }
        return;
    }
    item.isDirectory = type == DT_DIR;
    if (detail == ListingDetail::kNamesAndSizes && fstatat(dirFd, name, &info, AT_SYMLINK_NOFOLLOW) == 0) {
        takeDetails();
    }
}

ListedItem LookUpLink(const FolderRead& read, const ListedItem& link) {
    ListedItem item = link;
    const UniqueFd folder(OpenPath(read.folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const std::string name = FileNameFromWide(std::wstring_view(read.names).substr(link.offset, link.length));
    if (folder.Get() >= 0) {
        Classify(folder.Get(), name.c_str(), DT_LNK, ListingDetail::kNamesAndSizes, true, item);
    }
    return item;
}

// The upper-case characters a sort key holds, 16 bits each, after the prefix all names share.
constexpr std::size_t kKeyChars = 8;
// A key character at or above this stands for every such character: the key ends there, and
// names with equal keys are compared in full.
constexpr std::uint64_t kKeyCharCeiling = 0xFFFF;

// How many leading characters all the names share, by upper case.
std::size_t SharedPrefix(const std::wstring& names, const std::vector<ListedItem>& items) {
    const ListedItem* first = nullptr;
    std::size_t shared = 0;
    for (const auto& item : items) {
        if (item.rank != 2) {
            continue;
        }
        if (first == nullptr) {
            first = &item;
            shared = item.length;
            continue;
        }
        std::size_t i = 0;
        const std::size_t limit = std::min<std::size_t>(shared, item.length);
        while (i < limit && ToUpperNameChar(names[first->offset + i]) == ToUpperNameChar(names[item.offset + i])) {
            ++i;
        }
        shared = i;
    }
    return shared;
}

// Sorts as Windows file systems return names: "." and ".." first, then by upper-case ordinal,
// names equal but for case by plain ordinal (CompareNamesForListing). Most comparisons are of a
// key made once per name: the upper-case characters that follow the prefix all names share, in
// the order of their comparison, a shorter name's missing characters as zeros. Keys that differ
// order their names; equal keys leave it to the full comparison.
void SortForListing(const std::wstring& names, std::vector<ListedItem>& items) {
    const std::size_t shared = SharedPrefix(names, items);
    for (auto& item : items) {
        bool open = true;
        for (std::size_t i = 0; i < kKeyChars; ++i) {
            std::uint64_t part = 0;
            if (open && shared + i < item.length) {
                const auto upper = static_cast<std::uint32_t>(ToUpperNameChar(names[item.offset + shared + i]));
                part = std::min<std::uint64_t>(upper, kKeyCharCeiling);
                open = part < kKeyCharCeiling;
            }
            auto& word = item.sortKey[i / 4];
            word = (word << 16) | part;
        }
    }
    const wchar_t* const text = names.data();
    std::sort(items.begin(), items.end(), [text](const ListedItem& a, const ListedItem& b) {
        if (a.rank != b.rank) {
            return a.rank < b.rank;
        }
        if (a.sortKey != b.sortKey) {
            return a.sortKey < b.sortKey;
        }
        return CompareNamesNoCase({text + a.offset, a.length}, {text + b.offset, b.length}) < 0;
    });
}

// A folder with this many entries kept is a large one: its read makes room for all of them at
// once, rather than growing step by step (each step copies what was read, into memory the
// system must hand over afresh).
constexpr std::size_t kReserveFrom = 1024;
// What a read makes room for before it begins: most folders hold a few dozen entries at most.
constexpr std::size_t kCommonFolderEntries = 32;
constexpr std::size_t kCommonFolderNames = kCommonFolderEntries * 16;

// Makes room for the entries of a large folder, guessed from the size the system gives the
// folder (on the common file systems some 20 to 40 bytes an entry with its name). Only what is
// filled is ever touched, so a generous guess costs little; a short one grows as before.
void Reserve(int dirFd, FolderRead& read) {
    constexpr off_t kLargestGuess = off_t{64} << 20;
    struct stat info; // read only where the call filled it
    if (fstat(dirFd, &info) != 0 || info.st_size <= 0 || info.st_size > kLargestGuess) {
        return;
    }
    const auto bytes = static_cast<std::size_t>(info.st_size);
    read.items.reserve(std::max(read.items.size(), bytes / 24));
    read.others.reserve(std::max(read.others.size(), bytes / 24));
    read.names.reserve(std::max(read.names.size(), bytes / 2));
}

bool IsSeparator(wchar_t c) {
    return c == L'/' || c == L'\\';
}

// The mask made ready for matching, kept for the thread's next read: a walk reads folder after
// folder with the same mask.
const FileMask& MaskOf(std::wstring_view mask) {
    thread_local std::wstring text;
    thread_local std::optional<FileMask> made;
    if (!made || text != mask) {
        made.reset();
        text = mask;
        made.emplace(mask);
    }
    return *made;
}

// Reads the native folder directory (opened from parent where given, see OpenFolderAt). With
// every false only the entries that match mask are kept (with the detail asked for); with every
// true all are kept, by name and flags, and the matching ones marked and given the detail asked
// for, and kept (when not null) is given the folder held open if it has subfolders and the limit
// of kept folders allows. Nothing kept is kErrorFileNotFound.
ErrorCode ReadFolder(const OpenFolder* parent, const std::wstring& directory, std::wstring_view mask,
                     ListingDetail detail, bool every, FolderRead& read,
                     std::shared_ptr<const OpenFolder>* kept = nullptr) {
    UniqueFd fd(OpenFolderAt(parent, directory));
    if (fd.Get() < 0) {
        return SystemError(errno);
    }
    const int dirFd = fd.Get();
    EntryReader reader(dirFd);
    if (!reader.Opened()) {
        return SystemError(errno);
    }

    const FileMask& fileMask = MaskOf(mask);
    // Room for a folder of the common size at once, rather than growing step by step from empty.
    read.names.reserve(kCommonFolderNames);
    read.items.reserve(kCommonFolderEntries);
    if (every) {
        read.others.reserve(kCommonFolderEntries);
    }
    const bool matchAll = fileMask.MatchesEverything();
    std::wstring& names = read.names;
    std::vector<ListedItem>& items = read.items;
    unsigned char type = DT_UNKNOWN;
    bool reserved = false;
    bool subfolders = false;
    while (const char* found = reader.Next(type)) {
        if (!reserved && items.size() + read.others.size() == kReserveFrom) {
            Reserve(dirFd, read);
            reserved = true;
        }
        ListedItem item;
        item.offset = names.size();
        AppendWideName(found, names);
        item.length = static_cast<std::uint32_t>(names.size() - item.offset);
        const std::wstring_view name(names.data() + item.offset, item.length);
        item.matches = matchAll || fileMask.Matches(name);
        if (!item.matches && !every) {
            names.resize(item.offset);
            continue;
        }
        item.rank = static_cast<std::uint8_t>(ListingRank(name));
        Classify(dirFd, found, type, item.matches ? detail : ListingDetail::kNamesOnly, item.matches, item);
        if (item.isLink && !item.matches && read.folder.empty()) {
            read.folder = FileNameFromWide(directory);
        }
        subfolders = subfolders || (item.isDirectory && !item.isLink && item.rank == 2);
        if (every && !item.matches && !item.isDirectory && !item.isLink) {
            read.others.push_back(item);
        } else {
            items.push_back(item);
        }
    }
    if (items.empty() && read.others.empty()) {
        return kErrorFileNotFound;
    }
    if (kept != nullptr && subfolders) {
        if (KeptFolderSlot slot; slot.Taken()) {
            *kept = std::make_shared<PosixOpenFolder>(std::move(fd), std::move(slot));
        }
    }
    SortForListing(names, items);
    return kErrorSuccess;
}

class PosixFileSystem final : public FileSystem {
public:
    explicit PosixFileSystem(std::size_t maxPathLength) : maxPathLength_(maxPathLength) {}

    std::unique_ptr<DirectoryListing> FindFirst(const std::wstring& pattern, ListingDetail detail,
                                                ErrorCode& error) override {
        if (!CheckPath(pattern, kErrorPathNotFound, error)) {
            return nullptr;
        }
        // A backslash separates like the native slash, so that paths joined the Windows way work.
        const auto last = std::find_if(pattern.rbegin(), pattern.rend(), IsSeparator);
        const std::size_t maskStart = static_cast<std::size_t>(pattern.rend() - last);
        const std::wstring_view mask = std::wstring_view(pattern).substr(maskStart);
        auto read = std::make_shared<FolderRead>();
        error = ReadFolder(nullptr, NativeFolder(pattern.substr(0, maskStart == 0 ? 0 : maskStart - 1), maskStart == 0),
                           mask, detail, false, *read);
        if (error != kErrorSuccess) {
            return nullptr;
        }
        return std::make_unique<PosixListing>(std::move(read), false);
    }

    // The folder is opened as a listing opens it, and nothing is read.
    ErrorCode CheckFolder(const std::wstring& dir) override {
        ErrorCode error = kErrorSuccess;
        if (!CheckPath(dir + L"\\*", kErrorPathNotFound, error)) {
            return error;
        }
        UniqueFd fd(OpenFolderAt(nullptr, NativeFolder(dir, false)));
        return fd.Get() < 0 ? SystemError(errno) : kErrorSuccess;
    }

    bool ReadsBothPassesAtOnce() const override { return true; }

    // One read of the folder: the matching entries are every entry's that match the mask, in the
    // same order, since the listing order does not depend on the mask.
    BothPasses ListBothPasses(const std::wstring& dir, std::wstring_view mask, ListingDetail detail) override {
        return ListBothFrom(nullptr, dir, mask, detail);
    }

    // The subfolder is opened from its parent where the parent was kept open.
    BothPasses ListSubfolderBothPasses(const OpenFolder* parent, const std::wstring& dir, std::wstring_view mask,
                                       ListingDetail detail) override {
        return ListBothFrom(parent, dir, mask, detail);
    }

    std::unique_ptr<ReadableFile> OpenForReading(const std::wstring& path, ErrorCode& error) override;

private:
    BothPasses ListBothFrom(const OpenFolder* parent, const std::wstring& dir, std::wstring_view mask,
                            ListingDetail detail) {
        const bool maskIsName = !mask.empty() && std::find_if(mask.begin(), mask.end(), IsSeparator) == mask.end() &&
                                mask.find(L'\0') == std::wstring_view::npos;
        ErrorCode error = kErrorSuccess;
        if (!maskIsName || dir.empty() || IsSeparator(dir.back()) || dir.size() + 1 + mask.size() > maxPathLength_ ||
            !CheckPath(dir, kErrorPathNotFound, error)) {
            return FileSystem::ListBothPasses(dir, mask, detail);
        }
        BothPasses passes;
        auto read = std::make_shared<FolderRead>();
        error = ReadFolder(parent, NativeFolder(dir, false), mask, detail, true, *read, &passes.opened);
        if (error != kErrorSuccess) {
            passes.matchingError = passes.everyError = error;
            return passes;
        }
        const auto& items = read->items;
        if (std::none_of(items.begin(), items.end(), [](const ListedItem& item) { return item.matches; })) {
            passes.matchingError = kErrorFileNotFound;
        } else {
            passes.matching = std::make_unique<PosixListing>(read, true);
        }
        passes.every = std::make_unique<PosixListing>(std::move(read), false);
        return passes;
    }

    // False, with the error, for a path the system cannot take.
    bool CheckPath(const std::wstring& path, ErrorCode emptyError, ErrorCode& error) const {
        if (path.size() > maxPathLength_) {
            error = kErrorFilenameTooLong;
            return false;
        }
        if (path.empty() || path.find(L'\0') != std::wstring::npos) {
            error = path.empty() ? emptyError : kErrorInvalidName;
            return false;
        }
        return true;
    }

    // The native form of a listing's folder; relative means the pattern held no separator.
    static std::wstring NativeFolder(std::wstring directory, bool relative) {
        std::replace(directory.begin(), directory.end(), L'\\', L'/');
        if (directory.empty()) {
            directory = relative ? L"." : L"/";
        }
        return directory;
    }

    std::size_t maxPathLength_;
};

class PosixFile final : public ReadableFile {
public:
    PosixFile(int fd, std::uint64_t length) : fd_(fd), length_(length) {}

    std::uint64_t Length() const override { return length_; }

    std::size_t Read(void* buffer, std::size_t count) override {
        auto* bytes = static_cast<char*>(buffer);
        std::size_t done = 0;
        while (done < count) {
            const ssize_t got = read(fd_.Get(), bytes + done, count - done);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                break;
            }
            done += static_cast<std::size_t>(got);
        }
        return done;
    }

private:
    UniqueFd fd_;
    std::uint64_t length_;
};

std::unique_ptr<ReadableFile> PosixFileSystem::OpenForReading(const std::wstring& path, ErrorCode& error) {
    if (!CheckPath(path, kErrorFileNotFound, error)) {
        return nullptr;
    }
    std::wstring nativePath = path;
    std::replace(nativePath.begin(), nativePath.end(), L'\\', L'/');
    // Non-blocking, so that opening a FIFO cannot hang; only regular files are read.
    UniqueFd fd(OpenPath(FileNameFromWide(nativePath), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.Get() < 0) {
        error = errno == ENOENT ? kErrorFileNotFound : SystemError(errno);
        return nullptr;
    }
    struct stat info {};
    if (fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        error = kErrorAccessDenied; // as Windows refuses to open a directory as a file
        return nullptr;
    }
    // O_NONBLOCK stays: it changes nothing for a regular file, and two calls per file would cost
    // more than a content test of a small one.
    error = kErrorSuccess;
    return std::make_unique<PosixFile>(fd.Release(), static_cast<std::uint64_t>(info.st_size));
}

} // namespace

std::unique_ptr<FileSystem> MakeSystemFileSystem() {
    return MakeSystemFileSystem(kMaxLongPathLength);
}

std::unique_ptr<FileSystem> MakeSystemFileSystem(std::size_t maxPathLength) {
    return std::make_unique<PosixFileSystem>(maxPathLength);
}

} // namespace vk
