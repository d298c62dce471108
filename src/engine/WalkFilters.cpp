#include "engine/WalkFilters.h"

#include "engine/MaskPieces.h"

namespace vk {

ListingDetail HitListingDetail(const SearchRequest& request, ListingDetail shown) {
    const bool filtersNeedIt =
        request.sizeFilterOn || request.textFilterOn || request.modifiedAfter || request.modifiedBefore;
    return filtersNeedIt ? ListingDetail::kNamesAndSizes : shown;
}

WalkFilters::WalkFilters(const SearchRequest& request)
    : after_(request.modifiedAfter), before_(request.modifiedBefore), maxDepth_(request.maxDepth), kind_(request.kind) {
    for (const auto& piece : SplitFileMask(request.excludeMask)) {
        excludes_.emplace_back(piece);
    }
}

bool WalkFilters::Excluded(std::wstring_view name) const {
    for (const auto& mask : excludes_) {
        if (mask.Matches(name)) {
            return true;
        }
    }
    return false;
}

bool WalkFilters::Passes(const DirEntryView& entry) const {
    if (kind_ == SearchRequest::Kind::kFiles && entry.isDirectory) {
        return false;
    }
    if (kind_ == SearchRequest::Kind::kFolders && !entry.isDirectory) {
        return false;
    }
    if ((after_ && entry.modified < *after_) || (before_ && entry.modified >= *before_)) {
        return false;
    }
    return excludes_.empty() || !Excluded(entry.name);
}

} // namespace vk
