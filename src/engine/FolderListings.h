#pragma once
// The listings the directory walk makes of one folder, read into memory: the entries that match
// the mask piece (the hits pass) and the subfolders to walk (the subfolder pass). The read-ahead
// makes them on any thread and keeps them until the walker comes to the folder.

#include "platform/FileSystem.h"

#include <atomic>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

// The folder's entries that match the mask, in listing order; listed false when the listing
// could not start (no match, access denied, gone), which the walk treats as no entries. A folder
// of a hundred thousand hits costs a few allocations, not one a name: the names stay in the
// listing that keeps them (DirectoryListing::KeepsNames), or else are copied one after another
// into one buffer.
class MatchingEntries {
public:
    bool listed = false;

    // Reads listing (null: not listed) while running is true.
    void Read(std::unique_ptr<DirectoryListing> listing, const std::atomic<bool>& running);
    [[nodiscard]] std::size_t Size() const { return entries_.size(); }
    [[nodiscard]] const DirEntryView& At(std::size_t index) const { return entries_[index]; }

private:
    std::unique_ptr<DirectoryListing> listing_; // holds the names when it keeps them
    std::vector<wchar_t> names_;                // else the names (a vector's buffer stays put when moved)
    std::vector<DirEntryView> entries_;
};

[[nodiscard]] bool IsDotEntry(std::wstring_view name);

// dir, a backslash unless dir ends in one, and name.
[[nodiscard]] std::wstring JoinPath(const std::wstring& dir, std::wstring_view name);

// A listing stops early once running is false: a stopped search uses nothing of it. detail: what
// the matching entries carry.
[[nodiscard]] MatchingEntries ListMatching(FileSystem& files, const std::wstring& dir, std::wstring_view mask,
                                           ListingDetail detail, const std::atomic<bool>& running);

// The paths of the subfolders the walk enters, in listing order: directories, not links, not "."
// or "..". Empty when the listing could not start.
[[nodiscard]] std::vector<std::wstring> ListSubfolders(FileSystem& files, const std::wstring& dir,
                                                       const std::atomic<bool>& running);

// Both from the two listings of one read of dir, for a file system that reads a folder once for
// both (ReadsBothPassesAtOnce).
void ListBoth(BothPasses passes, const std::wstring& dir, const std::atomic<bool>& running, MatchingEntries& matching,
              std::vector<std::wstring>& subfolders);

} // namespace vk
