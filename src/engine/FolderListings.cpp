#include "engine/FolderListings.h"

namespace vk {
namespace {

void ReadSubfolders(DirectoryListing* listing, const std::wstring& dir, const std::atomic<bool>& running,
                    std::vector<std::wstring>& subfolders) {
    DirEntry entry;
    // Directory links are not entered, so a link back to an ancestor cannot make the walk run for
    // ever.
    while (listing && running && listing->NextRealDirectory(entry)) {
        if (!IsDotEntry(entry.name)) {
            subfolders.push_back(JoinPath(dir, entry.name));
        }
    }
}

} // namespace

void MatchingEntries::Read(std::unique_ptr<DirectoryListing> listing, const std::atomic<bool>& running) {
    listed = listing != nullptr;
    if (!listing) {
        return;
    }
    entries_.reserve(listing->EntriesLeftAtMost());
    DirEntryView view;
    if (listing->KeepsNames()) {
        while (running && listing->NextKept(view)) {
            entries_.push_back(view);
        }
        listing_ = std::move(listing);
        return;
    }
    std::vector<std::size_t> starts;
    DirEntry entry;
    while (running && listing->Next(entry)) {
        starts.push_back(names_.size());
        names_.insert(names_.end(), entry.name.begin(), entry.name.end());
        entries_.push_back(entry);
    }
    // The names are placed now that their buffer no longer grows.
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        entries_[i].name = std::wstring_view(names_.data() + starts[i], entries_[i].name.size());
    }
}

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
    MatchingEntries matching;
    matching.Read(files.FindFirst(JoinPath(dir, mask), detail, error), running);
    return matching;
}

std::vector<std::wstring> ListSubfolders(FileSystem& files, const std::wstring& dir, const std::atomic<bool>& running) {
    ErrorCode error = kErrorSuccess;
    const auto listing = files.FindFirst(JoinPath(dir, L"*"), ListingDetail::kNamesOnly, error);
    std::vector<std::wstring> subfolders;
    ReadSubfolders(listing.get(), dir, running, subfolders);
    return subfolders;
}

void ListBoth(BothPasses passes, const std::wstring& dir, const std::atomic<bool>& running, MatchingEntries& matching,
              std::vector<std::wstring>& subfolders) {
    matching.Read(std::move(passes.matching), running);
    ReadSubfolders(passes.every.get(), dir, running, subfolders);
}

} // namespace vk
