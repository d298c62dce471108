#include "platform/smb/SmbFileSystem.h"

#include "platform/WildcardName.h"
#include "platform/smb/SmbUrl.h"

#include <algorithm>
#include <chrono>
#include <utility>
#include <vector>

namespace vk {
namespace {

class EntryListing final : public DirectoryListing {
public:
    explicit EntryListing(std::vector<DirEntry> entries) : entries_(std::move(entries)) {}

    bool Next(DirEntry& entry) override {
        if (next_ >= entries_.size()) {
            return false;
        }
        entry = std::move(entries_[next_++]);
        return true;
    }

private:
    std::vector<DirEntry> entries_;
    std::size_t next_ = 0;
};

// Characters no mask holds: they would separate names or name a stream.
bool IsValidMask(std::wstring_view mask) {
    return std::all_of(mask.begin(), mask.end(), IsValidMaskChar);
}

} // namespace

namespace {

// The whole listing of the folder a thread listed last, for the listing of the same folder that
// follows at once: the walk lists each folder twice in a row, for the mask and for the
// subfolders, and a listing is a round trip to the server.
struct RecentListing {
    const SmbFileSystem* owner = nullptr;
    std::string url;
    std::vector<DirEntry> entries;
    std::chrono::steady_clock::time_point when;
};
thread_local RecentListing recentListing;

} // namespace

ErrorCode SmbFileSystem::ListFolder(const std::string& url, std::vector<DirEntry>& entries) {
    RecentListing& recent = recentListing;
    const auto now = std::chrono::steady_clock::now();
    const bool reuse = recent.owner == this && recent.url == url && now - recent.when < kListingReuseTime;
    recent.owner = nullptr; // used once at the most
    if (reuse) {
        entries = std::move(recent.entries);
        return kErrorSuccess;
    }
    const ErrorCode error = client_->ListFolder(url, entries);
    if (error == kErrorSuccess) {
        recent = RecentListing{this, url, entries, now};
    }
    return error;
}

std::unique_ptr<DirectoryListing> SmbFileSystem::FindFirst(const std::wstring& pattern, ListingDetail /*detail*/,
                                                           ErrorCode& error) {
    if (pattern.size() > maxPathLength_) {
        error = kErrorFilenameTooLong;
        return nullptr;
    }
    const std::size_t split = pattern.rfind(L'\\');
    UncPath folder;
    if (split == std::wstring::npos || !ParseUncPath(std::wstring_view(pattern).substr(0, split), folder) ||
        !IsValidMask(std::wstring_view(pattern).substr(split + 1))) {
        error = kErrorInvalidName;
        return nullptr;
    }
    const std::wstring_view mask = std::wstring_view(pattern).substr(split + 1);
    if (folder.components.empty()) {
        error = kErrorBadNetName; // a server holds shares, not files
        return nullptr;
    }
    std::vector<DirEntry> entries;
    if (error = ListFolder(SmbUrl(folder), entries); error != kErrorSuccess) {
        if (error == kErrorPathNotFound && folder.components.size() == 1) {
            error = kErrorBadNetName;
        }
        return nullptr;
    }
    if (const FileMask fileMask(mask); !fileMask.MatchesEverything()) {
        std::erase_if(entries, [&fileMask](const DirEntry& entry) { return !fileMask.Matches(entry.name); });
    }
    if (entries.empty()) {
        error = kErrorFileNotFound;
        return nullptr;
    }
    std::sort(entries.begin(), entries.end(),
              [](const DirEntry& a, const DirEntry& b) { return CompareNamesForListing(a.name, b.name) < 0; });
    return std::make_unique<EntryListing>(std::move(entries));
}

std::unique_ptr<ReadableFile> SmbFileSystem::OpenForReading(const std::wstring& path, ErrorCode& error) {
    if (path.size() > maxPathLength_) {
        error = kErrorFilenameTooLong;
        return nullptr;
    }
    UncPath parts;
    if (!ParseUncPath(path, parts)) {
        error = kErrorInvalidName;
        return nullptr;
    }
    if (parts.components.size() < 2) {
        error = kErrorAccessDenied; // a server or a share is no file
        return nullptr;
    }
    return client_->OpenFile(SmbUrl(parts), error);
}

} // namespace vk
