#pragma once
// The request's filters that the directory walk applies to names, kinds, times and depths:
// exclusions, the kind of hit, the modified time and the depth limit. Made once per search from
// the request; read by every walker and read-ahead helper (it does not change during a search).

#include "engine/SearchRequest.h"
#include "platform/FileSystem.h"
#include "platform/WildcardName.h"

#include <string_view>
#include <vector>

namespace vk {

// The detail the hit listings of a search need: what its caller shows (sizes and times, or
// neither), and sizes and times whenever the request filters by size, time or content.
[[nodiscard]] ListingDetail HitListingDetail(const SearchRequest& request, ListingDetail shown);

class WalkFilters {
public:
    WalkFilters() = default;
    explicit WalkFilters(const SearchRequest& request);

    [[nodiscard]] bool HasExclusions() const { return !excludes_.empty(); }
    // True when a name matches one of the exclusion masks.
    [[nodiscard]] bool Excluded(std::wstring_view name) const;
    // Whether the walk goes into a subfolder of that name.
    [[nodiscard]] bool Enters(std::wstring_view name) const { return excludes_.empty() || !Excluded(name); }
    // Whether the walk lists the subfolders of a folder at that depth (the walked path: 0).
    [[nodiscard]] bool GoesBelow(int depth) const { return maxDepth_ < 0 || depth < maxDepth_; }
    // Whether an entry passes the kind, time and exclusion filters (the size and content filters
    // are the walk's own).
    [[nodiscard]] bool Passes(const DirEntryView& entry) const;

private:
    std::vector<FileMask> excludes_;
    std::optional<std::int64_t> after_;
    std::optional<std::int64_t> before_;
    int maxDepth_ = -1;
    SearchRequest::Kind kind_ = SearchRequest::Kind::kAny;
};

} // namespace vk
