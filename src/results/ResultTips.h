#pragma once
// The tooltips of the result list: each cell is a tool of its own, so that moving to another
// cell asks for the tip anew, and every cell of a row says what a double-click on the row does.
//
// Tool id of a cell: row * 1024 + (column mod 1024) + 1; 0 stands for no tool, and the row comes
// back as (id - 1) / 1024.

#include <string>
#include <string_view>

namespace vk {

// The longest tip, in characters: the request's buffer holds 80 with the terminator.
inline constexpr std::size_t kMaxTipLength = 79;

[[nodiscard]] constexpr long long ToolIdOfCell(int row, int column) {
    return static_cast<long long>(row) * 1024 + column % 1024 + 1;
}

[[nodiscard]] constexpr int RowOfToolId(long long id) {
    return static_cast<int>((id - 1) / 1024);
}

// The text cut to at most length UTF-16 units, never between the two halves of a surrogate pair.
[[nodiscard]] std::wstring CutToCharacters(std::wstring text, std::size_t length);

// "double-click for open/run file "<name>"" for a file (a row with a size text), or
// "double-click for open folder "<name>"" for a folder or share, cut to kMaxTipLength.
[[nodiscard]] std::wstring ResultTipText(std::wstring_view name, std::wstring_view sizeText);

} // namespace vk
