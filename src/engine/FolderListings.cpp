#include "engine/FolderListings.h"

namespace vk {
namespace {

void ReadMatching(DirectoryListing* listing, const std::atomic<bool>& running, MatchingEntries& matching) {
    matching.listed = listing != nullptr;
    DirEntry entry;
    while (listing && running && listing->Next(entry)) {
        matching.entries.push_back(entry);
    }
}

void ReadSubfolders(DirectoryListing* listing, const std::wstring& dir, const std::atomic<bool>& running,
                    std::vector<std::wstring>& subfolders) {
    DirEntry entry;
    while (listing && running && listing->NextDirectory(entry)) {
        // Directory links are not entered, so a link back to an ancestor cannot make the walk run
        // for ever.
        if (entry.isDirectory && !entry.isLink && !IsDotEntry(entry.name)) {
            subfolders.push_back(JoinPath(dir, entry.name));
        }
    }
}

} // namespace

bool IsDotEntry(std::wstring_view name) {
    return name == L"." || name == L"..";
}

std::wstring JoinPath(const std::wstring& dir, std::wstring_view name) {
    std::wstring path;
    path.reserve(dir.size() + 1 + name.size());
    path = dir;
    if (path.empty() || path.back() != L'\\') {
        path.push_back(L'\\');
    }
    path += name;
    return path;
}

MatchingEntries ListMatching(FileSystem& files, const std::wstring& dir, std::wstring_view mask, ListingDetail detail,
                             const std::atomic<bool>& running) {
    ErrorCode error = kErrorSuccess;
    const auto listing = files.FindFirst(JoinPath(dir, mask), detail, error);
    MatchingEntries matching;
    ReadMatching(listing.get(), running, matching);
    return matching;
}

std::vector<std::wstring> ListSubfolders(FileSystem& files, const std::wstring& dir, const std::atomic<bool>& running) {
    ErrorCode error = kErrorSuccess;
    const auto listing = files.FindFirst(JoinPath(dir, L"*"), ListingDetail::kNamesOnly, error);
    std::vector<std::wstring> subfolders;
    ReadSubfolders(listing.get(), dir, running, subfolders);
    return subfolders;
}

void ListBoth(FileSystem& files, const std::wstring& dir, std::wstring_view mask, ListingDetail detail,
              const std::atomic<bool>& running, MatchingEntries& matching, std::vector<std::wstring>& subfolders) {
    const BothPasses passes = files.ListBothPasses(dir, mask, detail);
    ReadMatching(passes.matching.get(), running, matching);
    ReadSubfolders(passes.every.get(), dir, running, subfolders);
}

} // namespace vk
