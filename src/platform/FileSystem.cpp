#include "platform/FileSystem.h"

namespace vk {

BothPasses FileSystem::ListBothPasses(const std::wstring& dir, std::wstring_view mask, ListingDetail detail) {
    std::wstring pattern = dir;
    if (pattern.empty() || (pattern.back() != L'\\' && pattern.back() != kNativeSeparator)) {
        pattern.push_back(L'\\');
    }
    const std::size_t folderLength = pattern.size();
    BothPasses passes;
    pattern += mask;
    passes.matching = FindFirst(pattern, detail, passes.matchingError);
    pattern.resize(folderLength);
    pattern.push_back(L'*');
    passes.every = FindFirst(pattern, ListingDetail::kNamesOnly, passes.everyError);
    return passes;
}

BothPasses FileSystem::ListSubfolderBothPasses(const OpenFolder* parent, const std::wstring& dir,
                                               std::wstring_view mask, ListingDetail detail) {
    static_cast<void>(parent);
    return ListBothPasses(dir, mask, detail);
}

ErrorCode FileSystem::CheckFolder(const std::wstring& dir) {
    ErrorCode error = kErrorSuccess;
    if (FindFirst(dir + L"\\*", ListingDetail::kNamesOnly, error) || error == kErrorFileNotFound) {
        return kErrorSuccess;
    }
    return error;
}

} // namespace vk
