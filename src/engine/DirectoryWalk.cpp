// The search-side directory walk: pre-order, depth first, once per piece of the file mask. The
// walk with read-ahead (SearchDirectoryAhead) gives the same hits, in the same order, with the
// same status texts, as the walk without it (SearchDirectory).

#include "engine/AheadWalk.h"
#include "engine/ContentSearch.h"
#include "engine/EngineLocks.h"
#include "engine/EngineTexts.h"
#include "engine/FolderListings.h"
#include "engine/HitWriter.h"
#include "engine/ReadAheadPool.h"
#include "engine/SearchEngine.h"

#include <mutex>

namespace vk {

bool CSearchEngine::PassesSizeFilter(std::uint64_t size) const {
    return vk::PassesSizeFilter(request_, size);
}

bool CSearchEngine::ContentMatches(const std::wstring& path) {
    // The controller made the pattern ready before the first worker started.
    return FileContainsText(*services_.fileSystem, path, contentPattern_, searchRunning);
}

template <class HoldsText>
void CSearchEngine::HandOffIfHit(HitWriter& writer, const std::wstring& dir, const DirEntryView& entry,
                                 bool testUnderHitLock, HoldsText holdsText) {
    if (!walkFilters_.Passes(entry) || !PassesSizeFilter(entry.size)) {
        return;
    }
    std::unique_lock hit(hitLock, std::defer_lock);
    if (!entry.isDirectory) {
        if (testUnderHitLock) {
            hit.lock();
        }
        // Offline files are never opened: that would recall them from tape or the cloud. The
        // full path is made only for the content test; the store joins folder and name itself.
        if (request_.textFilterOn && (!NeedsContentTest(request_, entry) || !holdsText(JoinPath(dir, entry.name)))) {
            return;
        }
        if (!hit.owns_lock()) {
            hit.lock();
        }
        const int image = services_.iconIndex->IconIndexForFile(entry.name);
        writer.Add({entry.name, image, entry.size, true, dir, entry.modified});
    } else if (!request_.textFilterOn && !IsDotEntry(entry.name)) {
        hit.lock();
        writer.Add({entry.name, services_.iconIndex->IndexOfKey(L"."), entry.size, false, dir, entry.modified});
    }
}

void CSearchEngine::SearchDirectory(const std::wstring& dir, const std::wstring& mask, int depth) {
    // No path length is too long here: the file system takes what the system takes (32767
    // characters on Windows, in the long form) and refuses the rest, which is then not walked.
    SetStatus(kPaneMessage, kTextSearchIn + dir);

    FileSystem& fileSystem = *services_.fileSystem;
    ErrorCode error = kErrorSuccess;
    auto listing = fileSystem.FindFirst(JoinPath(dir, mask), hitDetail_, error);
    if (!searchRunning) {
        return;
    }
    HitWriter writer(*services_.resultList, resultStore_, hitCursors_);

    DirEntry entry;
    while (listing && listing->Next(entry)) {
        // This walk tests a file's content under hitLock, as its hand-off.
        HandOffIfHit(writer, dir, entry, true, [this](const std::wstring& path) { return ContentMatches(path); });
        if (!searchRunning) {
            return;
        }
    }
    listing.reset();
    // This directory's rows are in the list before the walk goes below it.
    writer.Flush();

    // Every subdirectory is walked, whatever its name, unless excluded or below the depth limit.
    // Directory links are not followed, so a link back to an ancestor cannot make the walk run for
    // ever.
    if (!walkFilters_.GoesBelow(depth)) {
        return;
    }
    auto subdirectories = fileSystem.FindFirst(JoinPath(dir, L"*"), ListingDetail::kNamesOnly, error);
    while (subdirectories && searchRunning && subdirectories->Next(entry)) {
        if (entry.isDirectory && !entry.isLink && !IsDotEntry(entry.name) && walkFilters_.Enters(entry.name)) {
            SearchDirectory(JoinPath(dir, entry.name), mask, depth + 1);
        }
    }
}

void CSearchEngine::SearchDirectoryAhead(AheadWalk& walk) {
    while (searchRunning && walk.NextFolder()) {
        const std::wstring& dir = walk.FolderPath();
        SetStatus(kPaneMessage, kTextSearchIn + dir);
        const MatchingEntries* entries = walk.Matching();
        if (!searchRunning) {
            return;
        }
        // Most folders of a search hold no match: they need no writer, nor its turns at hitLock.
        const std::size_t count = entries ? entries->Size() : 0;
        if (count > 0) {
            HitWriter writer(*services_.resultList, resultStore_, hitCursors_);
            for (std::size_t i = 0; i < count; ++i) {
                // The content test runs (or ran, on a helper) outside hitLock.
                HandOffIfHit(writer, dir, entries->At(i), false,
                             [&walk, i](const std::wstring&) { return walk.ContentMatches(i); });
                if (!searchRunning) {
                    return;
                }
            }
            // This folder's rows are in the list before the walk goes below it.
            writer.Flush();
        }
        walk.FinishFolder();
    }
}

} // namespace vk
