#include "engine/MaskPieces.h"

namespace vk {

std::vector<std::wstring> SplitFileMask(std::wstring_view fileMask) {
    std::vector<std::wstring> pieces;
    if (fileMask.find_first_of(kMaskSeparators) == std::wstring_view::npos) {
        if (!fileMask.empty()) {
            pieces.emplace_back(fileMask);
        }
        return pieces;
    }
    std::size_t start = 0;
    while (start < fileMask.size()) {
        const std::size_t end = fileMask.find_first_of(kMaskSeparators, start);
        const std::size_t stop = end == std::wstring_view::npos ? fileMask.size() : end;
        if (stop > start) {
            pieces.emplace_back(fileMask.substr(start, stop - start));
        }
        start = stop + 1;
    }
    return pieces;
}

bool IsNamePattern(std::wstring_view piece) {
    return piece.find_first_of(L"\\/:") == std::wstring_view::npos;
}

std::optional<std::wstring> FileMaskFault(std::wstring_view fileMask) {
    for (const auto& piece : SplitFileMask(fileMask)) {
        if (!IsNamePattern(piece)) {
            return L"'" + piece +
                   L"' is not a name pattern: a mask matches the names within every folder searched, so it holds "
                   L"no \\, / or :";
        }
    }
    return std::nullopt;
}

} // namespace vk
