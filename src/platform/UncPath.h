#pragma once
// UNC paths (\\SERVER\share\folder...) taken apart the way Windows normalises them: empty
// names and "." dropped, ".." goes up but never above the share.

#include <string>
#include <string_view>
#include <vector>

namespace vk {

struct UncPath {
    std::wstring_view server;
    std::vector<std::wstring_view> components; // share first
    // \\SERVER\share\... with single backslashes.
    [[nodiscard]] std::wstring Normalized() const;
};

// Characters that no name on a Windows share holds. The slash and the colon matter most: in a
// native path below a folder network's root they would separate or name a stream. Control
// characters (but NUL) are let through: Windows names hold none, but a folder on Linux may, and
// it is walked too.
[[nodiscard]] bool IsValidNameChar(wchar_t c);
// The same, and the wildcards '*' and '?': the characters a listing's mask may hold.
[[nodiscard]] bool IsValidMaskChar(wchar_t c);

// The text without the backslashes at its start, or at its end.
[[nodiscard]] std::wstring_view TrimLeadingBackslashes(std::wstring_view text);
[[nodiscard]] std::wstring_view TrimTrailingBackslashes(std::wstring_view text);

// A share whose name ends in '$' is hidden: the network's own listings leave it out, a server's
// share list holds it.
[[nodiscard]] bool IsHiddenShare(std::wstring_view name);

// False for a text that is not a UNC path or holds a character no name holds. path refers into
// unc, which must outlive it.
[[nodiscard]] bool ParseUncPath(std::wstring_view unc, UncPath& path);

} // namespace vk
