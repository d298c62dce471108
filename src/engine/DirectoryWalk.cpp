// The search-side directory walk: pre-order, depth first, once per piece of the file mask.

#include "engine/ContentSearch.h"
#include "engine/EngineLocks.h"
#include "engine/EngineTexts.h"
#include "engine/HitWriter.h"
#include "engine/SearchEngine.h"

#include <mutex>

namespace vk {
namespace {

bool IsDotEntry(const std::wstring& name) {
    return name == L"." || name == L"..";
}

std::wstring JoinPath(const std::wstring& dir, const std::wstring& name) {
    std::wstring path = dir;
    if (path.empty() || path.back() != L'\\') {
        path.push_back(L'\\');
    }
    path += name;
    return path;
}

} // namespace

bool CSearchEngine::PassesSizeFilter(std::uint32_t size) const {
    if (!request_.sizeFilterOn) {
        return true;
    }
    return request_.sizeAtMost ? size <= request_.sizeLimit : size >= request_.sizeLimit;
}

bool CSearchEngine::ContentMatches(const std::wstring& path) {
    // The caller holds hitLock, which also guards the in-place wrapping of the text.
    WrapContainingText(request_.containingText);
    return FileContainsText(*services_.fileSystem, path, request_.containingText, searchRunning);
}

void CSearchEngine::SearchDirectory(const std::wstring& dir, const std::wstring& mask) {
    // No path length is too long here: the file system takes what the system takes (32767
    // characters on Windows, in the long form) and refuses the rest, which is then not walked.
    SetStatus(kPaneMessage, kTextSearchIn + dir);

    FileSystem& fileSystem = *services_.fileSystem;
    ErrorCode error = kErrorSuccess;
    auto listing = fileSystem.FindFirst(JoinPath(dir, mask), ListingDetail::kNamesAndSizes, error);
    if (!searchRunning) {
        return;
    }
    HitWriter writer(*services_.resultList, resultStore_, hitCursors_);

    DirEntry entry;
    while (listing && listing->Next(entry)) {
        const auto size = static_cast<std::uint32_t>(entry.size);
        std::wstring fullPath = JoinPath(dir, entry.name);
        if (PassesSizeFilter(size)) {
            std::lock_guard hit(hitLock);
            if (!entry.isDirectory) {
                if (!request_.textFilterOn || ContentMatches(fullPath)) {
                    const int image = services_.iconIndex->IconIndexForFile(entry.name);
                    writer.Add({entry.name, image, size, std::move(fullPath), true, dir});
                }
            } else if (!request_.textFilterOn && !IsDotEntry(entry.name)) {
                const int image = services_.iconIndex->IndexOfKey(L".");
                writer.Add({entry.name, image, size, std::move(fullPath), false, dir});
            }
        }
        if (!searchRunning) {
            return;
        }
    }
    listing.reset();
    // This directory's rows are in the list before the walk goes below it.
    writer.Flush();

    // Every subdirectory is walked, whatever its name. Directory links are not followed, so a
    // link back to an ancestor cannot make the walk run for ever.
    auto subdirectories = fileSystem.FindFirst(JoinPath(dir, L"*"), ListingDetail::kNamesOnly, error);
    while (subdirectories && searchRunning && subdirectories->Next(entry)) {
        if (entry.isDirectory && !entry.isLink && !IsDotEntry(entry.name)) {
            SearchDirectory(JoinPath(dir, entry.name), mask);
        }
    }
}

} // namespace vk
