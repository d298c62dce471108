#pragma once
// Splitting the file mask into the pieces that are walked one after another.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

// The characters that separate the masks of a file mask.
constexpr std::wstring_view kMaskSeparators = L" ;,";

// The pieces in the order in which they stand; a run of separators counts as one, and leading
// or trailing separators give no empty piece. A mask without a separator is one piece, as is.
[[nodiscard]] std::vector<std::wstring> SplitFileMask(std::wstring_view fileMask);

// True when a piece is a name pattern, which matches names within each folder walked. A piece
// that holds a path separator or a drive or stream colon ("Templates\*.xlt", "..\*.txt",
// "C:*") would make a listing leave the folder, and its hits would show under the wrong folder:
// the walk skips such pieces.
[[nodiscard]] bool IsNamePattern(std::wstring_view piece);

// What is wrong with a file mask before it is searched for: the first piece that is not a name
// pattern, said in words ("'..\*.txt' is not a name pattern: ..."); nothing when every piece is
// one. A mask of separators alone has no piece: it counts as an empty mask.
[[nodiscard]] std::optional<std::wstring> FileMaskFault(std::wstring_view fileMask);

} // namespace vk
