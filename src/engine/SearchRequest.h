#pragma once
// What the user asked for. Written by the search forms (or the console tool) while no search
// runs, read by the engine's threads during a search.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vk {

struct SearchRequest {
    // File or folder masks separated by space, ';' or ','. Empty: no directory is walked.
    std::wstring fileMask;
    // A wildcard pattern for share names. Empty: every share qualifies.
    std::wstring shareMask;
    bool sizeFilterOn = false;
    // false: an entry's size must be at least sizeLimit; true: at most. Both inclusive.
    bool sizeAtMost = false;
    // Bytes: the kilobyte value times 1024 (see ReadKilobyteBound).
    std::uint64_t sizeLimit = 0;
    bool textFilterOn = false;
    // The text files must contain; wrapped in stars at the first content test of a search.
    std::wstring containingText;

    // Modified at or after modifiedAfter and before modifiedBefore (file time ticks, see
    // FileSystem.h), when set. Folders that fail it are still walked.
    std::optional<std::int64_t> modifiedAfter;
    std::optional<std::int64_t> modifiedBefore;
    // Masks (pieces as in fileMask) of names that are no hits; folders so named are not walked.
    std::wstring excludeMask;
    // How deep below each walked path: 0 its own entries only, 1 its subfolders' too, ...; -1 no
    // limit.
    int maxDepth = -1;
    enum class Kind { kAny, kFiles, kFolders };
    Kind kind = Kind::kAny;
};

} // namespace vk

namespace vk {

// Whether an entry of that size (in bytes) passes the request's size filter.
[[nodiscard]] inline bool PassesSizeFilter(const SearchRequest& request, std::uint64_t size) {
    if (!request.sizeFilterOn) {
        return true;
    }
    return request.sizeAtMost ? size <= request.sizeLimit : size >= request.sizeLimit;
}

// The largest size bound, in bytes.
constexpr std::uint64_t kLargestSizeLimit = UINT64_MAX;

// A size bound typed in kilobytes (1 kB = 1024 bytes), as both front ends read it.
struct KilobyteBound {
    // The bound in bytes: the decimal integer at the start of the text (after white space and a
    // sign) times 1024; 0 without digits. A bound too large for 64 bits is the largest one and a
    // negative one 0, so that a bound never wraps round: "at least" a huge size never turns into
    // "at least" a small one.
    std::uint64_t bytes = 0;
    // The text is a whole number of kilobytes and nothing else: digits, perhaps with a '+' in
    // front and white space around them.
    bool wholeNumber = false;
};

[[nodiscard]] KilobyteBound ReadKilobyteBound(std::wstring_view text);

} // namespace vk
